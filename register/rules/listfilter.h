#pragma once

// What the list filter refuses before it asks the server, apart from the dialog that shows it.

#include "register/rules/filterparts.h"

#include <QString>

#include <optional>

namespace reg {

// The filter as the operator left it.
struct ListFilterInput {
    DateInput dtCompIni = {};
    DateInput dtCompFin = {};
    DateInput dtLancIni = {};
    DateInput dtLancFin = {};
    bool listaOper = false; // a list of operators was chosen instead of all
    QString stOperLanc = {};
    bool listaClie = false;
    QString stCliente = {};
};

// The control to correct and the message key of the refusal; no key for a date typed wrong,
// which its edit reports itself.
struct ListFilterFault {
    enum class Spot { DtCompIni, DtCompFin, DtLancIni, DtLancFin, ListaOper, ListaClie };
    Spot spot;
    QString message;
};

class ListFilterCheck {
public:
    // Each period in turn: its dates typed right, then whole (the compensation period always,
    // the entry period once begun) and not ending before it starts; then a chosen list may not
    // be empty. The first fault found, or nothing.
    static std::optional<ListFilterFault> Check(const ListFilterInput& filtro);
};

} // namespace reg
