// The compensation and settlement dates: their checks, the entry-date checks of the documents
// against them, and their lock while payables are marked.

#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/recordset.h"
#include "entry/quietfocus.h"
#include "entry/rules/datecheck.h"
#include "host/services/abort.h"
#include "host/widgets/db_date_edit.h"
#include "host/widgets/db_grid.h"

#include <QStackedWidget>

namespace {

const QString kEntryDate = QStringLiteral("DTENTRSAID");

QWidget* SpotWidget(const Ui::TfrmCompContRec& ui, entry::DateSpot spot) {
    switch (spot) {
    case entry::DateSpot::Compensation:
        return ui.dbeDtComp;
    case entry::DateSpot::Settlement:
        return ui.dbeDtBaixa;
    case entry::DateSpot::BillsGrid:
        return ui.dbgContaRec;
    case entry::DateSpot::Stay:
        break;
    }
    return nullptr;
}

// The checks read the dates as the controls show them.
entry::DateCheck DatesShown(const Ui::TfrmCompContRec& ui) {
    return entry::DateCheck(ui.dbeDtComp->GetDate(), ui.dbeDtBaixa->GetDate());
}

void Refuse(const Ui::TfrmCompContRec& ui, const host::TMessages& messages,
            const entry::DateVerdict& verdict) {
    if (!verdict)
        return;
    if (QWidget* spot = SpotWidget(ui, verdict->focus))
        entry::FocusQuietly(spot);
    host::MensErro(messages.Msg(verdict->message));
}

} // namespace

void TfrmCompContRec::Vd_DtCompensacao() {
    Refuse(*ui, msgPadrao, DatesShown(*ui).Compensation());
}

void TfrmCompContRec::Vd_DtBaixa() {
    if (Editing())
        Refuse(*ui, msgPadrao, DatesShown(*ui).Settlement());
}

// The payable being marked (current row of the payables list).
void TfrmCompContRec::Vd_DataEntrPag() {
    if (Editing())
        Refuse(*ui, msgPadrao,
               DatesShown(*ui).Payable(cdsBoletosPag->FieldByName(kEntryDate).AsDateTime()));
}

// The chosen bill; a refusal shows it in the grid.
void TfrmCompContRec::Vd_DataEntrRec() {
    if (!Editing() || !cdsBolRec->Active() || cdsBolRec->IsEmpty())
        return;
    const entry::DateVerdict verdict =
        DatesShown(*ui).Receivable(cdsBolRec->FieldByName(kEntryDate).AsDateTime());
    if (verdict)
        cdsBoletosRec->Locate(QStringLiteral("IDMARCADO"), {QStringLiteral("S")});
    Refuse(*ui, msgPadrao, verdict);
}

void TfrmCompContRec::HabDesabAltDatas() {
    if (!Editing())
        return;
    const bool editable = entry::DateCheck::DatesEditable(ui->ntbItens->currentIndex(),
                                                          cdsBoletosMarcados->Active() &&
                                                              !cdsBoletosMarcados->IsEmpty());
    ui->dbeDtComp->setEnabled(editable);
    ui->dbeDtBaixa->setEnabled(editable);
}

// Marked payables were checked against the dates in force: a new date drops them.
void TfrmCompContRec::dbeDtCompChange() {
    if (Editing() && cdsBoletosMarcados->Active() && !cdsBoletosMarcados->IsEmpty())
        EsqueceBolPag();
}

void TfrmCompContRec::dbeDtBaixaChange() {
    dbeDtCompChange();
}
