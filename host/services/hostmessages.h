#pragma once

#include "host/services/messages.h"

namespace host {

// Messages of the base screen ("Canc", "Excl") that every screen inherits.
const TMessages& BaseMessages();
// The host's own texts: dialog captions and buttons, failure reports.
const TMessages& HostMessages();

// Reports a failure nobody expected: the operator is told what they can do, the detail (the
// failure's own text) goes to the log. Never throws.
void ReportUnexpected(const QString& detail) noexcept;

// Reports a failure with a text meant for the operator; the detail goes to the log. Never
// throws.
void ReportFailure(const QString& forOperator, const QString& detail) noexcept;

} // namespace host
