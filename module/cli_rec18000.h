#pragma once

// Main unit of the module: the compensation screen and its opening.

class TfrmCompContRec;

namespace Cli_rec18000 {

extern TfrmCompContRec* frmCompContRec; // null until the screen is created
extern bool boIdCriado;                 // the screen was created in this load of the module

// Creates the screen the first time (connecting it to the application server), then shows it
// maximized in the suite's main window. A failure to create propagates, with the default
// cursor restored and boIdCriado still false.
void criaCompContRec();

} // namespace Cli_rec18000
