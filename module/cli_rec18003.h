#pragma once

// Bank-credits filter unit: its dialog, the company it works for and its filter record.

#include "register/rules/filterparts.h"

#include <QDateTime>
#include <QString>

class TfrmFiltroLancCred;

namespace Cli_rec18003 {

using TTIPO = reg::AllOrList;

using TCCORR = reg::AllOrList;

struct TFILTRO {
    QDateTime DtLancIni; // null: no date
    QDateTime DtLancFin;
    double ValorIni = 0;
    double ValorFin = 0;
    TTIPO Tipo;
    TCCORR CCorr;
};

extern TfrmFiltroLancCred* frmFiltroLancCred; // null until first use
extern QString stEmpr;

} // namespace Cli_rec18003
