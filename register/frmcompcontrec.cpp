#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/recordset.h"
#include "entry/rules/confirmation.h"
#include "host/net/netconnection.h"
#include "host/services/abort.h"
#include "host/services/session.h"
#include "host/sql/tadoibquery.h"
#include "host/widgets/data_source.h"
#include "host/widgets/db_grid.h"
#include "register/formresources.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>

namespace {
const QString kServerName = QStringLiteral("REC18000.rdmCompContRec");

// On a short screen the form page scrolls instead of squeezing its controls in half; the item
// lists keep a few rows, and the total stays in view below the scrolling part.
void PlaceFormPage(Ui::TfrmCompContRec& ui, QWidget& page) {
    for (host::TDBGrid* items : {ui.dbgConta, ui.dbgLancCCorr})
        items->setMinimumHeight(6 * items->verticalHeader()->defaultSectionSize() +
                                2 * items->frameWidth()); // the titles and five rows
    ui.layFormularioTela->removeWidget(ui.panValorComp);
    auto* scroll = new QScrollArea(&page);
    scroll->setObjectName(QStringLiteral("scrFormulario"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus); // Tab goes through to the controls, never stops on it
    scroll->setWidgetResizable(true);
    scroll->setWidget(ui.panFormulario);
    page.layout()->addWidget(scroll);
    page.layout()->addWidget(ui.panValorComp);
}

} // namespace

TfrmCompContRec::TfrmCompContRec(QWidget* parent)
    : host::TfrmPadrao(parent), ui(std::make_unique<Ui::TfrmCompContRec>()),
      m_form(host::FormData::Load(register_forms::kScreenForm)) {
    msgPadrao = host::TMessages::Load(register_forms::kScreenMessages);

    // The Designer file holds the screen's own parts; they move into the base screen's frame.
    const std::unique_ptr<QWidget> designed = std::make_unique<QWidget>();
    ui->setupUi(designed.get());
    setObjectName(designed->objectName());
    setWindowTitle(designed->windowTitle());
    AddAbovePages(ui->panEmpresa);
    PlaceFormPage(*ui, *tshFormulario);
    ui->mnuFiltro->setParent(this);
    // A click on a page's tab takes the focus first, as a page control does: otherwise hiding
    // the page that held the focus would pass it along the tab order into the company panel.
    pgcPadrao->setFocusPolicy(Qt::NoFocus);
    pgcPadrao->tabBar()->setFocusPolicy(Qt::StrongFocus);
    BuildToolbar();

    netCompContRec = new host::TNetConnection(this);
    netCompContRec->setObjectName(QStringLiteral("netCompContRec"));
    netCompContRec->SetServerName(kServerName);
    netCompContRec->SetThrowException(false);
    connect(netCompContRec, &host::TNetConnection::beforeConnect, this,
            &TfrmCompContRec::netCompContRecBeforeConnect);

    BuildRecordSets();
    BuildListGrid();
    BuildFormPage();
    WireEntry();
    WireCompanyPanel();
    WireSettlement();
    WireOffset();
    WireDocuments();
    PutCompanyPanelFirst();
}

TfrmCompContRec::~TfrmCompContRec() {
    UnwireEntry();
    UnwireOffset();
}

void TfrmCompContRec::BuildToolbar() {
    // The filter button follows the base buttons; its menu entry goes under maintenance.
    AddToolButton(ui->sbtFiltro);
    N1 = mnuManutencao->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    mnuManutencao->addAction(ui->mnuFiltro);
    addAction(ui->mnuFiltro);
    ui->mnuFiltro->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    ui->sbtFiltro->OnClick.Set([this] { sbtFiltroClick(); });
    connect(ui->mnuFiltro, &QAction::triggered, this, host::Guard([this] { mnuFiltroClick(); }));
    // The listing and the printer set-up are not offered: the notice's preview sets the printer
    // up, and the lists export.
    for (QAction* entry : {mnuListagem, mnuConfigImpressora})
        entry->setEnabled(false);
}

void TfrmCompContRec::FormCreate() {
    host::TfrmPadrao::FormCreate();
    netCompContRec->SetConnected(true);
    SetActivePage(tshFolhaDados);
    HabilitaPaginasBotoes(false);
    // The screen opens in the company panel, as if the operator had entered it.
    m_inCompanyPanel = true;
    ui->edtCdEmpresa->setFocus();
}

void TfrmCompContRec::FormDestroy() {
    host::TfrmPadrao::FormDestroy();
    netCompContRec->SetConnected(false);
}

void TfrmCompContRec::netCompContRecBeforeConnect() {
    const host::Session& session = host::session();
    netCompContRec->SetHost(session.WebURL());
    netCompContRec->SetPort(session.WebPort());
    netCompContRec->SetToken(session.Token());
}

// The panel joined the screen after the base form's controls, so its controls sit inside the
// focus chain; chaining every other control after the panel's code edit makes it the first stop.
// Widgets that pass their focus on (the page control to its tab bar) are left out: moving one
// would drag its inner chain along.
void TfrmCompContRec::PutCompanyPanelFirst() {
    QList<QWidget*> stops;
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && !ui->panEmpresa->isAncestorOf(w))
            stops.append(w);
    QWidget* previous = ui->edtCdEmpresa;
    for (QWidget* next : stops) {
        if (next->focusProxy())
            continue;
        setTabOrder(previous, next);
        previous = next;
    }
}

bool TfrmCompContRec::Editing() const {
    return cdsCompensacao->Editing();
}
