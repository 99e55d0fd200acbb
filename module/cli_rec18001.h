#pragma once

// Payables filter unit: its dialog, the company it works for and its filter record.

#include <QDateTime>
#include <QString>

class TfrmFiltroCntPagar;

namespace Cli_rec18001 {

struct TFORNECEDOR {
    bool Todos = true;
    QString Lista;
};

struct TDOCUMENTO {
    QString Inicial;
    QString Final;
};

struct TFILIORIG {
    bool Todos = true;
    QString Lista;
};

struct TFILILANC {
    bool Todos = true;
    QString Lista;
};

struct TTIPOBAIXA {
    bool Todos = true;
    QString Lista;
};

struct TFILTRO {
    TFORNECEDOR Fornecedor;
    TDOCUMENTO Documento;
    TFILIORIG FiliOrig;
    TFILILANC FiliLanc;
    QDateTime VencIni; // null: no date
    QDateTime VencFin;
    TTIPOBAIXA TipoBaixa;
    double ValorIni = 0;
    double ValorFin = 0;
};

extern TfrmFiltroCntPagar* frmFiltroCntPagar; // null until first use
extern QString stEmpr;
extern QString stInsJur;

} // namespace Cli_rec18001
