#include "module/cli_rec18000.h"

// The module's one entry. C++ exceptions (a failed creation of the screen) cross it: the suite
// is built by the same compiler and catches them around the call.
extern "C" void IniProc() {
    Cli_rec18000::criaCompContRec();
}
