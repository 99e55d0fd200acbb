#include "module/cli_rec18003.h"

#include "module/unitsteps.h"

namespace Cli_rec18003 {

TfrmFiltroLancCred* frmFiltroLancCred = nullptr;
QString stEmpr;

namespace {
const Pkg_rec18000::UnitSteps steps(nullptr, [] { stEmpr.clear(); });
} // namespace

} // namespace Cli_rec18003
