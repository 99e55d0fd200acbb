// The toolbar's refresh and find while a compensation is entered act on the form page's list
// that has the focus; the toolbar and the menu take no focus of their own.

#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/recordset.h"
#include "host/services/dialogs.h"
#include "host/widgets/button_flat.h"
#include "host/widgets/db_grid.h"

#include <QAction>

void TfrmCompContRec::sbtVerificarClick() {
    if (!Editing())
        GetCompensacao(true, QString());
    else if (ui->dbgContaRec->hasFocus())
        getBoletosRec(true);
    else
        VerificaItens();
}

void TfrmCompContRec::sbtProcurarClick() {
    if (!Editing()) {
        host::TfrmPadrao::sbtProcurarClick();
        return;
    }
    host::RecordSet* rows = ui->dbgContaRec->hasFocus() ? cdsBoletosRec
                            : ui->dbgConta->hasFocus()  ? cdsBoletosPag
                                                        : cdsCreditos;
    if (rows->Active() && !rows->IsEmpty())
        host::dialogs().Procura(*rows);
}

void TfrmCompContRec::dbgContaRecEnter() {
    if (!Editing())
        return;
    sbtVerificar->setEnabled(true);
    mnuVerificar->setEnabled(true);
    sbtProcurar->setEnabled(cdsBoletosRec->Active() && !cdsBoletosRec->IsEmpty());
    mnuProcurar->setEnabled(sbtProcurar->isEnabled());
}

// A menu opening over the grid leaves it the focus: no exit then.
void TfrmCompContRec::dbgContaRecExit() {
    if (!Editing() || ui->dbgContaRec->hasFocus())
        return;
    for (QAction* entry : {mnuVerificar, mnuProcurar})
        entry->setEnabled(false);
    sbtVerificar->setEnabled(false);
    sbtProcurar->setEnabled(false);
}
