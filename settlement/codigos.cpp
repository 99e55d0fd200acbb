// What the four types and the bank account share: their look-ups and search buttons, and the
// check run on a code edit.

#include "register/frmcompcontrec.h"

#include "data/recordset.h"
#include "host/services/abort.h"
#include "host/sql/tadoibquery.h"
#include "host/widgets/btn_pesquisa.h"
#include "host/widgets/data_source.h"
#include "host/widgets/db_edit.h"
#include "settlement/rules/codecheck.h"

#include <QLabel>

namespace {

QString SourceName(const settlement::CodeDef& def) {
    return QStringLiteral("dts") + def.query.mid(3); // qryContCorr -> dtsContCorr
}

} // namespace

void TfrmCompContRec::WireSettlement() {
    for (settlement::CodeType tipo :
         {settlement::CodeType::BaixaRec, settlement::CodeType::AjusteRec,
          settlement::CodeType::BaixaPag, settlement::CodeType::AjustePag}) {
        const settlement::CodeDef& def = settlement::CodeCheck::Type(tipo);
        auto* edit = findChild<host::TDBEdit*>(def.edit);
        auto* button = findChild<host::TBtnPesquisa*>(def.button);
        host::TADOIBQuery* query = NewLookup(def);
        // The search lists every qualifying type: an empty parameter reaches the SQL as null.
        button->OnBeforePesq.Set([query, &def] {
            query->Close();
            query->ParamByName(def.codeField).SetAsString(QString());
            query->Open();
        });
        button->OnAfterPesq.Set([this, edit, &def] {
            const host::Reaction::Detached quietChange(edit->OnChange);
            const host::Reaction::Detached quietExit(edit->OnExit);
            CopiaTipo(def);
        });
        // Typing makes the shown description stale; the code itself stays as typed.
        edit->OnChange.Set([this, &def] {
            if (Editing())
                cdsCompensacao->FieldByName(def.descField).Clear();
        });
        edit->OnExit.Set([this, &def] { Vd_Tipo(def, false); });
    }

    const settlement::CodeDef& conta = settlement::CodeCheck::Account();
    auto* edit = findChild<host::TDBEdit*>(conta.edit);
    auto* button = findChild<host::TBtnPesquisa*>(conta.button);
    NewLookup(conta);
    button->OnBeforePesq.Set([this] { AbreContCorr(QString()); });
    button->OnAfterPesq.Set([this, edit] {
        const host::Reaction::Detached quietChange(edit->OnChange);
        const host::Reaction::Detached quietExit(edit->OnExit);
        CopiaContCorr();
    });
    edit->OnChange.Set([this] { dbeCdReduContChange(); });
    edit->OnExit.Set([this] { Vd_ContCorr(false); });
}

// The look-up of a code, its data source, and the search button over it with the captions the
// search shows.
host::TADOIBQuery* TfrmCompContRec::NewLookup(const settlement::CodeDef& def) {
    auto* query = new host::TADOIBQuery(m_form.Query(def.query), this);
    query->setObjectName(def.query);
    auto* source = new host::TDataSource(this);
    source->setObjectName(SourceName(def));
    source->SetDataSet(&query->DataSet());
    auto* button = findChild<host::TBtnPesquisa*>(def.button);
    button->SetDataSource(source);
    button->SetTitle(msgPadrao.Msg(def.titleKey));
    button->SetEmptyError(msgPadrao.Msg(def.emptyKey));
    if (auto* label = findChild<QLabel*>(def.label))
        label->setBuddy(findChild<QWidget*>(def.edit));
    return query;
}

host::TADOIBQuery* TfrmCompContRec::Lookup(const settlement::CodeDef& def) const {
    return findChild<host::TADOIBQuery*>(def.query, Qt::FindDirectChildrenOnly);
}

// Outside an entry nothing is checked. abre runs the look-up for the normalised code, which
// the code edit shows from then on.
void TfrmCompContRec::VdCodigo(const settlement::CodeDef& def, bool boObrigatorio,
                               const std::function<void(const QString&)>& abre,
                               const std::function<void()>& reseta,
                               const std::function<void()>& copia) {
    if (!Editing())
        return;
    auto* edit = findChild<host::TDBEdit*>(def.edit);
    const settlement::CodeVerdict veredito =
        settlement::CodeCheck::Check(def, edit->text(), boObrigatorio, [&](const QString& codigo) {
            edit->setText(codigo);
            abre(edit->text());
            return !Lookup(def)->IsEmpty();
        });
    if (veredito.action == settlement::CodeVerdict::Action::Refuse) {
        reseta();
        host::MensErro(msgPadrao.Msg(veredito.message));
    }
    if (veredito.action == settlement::CodeVerdict::Action::Found)
        copia();
}
