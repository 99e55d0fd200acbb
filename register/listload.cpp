// Loading the list through the list filter, positioned; loading one compensation's items.

#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/codec.h"
#include "data/recordset.h"
#include "data/text.h"
#include "host/net/netconnection.h"
#include "host/services/abort.h"
#include "host/services/serveranswer.h"
#include "register/filtrocomprec.h"

#include <QScopedValueRollback>

namespace {
const QString kKeyFields = QStringLiteral("CDEMPRESA;NRLANCCOMPREC");
const QString kNumber = QStringLiteral("NRLANCCOMPREC");
const QString kPayables = QStringLiteral("0");
} // namespace

void TfrmCompContRec::GetCompensacao(bool position, const QString& number) {
    HoldingScrolls([&] {
        QString wanted =
            cdsCompensacao->IsEmpty() ? QString() : cdsCompensacao->FieldByName(kNumber).AsString();
        CriaFiltroCompRec(ui->edtCdEmpresa->text(), kEscondeFiltro);
        if (!position)
            return;
        if (!host::EmptyString(number))
            wanted = number;
        cdsCompensacao->Locate(kKeyFields, {ui->edtCdEmpresa->text(), wanted});
    });
}

// The cursor may move several times in one step (a reload lands on the first row, then is
// positioned): the reaction to a move runs once, for where the step left it. A failed step
// leaves the rows as they were and runs nothing.
void TfrmCompContRec::HoldingScrolls(const std::function<void()>& step) {
    if (m_scrollsHeld) {
        step();
        return;
    }
    m_scrolledWhileHeld = false;
    {
        const QScopedValueRollback held(m_scrollsHeld, true);
        step();
    }
    if (m_scrolledWhileHeld)
        cdsCompensacaoAfterScroll();
}

void TfrmCompContRec::GetContaItensCompensacao() {
    if (!cdsCompensacao->Active() || cdsCompensacao->IsEmpty() || Editing())
        return;
    const host::RecordSet& cds = *cdsCompensacao;
    const QString kind = cds.FieldByName(QStringLiteral("IDTPITUTLCOMREC")).AsString();
    const host::NetAnswer answer =
        netCompContRec->Call(QStringLiteral("GetContaItensComp"),
                             {cds.FieldByName(QStringLiteral("CDEMPRESA")).AsString(),
                              cds.FieldByName(kNumber).AsString(), kind});
    if (answer.Refused())
        host::CheckResultServ(
            host::ServerAnswer::Failure(answer.ErrorCode(), answer.ErrorMessage()));
    const QList<host::NetAnswer> parts = answer.Elements();
    if (parts.size() != 2)
        host::MensErro(msgPadrao.Msg(QStringLiteral("RESPITENS")));
    // Both decoded before either list changes: a bad answer leaves the lists as they were.
    host::RecordSetTable bill = host::codec::Decode(parts[0].Json());
    host::RecordSetTable items = host::codec::Decode(parts[1].Json());
    host::RecordSet* kept = kind == kPayables ? cdsBoletosPag : cdsCreditos;
    cdsBoletosRec->SetTable(std::move(bill));
    kept->SetTable(std::move(items));
    EmptyItemsBut(kept);
}
