#pragma once

// Payables filter unit: its dialog, the company it works for and its filter record.

#include "register/rules/filterparts.h"

#include <QDateTime>
#include <QString>

class TfrmFiltroCntPagar;

namespace Cli_rec18001 {

using TFORNECEDOR = reg::AllOrList;

struct TDOCUMENTO {
    QString Inicial;
    QString Final;
};

using TFILIORIG = reg::AllOrList;

using TFILILANC = reg::AllOrList;

using TTIPOBAIXA = reg::AllOrList;

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
