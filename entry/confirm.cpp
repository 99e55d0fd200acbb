// Confirming a new compensation: every check of the entry in order, the value check, the
// adjustment checks on the server, then the server generates it.

#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/recordset.h"
#include "data/text.h"
#include "entry/quietfocus.h"
#include "entry/rules/confirmation.h"
#include "entry/rules/valuecheck.h"
#include "host/net/answers.h"
#include "host/net/netconnection.h"
#include "host/net/neterror.h"
#include "host/services/abort.h"
#include "host/services/dialogs.h"
#include "host/services/money.h"
#include "host/services/session.h"
#include "host/widgets/db_edit.h"
#include "host/widgets/db_grid.h"

#include <QStackedWidget>

namespace {

const QString kOk = QStringLiteral("OK");
constexpr int kPayablesPage = 0;

} // namespace

void TfrmCompContRec::sbtConfirmarClick() {
    if (!Editing())
        return;
    Vd_Cliente(true);
    Vd_Documento();
    Vd_TipoBaixaRec(true);
    Vd_TipoAjusteRec(true);
    // Before the account and the dates: a duplicate adjustment is told even when those are
    // still missing.
    Vd_AjusteBolRec();
    Vd_ContCorr(true);
    Vd_DtCompensacao();
    Vd_DtBaixa();
    if (ui->ntbItens->currentIndex() == kPayablesPage) {
        Vd_TipoBaixaPag(true);
        Vd_TipoAjustePag(true);
        Vd_AjusteBolPag();
    }
    Vd_ValorCompensacao();
    entry::PackRow(*cdsCompensacao, *cdsNovaComp);
    GeraCompensacao();
}

void TfrmCompContRec::Vd_ValorCompensacao() {
    if (!Editing())
        return;
    const entry::ValueCheck check(
        cdsCompensacao->FieldByName(QStringLiteral("VRTOTALCOMREC")).AsFloat(),
        cdsBolRec->Active() && !cdsBolRec->IsEmpty()
            ? cdsBolRec->FieldByName(QStringLiteral("VRFINALBREC")).AsFloat()
            : 0.0);
    if (check.verdict() == entry::ValueCheck::Verdict::WholeBill) {
        Vd_DataEntrRec();
        return;
    }
    if (check.verdict() != entry::ValueCheck::Verdict::Refused)
        return;
    if (check.showsBill())
        cdsBoletosRec->Locate(QStringLiteral("IDMARCADO"), {QStringLiteral("S")});
    host::MensErro(msgPadrao.Msg(check.message()));
}

void TfrmCompContRec::Vd_AjusteBolRec() {
    if (!Editing())
        return;
    host::LoadRecordSet(
        netCompContRec->Call(QStringLiteral("GetVdAjBolRec"),
                             {cdsBolRec->FieldByName(QStringLiteral("CDFILIBOLREC")).AsString(),
                              cdsBolRec->FieldByName(QStringLiteral("NRLANBOLREC")).AsString(),
                              ui->dbeCdTpAjR->text()}),
        *cdsAjBolRec);
    if (cdsAjBolRec->IsEmpty())
        return;
    entry::FocusQuietly(ui->dbeCdTpAjR);
    host::MensErro(msgPadrao.Msg(QStringLiteral("TIPOAJRECCAD")));
}

void TfrmCompContRec::Vd_AjusteBolPag() {
    if (!Editing())
        return;
    host::LoadRecordSet(
        netCompContRec->Call(QStringLiteral("GetVdAjBolPag"),
                             {QVariant::fromValue(cdsBoletosMarcados), ui->dbeCdTpAjP->text()}),
        *cdsPossuiAjuste);
    const QString listed = entry::AdjustedPayablesText(*cdsPossuiAjuste, host::UserLocale());
    if (host::EmptyString(listed))
        return;
    host::dialogs().Message(msgPadrao.Msg(QStringLiteral("TIPOAJPAGCAD")).replace("%s", listed),
                            host::MessageKind::Error, host::MessageButtons::Ok);
    host::Abort();
}

// Only the server's answer ends the confirmation's key: after a call that got none, the same
// request goes again with the same key and cannot generate a second compensation.
void TfrmCompContRec::GeraCompensacao() {
    const QVariantList params{ui->edtCdEmpresa->text(),
                              host::session().FiliProc(),
                              QVariant::fromValue(cdsNovaComp),
                              QVariant::fromValue(cdsBolRec),
                              QVariant::fromValue(cdsBoletosMarcados),
                              QVariant::fromValue(cdsLancMarcados),
                              msgPadrao.Msg(QStringLiteral("DocComp"))};
    const QByteArray request = cdsNovaComp->Data() + cdsBolRec->Data() +
                               cdsBoletosMarcados->Data() + cdsLancMarcados->Data();
    const host::NetAnswer answer =
        netCompContRec->Call(QStringLiteral("SetGeraCompensacao"), params,
                             host::TNetConnection::Animation::Busy, m_confirmKey->For(request));
    m_confirmKey->Answered();
    const QStringList status = host::StatusPair(answer);
    if (status.value(0) != kOk)
        host::MensErro(status.value(1));
    ShowGenerated(status.value(1));
}

// The new number goes into the row before anything else, so that a list that cannot be
// reloaded still shows which compensation was generated.
void TfrmCompContRec::ShowGenerated(const QString& number) {
    HoldingScrolls([&] {
        cdsCompensacao->FieldByName(QStringLiteral("NRLANCCOMPREC")).SetAsString(number);
        if (Editing())
            cdsCompensacao->Post();
        SwitchPage(tshFolhaDados);
        try {
            GetCompensacao(true, number);
        } catch (const host::ENetError& failure) {
            host::MensErro(msgPadrao.Msg(QStringLiteral("COMPGERLISTA"))
                               .arg(number, QString::fromStdString(failure.what())));
        }
    });
}
