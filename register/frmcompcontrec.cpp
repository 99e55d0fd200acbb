#include "register/frmcompcontrec.h"

// btn_pesquisa.h holds a QPointer to a data source it only declares.
#include "host/widgets/data_source.h"

#include "ui_frmcompcontrec.h"

#include "host/net/netconnection.h"
#include "host/services/session.h"
#include "host/widgets/btn_pesquisa.h"
#include "host/widgets/edit.h"

#include <QLayout>

namespace {
const QString kServerName = QStringLiteral("REC18000.rdmCompContRec");
}

TfrmCompContRec::TfrmCompContRec(QWidget* parent)
    : host::TfrmPadrao(parent), netCompContRec(new host::TNetConnection(this)),
      ui(std::make_unique<Ui::TfrmCompContRec>()) {
    // The form file holds the caption and the company panel; the panel moves into the base
    // screen above its pages.
    QWidget form;
    ui->setupUi(&form);
    setWindowTitle(form.windowTitle());
    panEmpresa = ui->panEmpresa;
    lblEmpresa = ui->lblEmpresa;
    edtCdEmpresa = ui->edtCdEmpresa;
    btpEmpresa = ui->btpEmpresa;
    edtNmEmpresa = ui->edtNmEmpresa;
    form.layout()->removeWidget(panEmpresa);
    AddAbovePages(panEmpresa);
    PutCompanyPanelFirst();

    netCompContRec->setObjectName(QStringLiteral("netCompContRec"));
    netCompContRec->SetServerName(kServerName);
    netCompContRec->SetThrowException(false);
    connect(netCompContRec, &host::TNetConnection::beforeConnect, this,
            &TfrmCompContRec::netCompContRecBeforeConnect);
}

TfrmCompContRec::~TfrmCompContRec() = default;

void TfrmCompContRec::FormCreate() {
    TfrmPadrao::FormCreate();
    netCompContRec->SetConnected(true);
    SetActivePage(tshFolhaDados);
}

void TfrmCompContRec::FormDestroy() {
    TfrmPadrao::FormDestroy();
    netCompContRec->SetConnected(false);
}

void TfrmCompContRec::netCompContRecBeforeConnect() {
    const host::Session& session = host::session();
    netCompContRec->SetHost(session.WebURL());
    netCompContRec->SetPort(session.WebPort());
    netCompContRec->SetToken(session.Token());
}

// The panel joined the screen last, so its controls close the focus chain; chaining every other
// control after them makes the panel's code edit the first stop.
void TfrmCompContRec::PutCompanyPanelFirst() {
    QList<QWidget*> others;
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && !panEmpresa->isAncestorOf(w))
            others.append(w);
    QWidget* previous = edtCdEmpresa;
    for (QWidget* next : others) {
        setTabOrder(previous, next);
        previous = next;
    }
}
