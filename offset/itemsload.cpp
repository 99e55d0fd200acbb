// Entering the items notebook loads the list of its page through that list's filter, run
// hidden; the toolbar's refresh, find and filter serve the notebook while the focus is in it.

#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/controlsheld.h"
#include "data/recordset.h"
#include "host/services/abort.h"
#include "host/widgets/button_flat.h"
#include "host/widgets/focus_watch.h"
#include "offset/filtrocntpagar.h"
#include "settlement/filtrolanccred.h"

#include <QAction>
#include <QApplication>
#include <QStackedWidget>

namespace {

bool HasRows(const host::RecordSet& rows) {
    return rows.Active() && !rows.IsEmpty();
}

} // namespace

// The notebook is left when the focus reaches another control of the screen, also when it
// gets there by way of a message box or a dialog; going to one of those is no exit.
void TfrmCompContRec::WireItemsNotebook() {
    host::TFocusWatch::Of(ui->ntbItens)->OnEnter.Set([this] { ntbItensEnter(); });
    m_itensFocus = connect(
        qApp, &QApplication::focusChanged, this, host::Guard([this](QWidget*, QWidget* now) {
            if (m_inItens && now && now->window() == window() && !ui->ntbItens->isAncestorOf(now))
                ntbItensExit();
        }));
}

// The notebook's reactions call into the screen, which is gone by the time its controls are.
void TfrmCompContRec::UnwireOffset() {
    host::TFocusWatch::Of(ui->ntbItens)->OnEnter.Detach();
    disconnect(m_itensFocus);
}

void TfrmCompContRec::getBoletosPag(bool relocate) {
    getItens(Itens::Pagar, relocate);
}

void TfrmCompContRec::getLancCred(bool relocate) {
    getItens(Itens::Creditos, relocate);
}

// A failing run leaves the list as it was and stops the caller. The new content ticks the
// marked items again (after-open reaction).
void TfrmCompContRec::getItens(Itens kind, bool relocate) {
    host::RecordSet& list = *ItensLista(kind);
    const QString keyFields = kind == Itens::Pagar ? QStringLiteral("CDFILIBPAG;NRLANBOLPAG")
                                                   : QStringLiteral("CDREDUCONT;NRMOVICRED");
    QVariantList current;
    for (const QString& field : keyFields.split(QLatin1Char(';')))
        current << (HasRows(list) ? list.FieldByName(field).AsString() : QString());
    {
        // The new content and its restored marks reach the grid as one change.
        const host::ControlsHeld quiet(list);
        RodaFiltroItens(kind, kEscondeFiltro);
    }
    if (relocate)
        list.Locate(keyFields, current);
}

void TfrmCompContRec::HabilitaProcurarItens(Itens kind) {
    sbtProcurar->setEnabled(HasRows(*ItensLista(kind)));
    mnuProcurar->setEnabled(sbtProcurar->isEnabled());
}

// Coming back from a message box or a dialog is no new entry: the list is not loaded again.
void TfrmCompContRec::ntbItensEnter() {
    if (m_inItens)
        return;
    Vd_DtCompensacao();
    Vd_DtBaixa();
    if (!Editing())
        return;
    m_inItens = true;
    for (host::TButtonFlat* button : {ui->sbtFiltro, sbtVerificar})
        button->setEnabled(true);
    ui->mnuFiltro->setEnabled(true);
    mnuVerificar->setEnabled(true);
    const Itens kind = ItensMostrados();
    getItens(kind, true);
    HabilitaProcurarItens(kind);
}

void TfrmCompContRec::ntbItensExit() {
    m_inItens = false;
    if (!Editing())
        return;
    for (QAction* entry : {ui->mnuFiltro, mnuVerificar, mnuProcurar})
        entry->setEnabled(false);
    for (host::TButtonFlat* button : {ui->sbtFiltro, sbtVerificar, sbtProcurar})
        button->setEnabled(false);
    // The bills grid entered before the notebook was left: its refresh and find stand.
    if (ui->dbgContaRec->hasFocus())
        dbgContaRecEnter();
}

void TfrmCompContRec::VerificaItens() {
    const Itens kind = ItensMostrados();
    getItens(kind, true);
    HabilitaProcurarItens(kind);
}

void TfrmCompContRec::FiltraItens() {
    const Itens kind = ItensMostrados();
    RodaFiltroItens(kind, kBotaoFiltro);
    HabilitaProcurarItens(kind);
}

// Each list has its own filter; its answer replaces the list.
void TfrmCompContRec::RodaFiltroItens(Itens kind, const QString& mode) {
    if (kind == Itens::Pagar)
        CriaFiltroCntPagar(ui->edtCdEmpresa->text(), mode);
    else
        CriaFiltroLancCred(ui->edtCdEmpresa->text(), mode);
}
