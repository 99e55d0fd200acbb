#include "module/cli_rec18002.h"

#include "module/unitsteps.h"

namespace Cli_rec18002 {

TfrmFiltroCompRec* frmFiltroCompRec = nullptr;
QString stEmpr;

namespace {
const Pkg_rec18000::UnitSteps steps(nullptr, [] { stEmpr.clear(); });
} // namespace

} // namespace Cli_rec18002
