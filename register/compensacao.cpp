// The compensation record: a new row's defaults and the reaction to a move of the list cursor.

#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/recordset.h"
#include "data/text.h"
#include "host/services/session.h"
#include "host/widgets/db_edit.h"
#include "host/widgets/db_grid.h"
#include "host/widgets/db_radio_group.h"

#include <QDate>
#include <QStackedWidget>

namespace {
const QString kPayables = QStringLiteral("0");
} // namespace

void TfrmCompContRec::cdsCompensacaoNewRecord() {
    host::RecordSet& cds = *cdsCompensacao;
    const host::Session& session = host::session();
    cds.FieldByName(QStringLiteral("CDEMPRESA")).SetAsString(ui->edtCdEmpresa->text());
    cds.FieldByName(QStringLiteral("CDOPERLANCOMREC")).SetAsString(session.Operador());
    cds.FieldByName(QStringLiteral("NMOPERADOR")).SetAsString(session.NomeOperador());
    const QDateTime today = QDate::currentDate().startOfDay();
    for (const char* date : {"DTLANCOMCONTREC", "DTCOMPCONTREC", "DTBAIXACOMPREC"})
        cds.FieldByName(QLatin1String(date)).SetAsDateTime(today);
    cds.FieldByName(QStringLiteral("IDTPITUTLCOMREC")).SetAsString(kPayables);
    ui->ntbItens->setCurrentIndex(ui->dbrItensComp->ItemIndex() == 0 ? 0 : 1);
    for (const char* masked : {"NRINSJURCLIE", "CDAGENCIA", "CDCONTCORR"})
        cds.FieldByName(QLatin1String(masked)).SetEditMask({});
}

void TfrmCompContRec::cdsCompensacaoAfterScroll() {
    if (m_scrollsHeld) {
        m_scrolledWhileHeld = true;
        return;
    }
    if (cdsCompensacao->IsEmpty())
        return;
    AplicaMask();
    if (ActivePage() == tshFormulario)
        GetContaItensCompensacao();
    else if (!Editing() && dbgPadrao->isVisible())
        dbgPadrao->setFocus();
}

// The tax id and the bank pictures are field masks: every control bound to the field shows the
// current row through them.
void TfrmCompContRec::AplicaMask() {
    if (Editing())
        return;
    host::RecordSet& cds = *cdsCompensacao;
    const host::BasicReaction<>::Detached quietState(dtsPadrao->OnStateChange);
    const host::BasicReaction<>::Detached quietTaxId(ui->dbeInsJurClie->OnChange);
    const QString personType = cds.FieldByName(QStringLiteral("IDTPIJURCLIE")).AsString();
    if (!host::EmptyString(personType))
        cds.FieldByName(QStringLiteral("NRINSJURCLIE")).SetEditMask(host::PictPess(personType));
    AplicaPicturas();
}
