#pragma once

#include <QColor>
#include <QImage>
#include <QString>

class QPainter;
class QRect;

namespace host {

// The three 16x16 check-box pictures of mark columns. Their background is olive, the colour a
// drawing replaces with the cell's brush.
enum class CheckPicture { Check, Uncheck, Grayed };

inline const QColor kPictureBackground{128, 128, 0};

QString CheckPictureName(CheckPicture picture); // "imgCheck", "imgUncheck", "imgCheckGrayed"
QImage CheckPictureImage(CheckPicture picture); // as drawn, olive included

// Outside editing every box is greyed; while editing only "S" is ticked.
CheckPicture ChooseCheckPicture(bool editing, const QString& flag);

// Draws the picture into target the way mark columns do: at left + 2 and the target's top, the
// picture's width, no taller than the target, olive showing the brush already painted beneath.
void DrawCheckPicture(QPainter& painter, const QRect& target, CheckPicture picture);

} // namespace host
