#pragma once

// Compensation-list filter unit: its dialog, the company it works for and its filter record.

#include <QDateTime>
#include <QString>

class TfrmFiltroCompRec;

namespace Cli_rec18002 {

struct TOPERLANC {
    bool Todos = true;
    QString Lista;
};

struct TCLIENTE {
    bool Todos = true;
    QString Lista;
};

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
