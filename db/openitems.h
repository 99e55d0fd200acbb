#pragma once

#include "store/inserter.h"

namespace db {

// Inserters for the three tables of open items that the demo and the generator fill; each row
// lists its values in the column order openitems.cpp gives.
struct OpenItemInserters {
    explicit OpenItemInserters(const QSqlDatabase& db);

    store::Inserter rec;  // BOLETOREC
    store::Inserter pag;  // BOLETOPAG
    store::Inserter cred; // MOVCREDBANC
};

} // namespace db
