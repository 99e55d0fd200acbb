#pragma once

#include "host/services/messages.h"

namespace host {

// Messages of the base screen ("Canc", "Excl") that every screen inherits.
const TMessages& BaseMessages();
// The host's own texts: dialog captions and buttons, failure reports.
const TMessages& HostMessages();

// Reports a failure nobody expected as an error box through the dialogs seam (or the log when
// no seam is installed); detail is the failure's own text. Never throws.
void ReportUnexpected(const QString& detail) noexcept;

} // namespace host
