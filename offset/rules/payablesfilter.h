#pragma once

// What the payables filter refuses before it asks the server, apart from its dialog.

#include "register/rules/listfilter.h"

#include <QString>

#include <optional>

namespace offset {

// The filter as the operator left it; empty value edits read as 0.
struct PayablesFilterInput {
    bool listaForn = false; // a list of suppliers was chosen instead of all
    QString stForneced = {};
    QString docInicial = {}; // as typed
    QString docFinal = {};
    bool listaFiliOrig = false;
    QString stFiliOrig = {};
    bool listaFiliLanc = false;
    QString stFiliLanc = {};
    reg::DateInput vencIni = {};
    reg::DateInput vencFin = {};
    bool listaTipoBx = false;
    QString stTipoBx = {};
    double valorIni = 0;
    double valorFin = 0;
};

// The document range as it is compared and sent.
struct DocumentRange {
    QString inicial;
    QString final;
};

// The control to correct and the message key; no key for a date typed wrong, which its edit
// reports itself.
struct PayablesFilterFault {
    enum class Spot {
        ListaForn,
        DocInicial,
        ListaFiliOrig,
        ListaFiliLanc,
        VencIni,
        VencFin,
        ListaTipoBx,
        ValorIni
    };
    Spot spot;
    QString message;
};

class PayablesFilterCheck {
public:
    static constexpr int kDocWidth = 10;

    // A blank end repeats the start; each number given is normalised to the edit's width.
    static DocumentRange Documentos(const QString& inicial, const QString& final);
    // Suppliers, documents, branches of origin and of posting, due dates, settlement types,
    // then values compared as they are sent (to the cent). The first fault found, or nothing.
    static std::optional<PayablesFilterFault> Check(const PayablesFilterInput& filtro);
};

} // namespace offset
