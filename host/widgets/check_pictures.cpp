#include "host/widgets/check_pictures.h"

#include <QPainter>

namespace host {
namespace {

QImage Transparent(CheckPicture picture) {
    QImage image = CheckPictureImage(picture).convertToFormat(QImage::Format_ARGB32);
    const QRgb olive = kPictureBackground.rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] | 0xff000000u) == olive)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return image;
}

} // namespace

QString CheckPictureName(CheckPicture picture) {
    switch (picture) {
    case CheckPicture::Check:
        return QStringLiteral("imgCheck");
    case CheckPicture::Uncheck:
        return QStringLiteral("imgUncheck");
    case CheckPicture::Grayed:
        break;
    }
    return QStringLiteral("imgCheckGrayed");
}

QImage CheckPictureImage(CheckPicture picture) {
    return QImage(QStringLiteral(":/host/widgets/pictures/%1.xpm").arg(CheckPictureName(picture)));
}

CheckPicture ChooseCheckPicture(bool editing, const QString& flag) {
    if (!editing)
        return CheckPicture::Grayed;
    return flag == QLatin1String("S") ? CheckPicture::Check : CheckPicture::Uncheck;
}

void DrawCheckPicture(QPainter& painter, const QRect& target, CheckPicture picture) {
    static const QImage pictures[] = {Transparent(CheckPicture::Check),
                                      Transparent(CheckPicture::Uncheck),
                                      Transparent(CheckPicture::Grayed)};
    const QImage& image = pictures[static_cast<int>(picture)];
    const int height = qMin(target.height(), image.height());
    const QRect source(0, 0, image.width(), height);
    const QRect place(target.left() + 2, target.top(), image.width(), height);
    painter.drawImage(place, image, source);
}

} // namespace host
