#include "host/widgets/focus_watch.h"

#include <QApplication>
#include <QWidget>

namespace host {

TFocusWatch::TFocusWatch(QWidget* container) : QObject(container), m_container(container) {
    setObjectName(QStringLiteral("focusWatch"));
    connect(qApp, &QApplication::focusChanged, this, &TFocusWatch::FocusMoved);
}

TFocusWatch* TFocusWatch::Of(QWidget* container) {
    auto* watch = container->findChild<TFocusWatch*>(QStringLiteral("focusWatch"),
                                                     Qt::FindDirectChildrenOnly);
    return watch ? watch : new TFocusWatch(container);
}

bool TFocusWatch::Inside(const QWidget* widget) const {
    return widget && m_container && (widget == m_container || m_container->isAncestorOf(widget));
}

// The focus leaving the application (to nobody) and coming back is no exit and no entry.
void TFocusWatch::FocusMoved(QWidget*, QWidget* to) {
    if (!to)
        return;
    const bool inside = Inside(to);
    if (inside == m_inside)
        return;
    m_inside = inside;
    inside ? OnEnter.Fire() : OnExit.Fire();
}

} // namespace host
