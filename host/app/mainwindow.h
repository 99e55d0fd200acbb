#pragma once

class QMdiArea;
class QWidget;

namespace host {

// The suite's main window as modules see it: the multiple-document area their screens live in.
// The shell installs its area at start; nothing is installed in a process without one.
void SetMdiArea(QMdiArea* area);
QMdiArea* MdiArea();
// The top-level window holding the area (the owner of busy animations and dialogs), or null.
QWidget* MainWindow();

// Shows a module screen maximized as a child window of the area, adding it the first time;
// brings it back when it was minimized or hidden. Without an area the screen is a top-level
// window. The child window is deleted, with the screen, when it is closed.
void ShowChild(QWidget* screen);

} // namespace host
