#include "host/forms/tfrmpadrao.h"

#include "data/recordset.h"
#include "host/app/mainwindow.h"
#include "host/services/abort.h"
#include "host/services/dialogs.h"
#include "host/services/hostmessages.h"
#include "host/widgets/data_source.h"

#include "ui_tfrmpadrao.h"

#include <QCloseEvent>

namespace host {

namespace {

// The operator's move, as a click on the page's tab; the focus goes to the page's first stop.
void OpenPage(QTabWidget& pages, QWidget* page) {
    if (!pages.isTabEnabled(pages.indexOf(page)))
        return;
    pages.setCurrentWidget(page);
    if (pages.currentWidget() != page)
        return;
    for (QWidget* w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain()) {
        if (page->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(page) &&
            w->isEnabled()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

} // namespace

TfrmPadrao::TfrmPadrao(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::TfrmPadrao>()) {
    m_ui->setupUi(this);
    mnuPadrao = m_ui->mnuPadrao;
    mnuManutencao = m_ui->mnuManutencao;
    mnuRelatorios = m_ui->mnuRelatorios;
    mnuIncluir = m_ui->mnuIncluir;
    mnuAlterar = m_ui->mnuAlterar;
    mnuExcluir = m_ui->mnuExcluir;
    mnuProcurar = m_ui->mnuProcurar;
    mnuVerificar = m_ui->mnuVerificar;
    mnuConfirmar = m_ui->mnuConfirmar;
    mnuCancelar = m_ui->mnuCancelar;
    mnuImprimir = m_ui->mnuImprimir;
    mnuListagem = m_ui->mnuListagem;
    mnuConfigImpressora = m_ui->mnuConfigImpressora;
    mnuFechar = m_ui->mnuFechar;
    sbtIncluir = m_ui->sbtIncluir;
    sbtAlterar = m_ui->sbtAlterar;
    sbtExcluir = m_ui->sbtExcluir;
    sbtProcurar = m_ui->sbtProcurar;
    sbtVerificar = m_ui->sbtVerificar;
    sbtConfirmar = m_ui->sbtConfirmar;
    sbtCancelar = m_ui->sbtCancelar;
    sbtImprimir = m_ui->sbtImprimir;
    dbnPadrao = m_ui->dbnPadrao;
    dbtNome = m_ui->dbtNome;
    pgcPadrao = m_ui->pgcPadrao;
    tshFolhaDados = m_ui->tshFolhaDados;
    tshFormulario = m_ui->tshFormulario;
    dbgPadrao = m_ui->dbgPadrao;

    dtsPadrao = new TDataSource(this);
    dtsPadrao->setObjectName(QStringLiteral("dtsPadrao"));
    dbgPadrao->SetDataSource(dtsPadrao);
    dbnPadrao->SetDataSource(dtsPadrao);
    dbtNome->SetDataSource(dtsPadrao);

    Pair(sbtIncluir, mnuIncluir, &TfrmPadrao::sbtIncluirClick);
    Pair(sbtAlterar, mnuAlterar, &TfrmPadrao::sbtAlterarClick);
    Pair(sbtExcluir, mnuExcluir, &TfrmPadrao::sbtExcluirClick);
    Pair(sbtProcurar, mnuProcurar, &TfrmPadrao::sbtProcurarClick);
    Pair(sbtVerificar, mnuVerificar, &TfrmPadrao::sbtVerificarClick);
    Pair(sbtConfirmar, mnuConfirmar, &TfrmPadrao::sbtConfirmarClick);
    Pair(sbtCancelar, mnuCancelar, &TfrmPadrao::sbtCancelarClick);
    Pair(sbtImprimir, mnuImprimir, &TfrmPadrao::sbtImprimirClick);
    connect(mnuFechar, &QAction::triggered, this, [this] { CloseChild(this); });

    // Keyboard: the usual keys for the editing entries (the menu shows them), acting while the
    // focus is inside this screen; Enter or a double click on a list row opens the form page.
    mnuIncluir->setShortcut(Qt::Key_Insert);
    mnuConfirmar->setShortcuts({QKeySequence(Qt::Key_F10), QKeySequence(Qt::CTRL | Qt::Key_Return),
                                QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    mnuCancelar->setShortcut(Qt::Key_Escape);
    mnuVerificar->setShortcut(Qt::Key_F5);
    mnuProcurar->setShortcut(Qt::CTRL | Qt::Key_F);
    for (QAction* entry : {mnuIncluir, mnuConfirmar, mnuCancelar, mnuVerificar, mnuProcurar}) {
        entry->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(entry);
    }
    connect(dbgPadrao, &QAbstractItemView::activated, this,
            [this] { OpenPage(*pgcPadrao, tshFormulario); });
    connect(pgcPadrao, &QTabWidget::currentChanged, this, [this] {
        if (!m_settingPage)
            guarded([this] { pgcPadraoChange(); });
    });
}

TfrmPadrao::~TfrmPadrao() = default;

void TfrmPadrao::Pair(TButtonFlat* button, QAction* entry, void (TfrmPadrao::*handler)()) {
    button->OnClick.Set([this, handler] { (this->*handler)(); });
    connect(entry, &QAction::triggered, button, [button] { button->OnClick.Fire(); });
}

void TfrmPadrao::SetActivePage(QWidget* page) {
    m_settingPage = true;
    pgcPadrao->setCurrentWidget(page);
    m_settingPage = false;
}

QWidget* TfrmPadrao::ActivePage() const {
    return pgcPadrao->currentWidget();
}

// Qt moves the current page away from one being disabled; that is the screen's move too.
void TfrmPadrao::SetPageEnabled(QWidget* page, bool enabled) {
    m_settingPage = true;
    pgcPadrao->setTabEnabled(pgcPadrao->indexOf(page), enabled);
    m_settingPage = false;
}

void TfrmPadrao::AddAbovePages(QWidget* panel) {
    m_ui->layPadrao->insertWidget(m_ui->layPadrao->indexOf(pgcPadrao), panel);
}

void TfrmPadrao::AddToolButton(QWidget* button) {
    button->setParent(m_ui->panBotoes);
    m_ui->layBotoes->insertWidget(m_ui->layBotoes->indexOf(sbtImprimir) + 1, button);
}

QList<QAction*> TfrmPadrao::FurtherMenuEntries() const {
    return {mnuImprimir, mnuListagem, mnuConfigImpressora, mnuFechar};
}

const TMessages& TfrmPadrao::msgPadraoBase() const {
    return BaseMessages();
}

RecordSet* TfrmPadrao::DataSet() const {
    return dtsPadrao->DataSet();
}

void TfrmPadrao::FormCreate() {
    SetActivePage(tshFolhaDados);
}

void TfrmPadrao::FormDestroy() {}

void TfrmPadrao::pgcPadraoChange() {}

void TfrmPadrao::sbtIncluirClick() {
    if (RecordSet* dataSet = DataSet())
        dataSet->Append();
}

void TfrmPadrao::sbtAlterarClick() {
    if (RecordSet* dataSet = DataSet(); dataSet && !dataSet->IsEmpty())
        dataSet->Edit();
}

void TfrmPadrao::sbtExcluirClick() {
    RecordSet* dataSet = DataSet();
    if (dataSet && !dataSet->IsEmpty() && !dataSet->Editing() &&
        msgPadraoBase().ShowMsg(QStringLiteral("Excl")) == mrYes)
        dataSet->Delete();
}

void TfrmPadrao::sbtProcurarClick() {
    if (RecordSet* dataSet = DataSet(); dataSet && !dataSet->IsEmpty())
        dialogs().Procura(*dataSet);
}

void TfrmPadrao::sbtVerificarClick() {}

void TfrmPadrao::sbtConfirmarClick() {
    if (RecordSet* dataSet = DataSet(); dataSet && dataSet->Editing())
        dataSet->Post();
}

void TfrmPadrao::sbtCancelarClick() {
    RecordSet* dataSet = DataSet();
    if (dataSet && dataSet->Editing() && msgPadraoBase().ShowMsg(QStringLiteral("Canc")) == mrYes)
        dataSet->Cancel();
}

void TfrmPadrao::sbtImprimirClick() {}

// However the screen is closed (its menu, its window, the suite), an entry under way is not lost
// by a slip: the cancel action asks, and the screen stays open while the entry is kept.
void TfrmPadrao::closeEvent(QCloseEvent* event) {
    const auto entering = [this] {
        return DataSet() && DataSet()->Editing();
    };
    if (entering())
        guarded([this] { sbtCancelarClick(); });
    if (entering())
        event->ignore();
    else
        QWidget::closeEvent(event);
}

} // namespace host
