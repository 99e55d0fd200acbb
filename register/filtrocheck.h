#pragma once

// What the list filter refuses before it asks the server, apart from the dialog that shows it.

#include <QDate>
#include <QString>

#include <optional>

// A date edit's content: empty reads as a null date; text that is no date is not valid.
struct FiltroData {
    QDate data = {};
    bool valida = true;
};

// The filter as the operator left it.
struct FiltroEntrada {
    FiltroData dtCompIni = {};
    FiltroData dtCompFin = {};
    FiltroData dtLancIni = {};
    FiltroData dtLancFin = {};
    bool listaOper = false; // a list of operators was chosen instead of all
    QString stOperLanc = {};
    bool listaClie = false;
    QString stCliente = {};
};

// The control to correct and the message key of the refusal; no key for a date typed wrong,
// which its edit reports itself.
struct FiltroRecusa {
    enum class Campo { DtCompIni, DtCompFin, DtLancIni, DtLancFin, ListaOper, ListaClie };
    Campo campo;
    QString mensagem;
};

// A period's fault: the end to correct (the start unless fim) and the message key, none for a
// date typed wrong.
struct PeriodoRecusa {
    bool fim;
    QString mensagem;
};
// Both dates typed right, then whole (always when obrigatorio, else once begun) and not ending
// before the start. The first fault found, or nothing.
std::optional<PeriodoRecusa> CheckPeriodo(const FiltroData& inicio, const FiltroData& fim,
                                          bool obrigatorio);

class FiltroCompRecCheck {
public:
    // Each period in turn: its dates typed right, then whole (the compensation period always,
    // the entry period once begun) and not ending before it starts; then a chosen list may not
    // be empty. The first fault found, or nothing.
    static std::optional<FiltroRecusa> Check(const FiltroEntrada& filtro);
};
