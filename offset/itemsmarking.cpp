// Marking the candidate payables and credits by mouse and keyboard, one or all. Both lists mark
// alike; only the payables answer to the entry-date rule and lock the dates. Marks survive every
// new list through the marked sets, and the total is always the sum of the page shown.

#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/recordset.h"
#include "entry/rules/datecheck.h"
#include "host/services/abort.h"
#include "host/services/messages.h"
#include "host/widgets/db_date_edit.h"
#include "host/widgets/db_grid.h"
#include "offset/rules/itemmarks.h"

#include <QStackedWidget>

#include <cmath>

namespace {

const QString kFlag = QStringLiteral("IDMARCADO");
const QString kTotal = QStringLiteral("VRTOTALCOMREC");

// What tells the two lists apart, by page.
struct Lista {
    QString keyFields;
    QString value;
    QString askMark;
    QString askUnmark;
};
const Lista kListas[] = {{QStringLiteral("CDFILIBPAG;NRLANBOLPAG"), QStringLiteral("VRFINALBPAG"),
                          QStringLiteral("CONF_MARC"), QStringLiteral("CONF_DMARC")},
                         {QStringLiteral("CDREDUCONT;NRMOVICRED"), QStringLiteral("VRMOVICRED"),
                          QStringLiteral("CONF_MARC_LANC"), QStringLiteral("CONF_DESMARC_LANC")}};

host::TDBGrid* Grade(const Ui::TfrmCompContRec& ui, bool payables) {
    return payables ? ui.dbgConta : ui.dbgLancCCorr;
}

} // namespace

void TfrmCompContRec::WireOffset() {
    for (const Itens kind : {Itens::Pagar, Itens::Creditos}) {
        host::TDBGrid* grid = Grade(*ui, kind == Itens::Pagar);
        connect(ItensLista(kind), &host::RecordSet::afterOpen, this,
                host::Guard([this, kind] { VerificaJaMarcado(kind); }));
        grid->OnCellClick.Set([this, kind](int column) { ItensCellClick(kind, column); });
        grid->OnKeyDown.Set([this, kind](int& key, Qt::KeyboardModifiers shift) {
            ItensKeyDown(kind, key, shift);
        });
        grid->OnTitleClick.Set([this, kind](int column) { ItensTitleClick(kind, column); });
    }
    connect(ui->ntbItens, &QStackedWidget::currentChanged, this,
            host::Guard([this] { ntbItensPageChanged(); }));
    WireItemsNotebook();
}

TfrmCompContRec::Itens TfrmCompContRec::ItensMostrados() const {
    return ui->ntbItens->currentIndex() == int(Itens::Pagar) ? Itens::Pagar : Itens::Creditos;
}

host::RecordSet* TfrmCompContRec::ItensLista(Itens kind) const {
    return kind == Itens::Pagar ? cdsBoletosPag : cdsCreditos;
}

offset::ItemMarks TfrmCompContRec::Marcas(Itens kind) {
    const Lista& lista = kListas[int(kind)];
    return offset::ItemMarks(*ItensLista(kind),
                             kind == Itens::Pagar ? *cdsBoletosMarcados : *cdsLancMarcados,
                             lista.keyFields, lista.value);
}

// VerificaBolJaMarcado, VerificaLancJaMarcado: a new list shows the marks it still holds.
void TfrmCompContRec::VerificaJaMarcado(Itens kind) {
    if (!Editing())
        return;
    Marcas(kind).Restore();
    TotalItens();
}

// MarcaDesmarcaBolPag, MarcaDesmarcaCred.
void TfrmCompContRec::MarcaDesmarca(Itens kind) {
    host::RecordSet* list = ItensLista(kind);
    if (!Editing() || !list->Active() || list->IsEmpty())
        return;
    offset::ItemMarks marks = Marcas(kind);
    if (kind == Itens::Pagar && !marks.CurrentMarked())
        Vd_DataEntrPag();
    marks.Toggle();
    if (kind == Itens::Pagar)
        HabDesabAltDatas();
    TotalItens();
}

// MarcaDesmarcaTodosBolPag, MarcaDesmarcaTodosCred. Payables entered after either date are
// passed over without a word; any credit can be marked.
void TfrmCompContRec::MarcaDesmarcaTodos(Itens kind, bool mark) {
    if (!Editing())
        return;
    offset::ItemMarks marks = Marcas(kind);
    if (!mark) {
        marks.UnmarkAll();
    } else if (kind == Itens::Pagar) {
        const entry::DateCheck dates(ui->dbeDtComp->GetDate(), ui->dbeDtBaixa->GetDate());
        const host::Field& entered = cdsBoletosPag->FieldByName(QStringLiteral("DTENTRSAID"));
        marks.MarkAll([&] { return !dates.Payable(entered.AsDateTime()); });
    } else {
        marks.MarkAll([] { return true; });
    }
    if (kind == Itens::Pagar)
        HabDesabAltDatas();
    TotalItens();
}

// Marked payables were checked against the dates in force: a new date drops every mark.
void TfrmCompContRec::EsqueceBolPag() {
    Marcas(Itens::Pagar).Forget();
    HabDesabAltDatas();
    TotalItens();
}

// Nothing counted yet: offer to mark all; otherwise to unmark all.
void TfrmCompContRec::PerguntaTodos(Itens kind) {
    const bool none = std::llround(cdsCompensacao->FieldByName(kTotal).AsFloat() * 100.0) == 0;
    const Lista& lista = kListas[int(kind)];
    if (msgPadrao.ShowMsg(none ? lista.askMark : lista.askUnmark) == host::mrYes)
        MarcaDesmarcaTodos(kind, none);
}

// The total is the marked set of the page shown, summed in cents.
void TfrmCompContRec::TotalItens() {
    if (Editing())
        cdsCompensacao->FieldByName(kTotal).SetAsFloat(
            double(Marcas(ItensMostrados()).TotalCents()) / 100.0);
}

// Both marked sets are kept; the total is the one of the page now shown.
void TfrmCompContRec::ntbItensPageChanged() {
    if (!Editing())
        return;
    TotalItens();
    HabDesabAltDatas();
}

void TfrmCompContRec::ItensCellClick(Itens kind, int column) {
    if (Grade(*ui, kind == Itens::Pagar)->ColumnField(column).compare(kFlag, Qt::CaseInsensitive) ==
        0)
        MarcaDesmarca(kind);
}

void TfrmCompContRec::ItensTitleClick(Itens kind, int column) {
    if (Editing() &&
        Grade(*ui, kind == Itens::Pagar)->ColumnField(column).compare(kFlag, Qt::CaseInsensitive) ==
            0)
        PerguntaTodos(kind);
}

// Rows are never deleted from the grid; Space goes on to the grid after toggling.
void TfrmCompContRec::ItensKeyDown(Itens kind, int& key, Qt::KeyboardModifiers shift) {
    if (key == Qt::Key_Delete) {
        key = 0;
        return;
    }
    if (!Editing() || key != Qt::Key_Space)
        return;
    if (shift & Qt::ControlModifier)
        PerguntaTodos(kind);
    else
        MarcaDesmarca(kind);
}
