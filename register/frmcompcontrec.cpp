#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "host/net/netconnection.h"
#include "host/services/session.h"

namespace {
const QString kServerName = QStringLiteral("REC18000.rdmCompContRec");
}

TfrmCompContRec::TfrmCompContRec(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::TfrmCompContRec>()) {
    ui->setupUi(this);
    netCompContRec = new host::TNetConnection(this);
    netCompContRec->setObjectName(QStringLiteral("netCompContRec"));
    netCompContRec->SetServerName(kServerName);
    netCompContRec->SetThrowException(false);
    connect(netCompContRec, &host::TNetConnection::beforeConnect, this,
            &TfrmCompContRec::netCompContRecBeforeConnect);
    FormCreate();
}

TfrmCompContRec::~TfrmCompContRec() { FormDestroy(); }

void TfrmCompContRec::FormCreate() {
    netCompContRec->SetConnected(true);
    ui->pgcPadrao->setCurrentWidget(ui->tshFolhaDados);
}

void TfrmCompContRec::FormDestroy() { netCompContRec->SetConnected(false); }

void TfrmCompContRec::netCompContRecBeforeConnect() {
    const host::Session& session = host::session();
    netCompContRec->SetHost(session.WebURL());
    netCompContRec->SetPort(session.WebPort());
    netCompContRec->SetToken(session.Token());
}
