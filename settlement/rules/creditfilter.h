#pragma once

// What the bank-credits filter refuses before it asks the server, apart from its dialog.

#include "register/rules/listfilter.h"

#include <QString>

#include <optional>

namespace settlement {

// The filter as the operator left it; empty value edits read as 0.
struct CreditFilterInput {
    reg::DateInput dtLancIni = {};
    reg::DateInput dtLancFin = {};
    double valorIni = 0;
    double valorFin = 0;
    bool listaTipo = false; // a list of credit types was chosen instead of all
    QString stTipo = {};
    bool listaCCorr = false;
    QString stCCorr = {};
};

// The control to correct and the message key; no key for a date typed wrong, which its edit
// reports itself.
struct CreditFilterFault {
    enum class Spot { DtLancIni, DtLancFin, ValorIni, ListaTipo, ListaCCorr };
    Spot spot;
    QString message;
};

class CreditFilterCheck {
public:
    // Dates (none, or a whole period that does not end before it starts), then values compared
    // as they are sent (to the cent), then a chosen list may not be empty. The first fault.
    static std::optional<CreditFilterFault> Check(const CreditFilterInput& filtro);
};

} // namespace settlement
