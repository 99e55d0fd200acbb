// The customer of a new compensation: its tax id typed or searched, validated against the
// customer look-up, and the moment its open bills are fetched.

#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/recordset.h"
#include "entry/quietfocus.h"
#include "host/services/abort.h"
#include "host/services/dialogs.h"
#include "host/services/editmask.h"
#include "data/text.h"
#include "host/sql/tadoibquery.h"
#include "host/widgets/data_source.h"
#include "host/widgets/db_edit.h"

namespace {
const QString kTaxId = QStringLiteral("NRINSJURCLIE");
const QString kPersonType = QStringLiteral("IDTPIJURCLIE");
const QString kCustomer = QStringLiteral("CDCLIENTE");
const QString kName = QStringLiteral("NMRAZSOCCLIE");
} // namespace

void TfrmCompContRec::btpClienteClick() {
    qryCliente->Close();
    qryCliente->ParamByName(kTaxId).SetAsString(QString());
    qryCliente->Open();
    const QString title = msgPadrao.Msg(QStringLiteral("CLIENTE")) + QLatin1Char('|') +
                          msgPadrao.Msg(QStringLiteral("NCLIENTE"));
    if (!host::dialogs().Pesquisar(*dtsCliente->DataSet(), title))
        return;
    {
        // The pick is no typing: it neither forgets the customer nor validates it again.
        const host::Reaction::Detached quietChange(ui->dbeInsJurClie->OnChange);
        const host::Reaction::Detached quietExit(ui->dbeInsJurClie->OnExit);
        TakeCliente();
        ApplyTaxIdMask();
    }
    getBoletosRec(false);
}

// The operator types the bare tax id.
void TfrmCompContRec::dbeInsJurClieEnter() {
    if (!Editing())
        return;
    const host::Reaction::Detached quietChange(ui->dbeInsJurClie->OnChange);
    cdsCompensacao->FieldByName(kTaxId).SetEditMask(QString());
}

// A customer once chosen is forgotten as soon as its tax id is touched.
void TfrmCompContRec::dbeInsJurClieChange() {
    if (!Editing())
        return;
    for (const QString& name : {kCustomer, kPersonType, kName})
        cdsCompensacao->FieldByName(name).Clear();
}

void TfrmCompContRec::dbeInsJurClieExit() {
    if (!Editing() || !entry::FocusInWindow(this))
        return;
    Vd_Cliente(false);
    const host::Reaction::Detached quietChange(ui->dbeInsJurClie->OnChange);
    ApplyTaxIdMask();
}

// The bills follow the customer when the focus leaves the header; a list that already belongs
// to this customer is kept.
void TfrmCompContRec::panEmprClieExit() {
    if (!Editing() || !entry::FocusInWindow(this))
        return;
    const QString listed = cdsBoletosRec->Active() && !cdsBoletosRec->IsEmpty()
                               ? cdsBoletosRec->FieldByName(kCustomer).AsString()
                               : QString();
    if (cdsCompensacao->FieldByName(kCustomer).AsString() == listed)
        return;
    if (!cdsBoletosRec->Active())
        cdsBoletosRec->CreateDataSet();
    cdsBoletosRec->EmptyDataSet();
    getBoletosRec(false);
}

// Blank passes on leaving (required false) and fails at confirmation (required true).
void TfrmCompContRec::Vd_Cliente(bool boObrigatorio) {
    if (!Editing())
        return;
    const QString typed = TypedTaxId();
    if (host::EmptyString(typed)) {
        if (!boObrigatorio)
            return;
        ResetCliente();
        host::MensErro(msgPadrao.Msg(QStringLiteral("CLIENTENULL")));
    }
    qryCliente->Close();
    qryCliente->ParamByName(kTaxId).SetAsString(typed);
    qryCliente->Open();
    if (qryCliente->IsEmpty()) {
        ResetCliente();
        host::MensErro(msgPadrao.Msg(QStringLiteral("CLIENTENCAD")));
    }
    TakeCliente();
}

void TfrmCompContRec::ResetCliente() {
    entry::FocusQuietly(ui->dbeInsJurClie);
    for (const QString& name : {kCustomer, kPersonType, kName})
        cdsCompensacao->FieldByName(name).Clear();
}

// The look-up's current row becomes the record's customer: the four fields travel together.
// Writing the text runs the change reaction (when attached) before the fields are filled.
void TfrmCompContRec::TakeCliente() {
    ui->dbeInsJurClie->setText(qryCliente->FieldByName(kTaxId).AsString());
    for (const QString& name : {kTaxId, kCustomer, kPersonType, kName})
        cdsCompensacao->FieldByName(name).SetAsString(qryCliente->FieldByName(name).AsString());
}

void TfrmCompContRec::ApplyTaxIdMask() {
    const QString personType = cdsCompensacao->FieldByName(kPersonType).AsString();
    if (!host::EmptyString(personType))
        cdsCompensacao->FieldByName(kTaxId).SetEditMask(host::PictPess(personType));
}

// The bare tax id, as the customer table holds it, whether or not the control shows a mask.
QString TfrmCompContRec::TypedTaxId() const {
    const QString mask = cdsCompensacao->FieldByName(kTaxId).EditMask();
    const QString text = ui->dbeInsJurClie->text();
    return mask.isEmpty() ? text : host::StripMaskText(mask, text);
}
