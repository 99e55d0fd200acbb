// The customer's open receivable bills and the single choice of the one the compensation
// settles.

#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/recordset.h"
#include "data/text.h"
#include "entry/quietfocus.h"
#include "entry/rules/billchoice.h"
#include "host/net/answers.h"
#include "host/net/netconnection.h"
#include "host/services/abort.h"
#include "host/widgets/db_grid.h"
#include "host/widgets/edit.h"

namespace {
const QString kKeyFields = QStringLiteral("CDFILIBOLREC;NRLANBOLREC");
const QString kFilial = QStringLiteral("CDFILIBOLREC");
const QString kNumero = QStringLiteral("NRLANBOLREC");
const QString kCustomer = QStringLiteral("CDCLIENTE");
const QString kFlag = QStringLiteral("IDMARCADO");
} // namespace

void TfrmCompContRec::getBoletosRec(bool relocate) {
    const bool listed = cdsBoletosRec->Active() && !cdsBoletosRec->IsEmpty();
    const QVariantList current{listed ? cdsBoletosRec->FieldByName(kFilial).AsString() : QString(),
                               listed ? cdsBoletosRec->FieldByName(kNumero).AsString() : QString()};
    const QString customer = cdsCompensacao->FieldByName(kCustomer).AsString();
    if (host::EmptyString(customer)) {
        entry::FocusQuietly(ui->dbeInsJurClie);
        host::MensErro(msgPadrao.Msg(QStringLiteral("CLIENTENULL")));
    }
    // Loading the answer re-selects the chosen bill (after-open reaction).
    host::LoadRecordSet(
        netCompContRec->Call(QStringLiteral("GetBoletosRec"), {ui->edtCdEmpresa->text(), customer}),
        *cdsBoletosRec);
    if (relocate)
        cdsBoletosRec->Locate(kKeyFields, current);
    // The grid may have taken the focus before its list arrived: find follows the new list.
    if (ui->dbgContaRec->hasFocus())
        dbgContaRecEnter();
}

void TfrmCompContRec::cdsBoletosRecAfterOpen() {
    VerificaBolRecMarcado();
}

// New content arrives unmarked: the chosen bill is ticked again, with the server's current
// values, while it is still listed; otherwise no bill is chosen any more.
void TfrmCompContRec::VerificaBolRecMarcado() {
    if (!Editing())
        return;
    entry::BillChoice choice(*cdsBoletosRec, *cdsBolRec);
    if (choice.FindChosen())
        SelecionaBolRec();
    else
        choice.Forget();
}

void TfrmCompContRec::SelecionaBolRec() {
    if (!Editing())
        return;
    const std::optional<entry::BillKey> ticked =
        entry::BillChoice(*cdsBoletosRec, *cdsBolRec).Toggle();
    if (!ticked)
        return;
    // The record's branch is the bill's branch, not the invoice's.
    cdsCompensacao->FieldByName(QStringLiteral("CDFILIAL")).SetAsString(ticked->filial);
    cdsCompensacao->FieldByName(kNumero).SetAsString(ticked->numero);
}

void TfrmCompContRec::dbgContaRecCellClick(int column) {
    if (ui->dbgContaRec->ColumnField(column).compare(kFlag, Qt::CaseInsensitive) == 0)
        SelecionaBolRec();
}

// Rows are never deleted from the grid; Space toggles whatever modifier is held.
void TfrmCompContRec::dbgContaRecKeyDown(int& key, Qt::KeyboardModifiers) {
    if (key == Qt::Key_Delete)
        key = 0;
    else if (key == Qt::Key_Space)
        SelecionaBolRec();
}

// Confirmation: a bill is chosen, and it is the ticked bill of the customer the record names.
void TfrmCompContRec::Vd_Documento() {
    if (!Editing())
        return;
    const QString fault = entry::BillChoice(*cdsBoletosRec, *cdsBolRec)
                              .Check(cdsCompensacao->FieldByName(kCustomer).AsString());
    if (fault.isEmpty())
        return;
    entry::FocusQuietly(ui->dbgContaRec);
    host::MensErro(msgPadrao.Msg(fault));
}
