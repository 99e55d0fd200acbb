// The screen's record sets: their fields from the form data and the texts shown for coded, money
// and masked fields wherever they appear.

#include "register/frmcompcontrec.h"

#include "data/recordset.h"
#include "data/text.h"
#include "documents/compensationlist.h"
#include "host/services/editmask.h"
#include "host/services/money.h"
#include "host/widgets/data_source.h"

namespace {

using host::Field;

void ShowMoney(host::RecordSet& recordSet, const QString& name) {
    recordSet.FieldByName(name).SetOnGetText(
        [](const Field& field, int row) { return host::MoneyText(field.ValueAt(row)); });
}

// Fields whose mask the screen sets per row show their value through it.
void ShowThroughMask(host::RecordSet& recordSet, const QString& name) {
    recordSet.FieldByName(name).SetOnGetText([](const Field& field, int row) {
        return host::FormatMaskText(field.EditMask(), field.ValueAt(row).toString());
    });
}

} // namespace

host::RecordSet* TfrmCompContRec::NewRecordSet(const QString& name) {
    auto* recordSet = new host::RecordSet(this);
    recordSet->setObjectName(name);
    recordSet->SetFieldDefs(m_form.RecordSetFields(name));
    return recordSet;
}

void TfrmCompContRec::BuildRecordSets() {
    cdsCompensacao = NewRecordSet(QStringLiteral("cdsCompensacao"));
    documents::ShowCompensationTexts(*cdsCompensacao, host::UserLocale());
    for (const char* masked : {"NRINSJURCLIE", "CDAGENCIA", "CDCONTCORR"})
        ShowThroughMask(*cdsCompensacao, QLatin1String(masked));
    const Field* total = &cdsCompensacao->FieldByName(QStringLiteral("VRTOTALCOMREC"));
    cdsCompensacao->FieldByName(QStringLiteral("DADOSCOMP"))
        .SetOnGetText([this, total](const Field& field, int row) {
            const QString stored = field.ValueAt(row).toString();
            if (host::EmptyString(stored))
                return QString();
            return msgPadrao.Msg(QStringLiteral("Comp")) + stored + QStringLiteral(" - ") +
                   host::MoneyText(total->ValueAt(row));
        });
    dtsPadrao->SetDataSet(cdsCompensacao);

    cdsBoletosRec = NewRecordSet(QStringLiteral("cdsBoletosRec"));
    host::ShowTaxId(*cdsBoletosRec, QStringLiteral("NRINSJURCLIE"), QStringLiteral("IDTPIJURCLIE"));
    ShowMoney(*cdsBoletosRec, QStringLiteral("VRORIGREC"));
    ShowMoney(*cdsBoletosRec, QStringLiteral("VRFINALBREC"));

    cdsBoletosPag = NewRecordSet(QStringLiteral("cdsBoletosPag"));
    host::ShowTaxId(*cdsBoletosPag, QStringLiteral("NRINSJURFORN"), QStringLiteral("IDTPIJURFORN"));
    ShowMoney(*cdsBoletosPag, QStringLiteral("VRFINALBPAG"));
    ShowMoney(*cdsBoletosPag, QStringLiteral("VRITEMCOMPREC"));

    cdsCreditos = NewRecordSet(QStringLiteral("cdsCreditos"));
    ShowMoney(*cdsCreditos, QStringLiteral("VRMOVICRED"));

    cdsNovaComp = NewRecordSet(QStringLiteral("cdsNovaComp"));
    ShowMoney(*cdsNovaComp, QStringLiteral("VRTOTALCOMREC"));

    auto bind = [this](host::RecordSet* recordSet, const QString& name) {
        auto* source = new host::TDataSource(this);
        source->setObjectName(name);
        source->SetDataSet(recordSet);
        return source;
    };
    dtsBoletosRec = bind(cdsBoletosRec, QStringLiteral("dtsBoletosRec"));
    dtsBoletosPag = bind(cdsBoletosPag, QStringLiteral("dtsBoletosPag"));
    dtsCreditos = bind(cdsCreditos, QStringLiteral("dtsCreditos"));

    connect(cdsCompensacao, &host::RecordSet::afterScroll, this,
            host::Guard([this] { cdsCompensacaoAfterScroll(); }));
    // A reload reopens the list even when its state stays browse: pages and buttons follow it.
    connect(cdsCompensacao, &host::RecordSet::afterOpen, this,
            host::Guard([this] { dtsPadraoStateChange(); }));
    dtsPadrao->OnStateChange.Set([this] { dtsPadraoStateChange(); });
}
