// The bank account of a new compensation: the company's accounts only, with bank, agency and
// account number shown through the pictures of the account's bank.

#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/recordset.h"
#include "data/text.h"
#include "host/sql/tadoibquery.h"
#include "host/widgets/db_edit.h"
#include "settlement/rules/codecheck.h"

namespace {

const QString kPictureSuffix = QStringLiteral(";0; ");

// Copied from the account's row into the record, in this order, after the code.
const char* const kAccountFields[] = {"CDBANCO", "CDAGENCIA", "CDCONTCORR", "CDPICTAGEN",
                                      "CDPICTCONT"};

} // namespace

void TfrmCompContRec::Vd_ContCorr(bool boObrigatorio) {
    VdCodigo(
        settlement::CodeCheck::Account(), boObrigatorio,
        [this](const QString& code) { AbreContCorr(code); }, [this] { ResetContCorr(); },
        [this] { CopiaContCorr(); });
}

// The company is the one chosen above the pages, not the record's; a blank code lists every
// account of the company.
void TfrmCompContRec::AbreContCorr(const QString& code) {
    host::TADOIBQuery* query = Lookup(settlement::CodeCheck::Account());
    query->Close();
    query->ParamByName(QStringLiteral("P_CDEMPRESA")).SetAsString(ui->edtCdEmpresa->text());
    query->ParamByName(QStringLiteral("P_CDREDUCONT")).SetAsString(code);
    query->Open();
}

void TfrmCompContRec::ResetContCorr() {
    ui->dbeCdReduCont->setFocus();
    cdsCompensacao->FieldByName(QStringLiteral("CDREDUCONT")).Clear();
    for (const char* field : kAccountFields)
        cdsCompensacao->FieldByName(QLatin1String(field)).Clear();
}

void TfrmCompContRec::CopiaContCorr() {
    const host::TADOIBQuery* query = Lookup(settlement::CodeCheck::Account());
    const QString code = query->FieldByName(QStringLiteral("CDREDUCONT")).AsString();
    ui->dbeCdReduCont->setText(code);
    cdsCompensacao->FieldByName(QStringLiteral("CDREDUCONT")).SetAsString(code);
    for (const char* field : kAccountFields)
        cdsCompensacao->FieldByName(QLatin1String(field))
            .SetAsString(query->FieldByName(QLatin1String(field)).AsString());
    AplicaPicturas();
}

// Typing another code makes bank, agency, account and pictures stale; the masks stay until the
// next account is found.
void TfrmCompContRec::dbeCdReduContChange() {
    if (!Editing())
        return;
    for (const char* field : kAccountFields)
        cdsCompensacao->FieldByName(QLatin1String(field)).Clear();
}

// A bank without a picture shows its numbers bare: keeping the mask of the account shown
// before would put another bank's separators into them.
void TfrmCompContRec::AplicaPicturas() {
    host::RecordSet& cds = *cdsCompensacao;
    const QList<QPair<const char*, const char*>> pictures{{"CDAGENCIA", "CDPICTAGEN"},
                                                          {"CDCONTCORR", "CDPICTCONT"}};
    for (const auto& [field, picture] : pictures) {
        const QString text = cds.FieldByName(QLatin1String(picture)).AsString();
        cds.FieldByName(QLatin1String(field))
            .SetEditMask(host::EmptyString(text) ? QString() : text + kPictureSuffix);
    }
}
