// Marking the candidate payables by mouse and keyboard, one or all. Marks survive every new
// list through the marked set, and the total is always that set's sum.

#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/recordset.h"
#include "entry/datecheck.h"
#include "host/services/abort.h"
#include "host/services/messages.h"
#include "host/widgets/db_date_edit.h"
#include "host/widgets/db_grid.h"
#include "offset/itemmarks.h"

#include <QStackedWidget>

#include <cmath>

namespace {

const QString kFlag = QStringLiteral("IDMARCADO");
const QString kTotal = QStringLiteral("VRTOTALCOMREC");
constexpr int kPayablesPage = 0;

} // namespace

void TfrmCompContRec::WireOffset() {
    connect(cdsBoletosPag, &host::RecordSet::afterOpen, this,
            host::Guard([this] { cdsBoletosPagAfterOpen(); }));
    host::TDBGrid* payables = ui->dbgConta;
    payables->OnCellClick.Set([this](int column) { dbgContaCellClick(column); });
    payables->OnKeyDown.Set(
        [this](int& key, Qt::KeyboardModifiers shift) { dbgContaKeyDown(key, shift); });
    payables->OnTitleClick.Set([this](int column) { dbgContaTitleClick(column); });
    connect(ui->ntbItens, &QStackedWidget::currentChanged, this,
            host::Guard([this] { ntbItensPageChanged(); }));
    WireItemsNotebook();
}

offset::ItemMarks TfrmCompContRec::PayableMarks() {
    return offset::ItemMarks(*cdsBoletosPag, *cdsBoletosMarcados,
                             QStringLiteral("CDFILIBPAG;NRLANBOLPAG"),
                             QStringLiteral("VRFINALBPAG"));
}

void TfrmCompContRec::cdsBoletosPagAfterOpen() {
    VerificaBolJaMarcado();
}

void TfrmCompContRec::VerificaBolJaMarcado() {
    if (!Editing())
        return;
    PayableMarks().Restore();
    TotalBolPag();
}

void TfrmCompContRec::MarcaDesmarcaBolPag() {
    if (!Editing() || !cdsBoletosPag->Active() || cdsBoletosPag->IsEmpty())
        return;
    offset::ItemMarks marks = PayableMarks();
    if (!marks.CurrentMarked())
        Vd_DataEntrPag();
    marks.Toggle();
    HabDesabAltDatas();
    TotalBolPag();
}

// Rows whose entry date is after either date are passed over without a word.
void TfrmCompContRec::MarcaDesmarcaTodosBolPag(bool mark) {
    if (!Editing())
        return;
    offset::ItemMarks marks = PayableMarks();
    if (mark) {
        const entry::DateCheck dates(ui->dbeDtComp->GetDate(), ui->dbeDtBaixa->GetDate());
        const host::Field& entered = cdsBoletosPag->FieldByName(QStringLiteral("DTENTRSAID"));
        marks.MarkAll([&] { return !dates.Payable(entered.AsDateTime()); });
    } else {
        marks.UnmarkAll();
    }
    HabDesabAltDatas();
    TotalBolPag();
}

// Marked payables were checked against the dates in force: a new date drops every mark.
void TfrmCompContRec::EsqueceBolPag() {
    PayableMarks().Forget();
    HabDesabAltDatas();
    TotalBolPag();
}

// Nothing counted yet: offer to mark all; otherwise to unmark all.
void TfrmCompContRec::PerguntaTodosBolPag() {
    const bool none = std::llround(cdsCompensacao->FieldByName(kTotal).AsFloat() * 100.0) == 0;
    if (msgPadrao.ShowMsg(none ? QStringLiteral("CONF_MARC") : QStringLiteral("CONF_DMARC")) ==
        host::mrYes)
        MarcaDesmarcaTodosBolPag(none);
}

// The total follows the page shown; the payables page shows the marked payables' sum.
void TfrmCompContRec::TotalBolPag() {
    if (Editing() && ui->ntbItens->currentIndex() == kPayablesPage)
        cdsCompensacao->FieldByName(kTotal).SetAsFloat(double(PayableMarks().TotalCents()) / 100.0);
}

// Both marked sets are kept; the total is the one of the page now shown.
void TfrmCompContRec::ntbItensPageChanged() {
    if (!Editing())
        return;
    const qint64 cents = ui->ntbItens->currentIndex() == kPayablesPage
                             ? PayableMarks().TotalCents()
                             : offset::SumCents(*cdsLancMarcados, QStringLiteral("VRMOVICRED"));
    cdsCompensacao->FieldByName(kTotal).SetAsFloat(double(cents) / 100.0);
    HabDesabAltDatas();
}

void TfrmCompContRec::dbgContaCellClick(int column) {
    if (ui->dbgConta->ColumnField(column).compare(kFlag, Qt::CaseInsensitive) == 0)
        MarcaDesmarcaBolPag();
}

void TfrmCompContRec::dbgContaTitleClick(int column) {
    if (Editing() && ui->dbgConta->ColumnField(column).compare(kFlag, Qt::CaseInsensitive) == 0)
        PerguntaTodosBolPag();
}

// Rows are never deleted from the grid; Space goes on to the grid after toggling.
void TfrmCompContRec::dbgContaKeyDown(int& key, Qt::KeyboardModifiers shift) {
    if (key == Qt::Key_Delete) {
        key = 0;
        return;
    }
    if (!Editing() || key != Qt::Key_Space)
        return;
    if (shift & Qt::ControlModifier)
        PerguntaTodosBolPag();
    else
        MarcaDesmarcaBolPag();
}
