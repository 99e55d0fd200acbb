#pragma once

class QWidget;

namespace entry {

// Moves the focus to the control a failed validation names. The control that holds the focus
// loses it without its exit validation: that control was only passed through, and its check
// would show a second message and take the focus back.
void FocusQuietly(QWidget* control);

// Whether the focus is on a control of the screen's window. A focus taken by a message box or
// another window, or leaving the application, is no exit from a control: nothing is validated.
bool FocusInWindow(const QWidget* screen);

} // namespace entry
