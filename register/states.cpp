// Pages, toolbar buttons, menu entries and entry controls follow the state of the list; the
// toolbar actions of the list that are not about one compensation.

#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/recordset.h"
#include "host/services/enable.h"
#include "host/widgets/btn_pesquisa.h"
#include "host/widgets/button_flat.h"
#include "register/filtrocomprec.h"

#include <QAction>
#include <QApplication>
#include <QTabWidget>

void TfrmCompContRec::dtsPadraoStateChange() {
    HabilitaPaginasBotoes(true);
    HabilitaDesabilitaCampos(cdsCompensacao->State() == host::DataSetState::Insert);
}

void TfrmCompContRec::HabilitaPaginasBotoes(bool active) {
    const bool editing = Editing();
    const bool empty = cdsCompensacao->IsEmpty();
    const bool listEnabled = !editing;
    const bool formEnabled = active && (editing || !empty);
    // A page about to be disabled stops being the active one first.
    if (!listEnabled && ActivePage() == tshFolhaDados)
        SwitchPage(tshFormulario);
    if (!formEnabled && ActivePage() == tshFormulario)
        SwitchPage(tshFolhaDados);
    SetPageEnabled(tshFolhaDados, listEnabled);
    SetPageEnabled(tshFormulario, formEnabled);

    mnuIncluir->setEnabled(active && !editing);
    mnuAlterar->setEnabled(false);
    mnuExcluir->setEnabled(active && !empty && !editing);
    mnuProcurar->setEnabled(active && !empty && !editing);
    mnuVerificar->setEnabled(active && !editing);
    mnuConfirmar->setEnabled(active && editing);
    mnuCancelar->setEnabled(active && editing);
    ui->mnuFiltro->setEnabled(active && !editing);
    // The notice is printed for a stored compensation; the lists export whenever the screen
    // works for a company; closing is always offered, also while the company is chosen and
    // during an entry. The listing and the printer set-up never are.
    mnuImprimir->setEnabled(active && !empty && !editing);
    for (QAction* entry : {mnuListagem, mnuConfigImpressora})
        entry->setEnabled(false);
    mnuFechar->setEnabled(true);
    mnuExportaCsv->setEnabled(active);
    mnuExportaPdf->setEnabled(active);

    const QList<QPair<host::TButtonFlat*, QAction*>> pairs{
        {sbtIncluir, mnuIncluir},   {sbtAlterar, mnuAlterar},     {sbtExcluir, mnuExcluir},
        {sbtProcurar, mnuProcurar}, {sbtVerificar, mnuVerificar}, {sbtConfirmar, mnuConfirmar},
        {sbtCancelar, mnuCancelar}, {sbtImprimir, mnuImprimir},   {ui->sbtFiltro, ui->mnuFiltro}};
    for (const auto& [button, entry] : pairs)
        button->setEnabled(entry->isEnabled());
}

// An existing compensation is shown read only; the company cannot change during an entry.
void TfrmCompContRec::HabilitaDesabilitaCampos(bool enable) {
    host::SetChildEnabled(ui->panEmpresa, !enable);
    ui->edtNmEmpresa->setEnabled(false);
    const QList<QWidget*> entry{
        ui->lblCliente,    ui->dbeInsJurClie, ui->btpCliente, ui->dbeCdTpBxP,
        ui->btpTpBaixaPag, ui->dbeCdTpAjP,    ui->btpAjusPag, ui->dbeCdReduCont,
        ui->btpContCorr,   ui->dbeDtComp,     ui->dbeDtBaixa, ui->dbrItensComp,
        ui->dbeCdTpBxR,    ui->btpTpBaixaRec, ui->dbeCdTpAjR, ui->btpAjusRec};
    for (QWidget* control : entry)
        control->setEnabled(enable);
}

void TfrmCompContRec::mnuFiltroClick() {
    ui->sbtFiltro->click();
}

void TfrmCompContRec::sbtFiltroClick() {
    if (!Editing())
        CriaFiltroCompRec(ui->edtCdEmpresa->text(), kBotaoFiltro);
    else
        FiltraItens();
}

// The base step would post the new row locally, as if saved, though the server never saw it:
// here confirming sends nothing and changes nothing.
void TfrmCompContRec::sbtCancelarClick() {
    if (!Editing() || msgPadraoBase().ShowMsg(QStringLiteral("Canc")) != host::mrYes)
        return;
    cdsCompensacao->Cancel();
    SwitchPage(tshFolhaDados);
    HabilitaPaginasBotoes(true);
    HabilitaDesabilitaCampos(false);
    dbgPadrao->setFocus();
}

// Hiding the page that holds the focus would let Qt hand the focus to the next control in the
// tab order, which may be the company panel: its enter reaction must not run for that.
void TfrmCompContRec::SwitchPage(QWidget* page) {
    QWidget* focused = QApplication::focusWidget();
    if (focused && ActivePage() != page && ActivePage()->isAncestorOf(focused))
        focused->clearFocus();
    SetActivePage(page);
}

void TfrmCompContRec::pgcPadraoChange() {
    host::TfrmPadrao::pgcPadraoChange();
    if (ActivePage() == tshFormulario)
        GetContaItensCompensacao();
    sbtProcurar->setEnabled(ActivePage() == tshFolhaDados && !cdsCompensacao->IsEmpty() &&
                            !Editing());
    mnuProcurar->setEnabled(sbtProcurar->isEnabled());
}
