#pragma once

// What the bank-credits filter refuses before it asks the server, apart from its dialog.

#include "register/filtrocheck.h"

#include <QString>

#include <optional>

// The filter as the operator left it; empty value edits read as 0.
struct FiltroCredEntrada {
    FiltroData dtLancIni = {};
    FiltroData dtLancFin = {};
    double valorIni = 0;
    double valorFin = 0;
    bool listaTipo = false; // a list of credit types was chosen instead of all
    QString stTipo = {};
    bool listaCCorr = false;
    QString stCCorr = {};
};

// The control to correct and the message key; no key for a date typed wrong, which its edit
// reports itself.
struct FiltroCredRecusa {
    enum class Campo { DtLancIni, DtLancFin, ValorIni, ListaTipo, ListaCCorr };
    Campo campo;
    QString mensagem;
};

class FiltroLancCredCheck {
public:
    // Dates (none, or a whole period that does not end before it starts), then values compared
    // as they are sent (to the cent), then a chosen list may not be empty. The first fault.
    static std::optional<FiltroCredRecusa> Check(const FiltroCredEntrada& filtro);
};
