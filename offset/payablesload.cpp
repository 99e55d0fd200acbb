// Entering the items notebook loads the list of its page; the payables come from the server
// with the payables parameters' defaults: every supplier, branch and settlement type, due
// dates around today by the parameters' day counts, any value.

#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/recordset.h"
#include "host/net/answers.h"
#include "host/net/netconnection.h"
#include "host/widgets/button_flat.h"
#include "host/widgets/focus_watch.h"

#include <QAction>
#include <QStackedWidget>

namespace {

const QString kKeyFields = QStringLiteral("CDFILIBPAG;NRLANBOLPAG");
constexpr int kPayablesPage = 0;

bool HasRows(const host::RecordSet& rows) {
    return rows.Active() && !rows.IsEmpty();
}

int Days(const host::RecordSet& parameters, const QString& field) {
    return HasRows(parameters) ? int(parameters.FieldByName(field).AsFloat()) : 0;
}

} // namespace

void TfrmCompContRec::WireItemsNotebook() {
    host::TFocusWatch* notebook = host::TFocusWatch::Of(ui->ntbItens);
    notebook->OnEnter.Set([this] { ntbItensEnter(); });
    notebook->OnExit.Set([this] { ntbItensExit(); });
}

// The notebook's reactions call into the screen, which is gone by the time its controls are.
void TfrmCompContRec::UnwireOffset() {
    host::TFocusWatch* notebook = host::TFocusWatch::Of(ui->ntbItens);
    notebook->OnEnter.Detach();
    notebook->OnExit.Detach();
}

// A failing call leaves the list as it was and stops the caller.
void TfrmCompContRec::getBoletosPag(bool relocate) {
    const bool listed = HasRows(*cdsBoletosPag);
    const QVariantList current{
        listed ? cdsBoletosPag->FieldByName(QStringLiteral("CDFILIBPAG")).AsString() : QString(),
        listed ? cdsBoletosPag->FieldByName(QStringLiteral("NRLANBOLPAG")).AsString() : QString()};
    host::RecordSet parameters;
    host::LoadRecordSet(netCompContRec->Call(QStringLiteral("GetGeralPag"), {}), parameters);
    const QDate today = QDate::currentDate();
    const QString boletos = HasRows(parameters)
                                ? parameters.FieldByName(QStringLiteral("IDHABIBOLE")).AsString()
                                : QString();
    // Loading the answer ticks the marked payables again (after-open reaction).
    host::LoadRecordSet(
        netCompContRec->Call(QStringLiteral("GetBoletosPag"),
                             {ui->edtCdEmpresa->text(), QString(), QString(), QString(), QString(),
                              QString(),
                              today.addDays(-Days(parameters, QStringLiteral("QTDIAANTBOLP"))),
                              today.addDays(Days(parameters, QStringLiteral("QTDIAAPOBOLP"))),
                              QString(), 0.0, 0.0, boletos}),
        *cdsBoletosPag);
    if (relocate)
        cdsBoletosPag->Locate(kKeyFields, current);
}

void TfrmCompContRec::ntbItensEnter() {
    Vd_DtCompensacao();
    Vd_DtBaixa();
    if (!Editing())
        return;
    sbtVerificar->setEnabled(true);
    mnuVerificar->setEnabled(true);
    if (ui->ntbItens->currentIndex() != kPayablesPage)
        return;
    getBoletosPag(true);
    sbtProcurar->setEnabled(HasRows(*cdsBoletosPag));
    mnuProcurar->setEnabled(sbtProcurar->isEnabled());
}

void TfrmCompContRec::ntbItensExit() {
    if (!Editing())
        return;
    for (QAction* entry : {mnuVerificar, mnuProcurar})
        entry->setEnabled(false);
    sbtVerificar->setEnabled(false);
    sbtProcurar->setEnabled(false);
}
