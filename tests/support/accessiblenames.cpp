#include "tests/support/accessiblenames.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QTabBar>
#include <QWidget>

namespace host::testing {
namespace {

void Walk(QAccessibleInterface* node, QMultiHash<QString, QString>& found) {
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (!child || !child->object())
            continue;
        if (child->role() != QAccessible::StaticText && child->object()->isWidgetType())
            found.insert(child->text(QAccessible::Name), child->object()->objectName());
        if (child->role() != QAccessible::Table) // its cells are data, not controls
            Walk(child, found);
    }
}

bool IsControl(const QWidget* widget) {
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget) ||
           qobject_cast<const QComboBox*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget);
}

// Parts of a compound control (a grid's header and corner, a tab bar's arrows, a menu bar's
// overflow button) speak through it.
bool IsPart(const QWidget* widget, const QWidget* root) {
    for (const QWidget* up = widget->parentWidget(); up && up != root; up = up->parentWidget())
        if (qobject_cast<const QAbstractItemView*>(up) || qobject_cast<const QTabBar*>(up) ||
            qobject_cast<const QMenuBar*>(up) || qobject_cast<const QComboBox*>(up) ||
            qobject_cast<const QAbstractSpinBox*>(up))
            return true;
    return false;
}

bool Says(const QString& name) {
    for (const QChar c : name)
        if (c.isLetterOrNumber())
            return true;
    return false;
}

} // namespace

QMultiHash<QString, QString> AnnouncedControls(QWidget* root) {
    QMultiHash<QString, QString> found;
    if (QAccessibleInterface* top = QAccessible::queryAccessibleInterface(root))
        Walk(top, found);
    return found;
}

QStringList UnnamedControls(QWidget* root) {
    QStringList unnamed;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (!IsControl(widget) || IsPart(widget, root))
            continue;
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
        if (!control || !Says(control->text(QAccessible::Name)))
            unnamed << (widget->objectName().isEmpty()
                            ? QString::fromLatin1(widget->metaObject()->className())
                            : widget->objectName());
    }
    return unnamed;
}

} // namespace host::testing
