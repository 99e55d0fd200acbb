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
// Closes the child window holding the screen (the screen may refuse), or the screen itself when
// it has none: closing the screen alone would leave its empty frame in the area.
void CloseChild(QWidget* screen);

} // namespace host
