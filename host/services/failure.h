#pragma once

#include <QString>

#include <functional>
#include <stdexcept>
#include <string>

namespace host {

// A failure the operator can understand: what() is the text shown to them (what happened and
// what they can do), Detail() what the log keeps for whoever looks into it.
class EFailure : public std::runtime_error {
public:
    EFailure(const QString& forOperator, std::string detail)
        : std::runtime_error(forOperator.toStdString()), m_detail(std::move(detail)) {}

    const std::string& Detail() const noexcept { return m_detail; }

private:
    std::string m_detail;
};

// Runs a handler as guarded() does, but also while a server call waits: for steps that may not
// be skipped, such as a form's creation and destruction. Never throws.
void RunReported(const std::function<void()>& handler) noexcept;

} // namespace host
