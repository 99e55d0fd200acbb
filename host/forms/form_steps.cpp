#include "host/forms/form_steps.h"

#include "host/services/failure.h"

namespace host {

void FormSteps::RunFormCreate() {
    if (m_created)
        return;
    m_created = true;
    RunReported([this] { FormCreate(); });
}

void FormSteps::RunFormDestroy() noexcept {
    if (!m_created || m_destroyed)
        return;
    m_destroyed = true;
    RunReported([this] { FormDestroy(); });
}

} // namespace host
