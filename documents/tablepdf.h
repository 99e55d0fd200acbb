#pragma once

#include "documents/table.h"

class QPagedPaintDevice;

namespace documents {

// A list on A4 landscape pages: the title, the filter and "Página N de M" on every page, the
// captions repeated under them, one line a row, texts cut with "…" where a column is too narrow.
// False when progress stopped it (the device then holds the pages so far).
bool RenderTable(QPagedPaintDevice& device, const Table& table, const Progress& progress = {});

} // namespace documents
