#include "host/app/mainwindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace host {
namespace {

QPointer<QMdiArea>& Area() {
    static QPointer<QMdiArea> area;
    return area;
}

QMdiSubWindow* ChildWindowOf(QWidget* screen) {
    return qobject_cast<QMdiSubWindow*>(screen->parentWidget());
}

} // namespace

void SetMdiArea(QMdiArea* area) {
    Area() = area;
}

QMdiArea* MdiArea() {
    return Area();
}

QWidget* MainWindow() {
    return Area() ? Area()->window() : nullptr;
}

void ShowChild(QWidget* screen) {
    QMdiArea* area = MdiArea();
    if (!area) {
        screen->showMaximized();
        return;
    }
    QMdiSubWindow* child = ChildWindowOf(screen);
    if (!child) {
        child = area->addSubWindow(screen);
        child->setAttribute(Qt::WA_DeleteOnClose);
    }
    screen->show();
    child->showMaximized();
    area->setActiveSubWindow(child);
}

void CloseChild(QWidget* screen) {
    QMdiSubWindow* child = ChildWindowOf(screen);
    if (child)
        child->close();
    else
        screen->close();
}

} // namespace host
