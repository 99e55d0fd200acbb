// Deleting the current compensation: the server undoes it or says why not.

#include "register/frmcompcontrec.h"

#include "data/recordset.h"
#include "entry/rules/confirmation.h"
#include "host/net/answers.h"
#include "host/net/netconnection.h"
#include "host/services/abort.h"

#include <QVariant>

namespace {
const QString kOk = QStringLiteral("OK");
const QString kMessageKey = QStringLiteral("ERR");
} // namespace

void TfrmCompContRec::sbtExcluirClick() {
    if (cdsCompensacao->IsEmpty() || Editing() ||
        msgPadraoBase().ShowMsg(QStringLiteral("Excl")) != host::mrYes)
        return;
    entry::PackRow(*cdsCompensacao, *cdsNovaComp);
    const QString answer = host::StatusText(netCompContRec->Call(
        QStringLiteral("SetExcluiCompensacao"), {QVariant::fromValue(cdsNovaComp)}));
    if (answer == kOk) {
        // The cursor moves to the row that followed (the one before, for the last row); the
        // reload then stands on that compensation, whose items load once.
        HoldingScrolls([this] {
            cdsCompensacao->Delete();
            GetCompensacao(true, QString());
        });
        return;
    }
    // A key this screen does not know is still shown rather than an empty message.
    const bool known = answer.left(3) == kMessageKey && msgPadrao.Contains(answer);
    host::MensErro(known ? msgPadrao.Msg(answer) : answer);
}
