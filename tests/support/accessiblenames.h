#pragma once

// What assistive technology (a screen reader, UI automation over AT-SPI) finds in a window.

#include <QMultiHash>
#include <QString>
#include <QStringList>

class QWidget;

namespace host::testing {

// The widgets under root by the name their accessible interface announces (labels and menu
// entries left out), each as its objectName; walked through the accessible tree as a screen reader
// walks it.
QMultiHash<QString, QString> AnnouncedControls(QWidget* root);

// The controls under root (buttons, edits, lists and grids) that announce no caption: no name,
// or only punctuation such as a search button's "...". Named by objectName, else class.
QStringList UnnamedControls(QWidget* root);

} // namespace host::testing
