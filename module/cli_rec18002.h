#pragma once

// Compensation-list filter unit: its dialog, the company it works for and its filter record.

#include "register/rules/filterparts.h"

#include <QDateTime>
#include <QString>

class TfrmFiltroCompRec;

namespace Cli_rec18002 {

using TOPERLANC = reg::AllOrList;

using TCLIENTE = reg::AllOrList;

struct TFILTRO {
    QDateTime DtCompIni; // null: no date
    QDateTime DtCompFin;
    QDateTime DtLancIni;
    QDateTime DtLancFin;
    TOPERLANC OperLanc;
    TCLIENTE Cliente;
};

extern TfrmFiltroCompRec* frmFiltroCompRec; // null until first use
extern QString stEmpr;

} // namespace Cli_rec18002
