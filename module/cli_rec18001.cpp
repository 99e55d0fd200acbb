#include "module/cli_rec18001.h"

#include "module/unitsteps.h"

namespace Cli_rec18001 {

TfrmFiltroCntPagar* frmFiltroCntPagar = nullptr;
QString stEmpr;
QString stInsJur;

namespace {
const Pkg_rec18000::UnitSteps steps(nullptr, [] {
    stInsJur.clear();
    stEmpr.clear();
});
} // namespace

} // namespace Cli_rec18001
