#pragma once

class SuiteWindow;

// Destroys every window whose code lives in a module: the screens in the main window's area,
// the forms the modules made (their dialogs, whatever their parent) and any other window left
// without a parent. Runs before the modules are unloaded, on every way out of the suite.
void CloseModules(SuiteWindow& window);
