#pragma once

#include <functional>

namespace Pkg_rec18000 {

// Load and unload steps of one unit of the module, run by a static instance per unit. The
// dynamic loader does the counting: static objects are built when the first dlopen maps the
// image and destroyed when the last dlclose unmaps it (the module is built with
// -fno-gnu-unique so that the last dlclose really unmaps it).
class UnitSteps {
public:
    UnitSteps(const std::function<void()>& load, std::function<void()> unload);
    ~UnitSteps();
    UnitSteps(const UnitSteps&) = delete;
    UnitSteps& operator=(const UnitSteps&) = delete;

private:
    std::function<void()> m_unload;
};

} // namespace Pkg_rec18000
