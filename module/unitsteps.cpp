#include "module/unitsteps.h"

namespace Pkg_rec18000 {

UnitSteps::UnitSteps(const std::function<void()>& load, std::function<void()> unload)
    : m_unload(std::move(unload)) {
    if (load)
        load();
}

UnitSteps::~UnitSteps() {
    if (m_unload)
        m_unload();
}

} // namespace Pkg_rec18000
