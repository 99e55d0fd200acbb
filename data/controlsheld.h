#pragma once

#include "data/recordset.h"

namespace host {

// Holds back the repainting of a record set's controls for a scope, resumed however it ends.
class ControlsHeld {
public:
    explicit ControlsHeld(RecordSet& rows) : m_rows(rows) { m_rows.DisableControls(); }
    ~ControlsHeld() { m_rows.EnableControls(); }
    ControlsHeld(const ControlsHeld&) = delete;
    ControlsHeld& operator=(const ControlsHeld&) = delete;

private:
    RecordSet& m_rows;
};

} // namespace host
