// The receivable and payable settlement and adjustment types: four codes that differ only in
// their row of the table (settlement/rules/codecheck.cpp).

#include "register/frmcompcontrec.h"

#include "data/recordset.h"
#include "host/sql/tadoibquery.h"
#include "host/widgets/db_edit.h"
#include "settlement/rules/codecheck.h"

void TfrmCompContRec::Vd_TipoBaixaRec(bool boObrigatorio) {
    Vd_Tipo(settlement::CodeCheck::Type(settlement::CodeType::BaixaRec), boObrigatorio);
}

void TfrmCompContRec::Vd_TipoAjusteRec(bool boObrigatorio) {
    Vd_Tipo(settlement::CodeCheck::Type(settlement::CodeType::AjusteRec), boObrigatorio);
}

void TfrmCompContRec::Vd_TipoBaixaPag(bool boObrigatorio) {
    Vd_Tipo(settlement::CodeCheck::Type(settlement::CodeType::BaixaPag), boObrigatorio);
}

void TfrmCompContRec::Vd_TipoAjustePag(bool boObrigatorio) {
    Vd_Tipo(settlement::CodeCheck::Type(settlement::CodeType::AjustePag), boObrigatorio);
}

void TfrmCompContRec::Vd_Tipo(const settlement::CodeDef& def, bool boObrigatorio) {
    VdCodigo(
        def, boObrigatorio,
        [this, &def](const QString& code) {
            host::TADOIBQuery* query = Lookup(def);
            query->Close();
            query->ParamByName(def.codeField).SetAsString(code);
            query->Open();
        },
        [this, &def] { ResetTipo(def); }, [this, &def] { CopiaTipo(def); });
}

void TfrmCompContRec::ResetTipo(const settlement::CodeDef& def) {
    findChild<QWidget*>(def.edit)->setFocus();
    cdsCompensacao->FieldByName(def.codeField).Clear();
    cdsCompensacao->FieldByName(def.descField).Clear();
}

// The code first: writing it into the edit clears the description, which comes last.
void TfrmCompContRec::CopiaTipo(const settlement::CodeDef& def) {
    const host::TADOIBQuery* query = Lookup(def);
    const QString code = query->FieldByName(def.codeField).AsString();
    findChild<host::TDBEdit*>(def.edit)->setText(code);
    cdsCompensacao->FieldByName(def.codeField).SetAsString(code);
    cdsCompensacao->FieldByName(def.descField)
        .SetAsString(query->FieldByName(def.descField).AsString());
}
