// The list grid and the form page: controls bound to the compensation record, the bill grid and
// the items notebook with its payables and credits grids.

#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/recordset.h"
#include "host/widgets/data_source.h"
#include "host/widgets/db_date_edit.h"
#include "host/widgets/db_edit.h"
#include "host/widgets/db_grid.h"
#include "host/widgets/db_radio_group.h"
#include "host/widgets/db_text.h"
#include "host/widgets/gridcolumns.h"
#include "register/formresources.h"

#include <QStackedWidget>

namespace {

// Candidate lists keep the look of a hint: light tool-tip background.
void UseHintBackground(host::TDBGrid* grid) {
    QPalette palette = grid->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    grid->setPalette(palette);
    grid->setFrameShape(QFrame::NoFrame);
}

} // namespace

void TfrmCompContRec::BuildListGrid() {
    dbtNome->SetDataField(QStringLiteral("DADOSCOMP"));
    dbgPadrao->setAccessibleName(msgPadrao.Msg(QStringLiteral("LISTA")));
    dbgPadrao->SetColumns(
        host::LoadGridColumns(register_forms::kScreenGrids, dbgPadrao->objectName()));
}

void TfrmCompContRec::BuildFormPage() {
    const QList<QPair<host::TDBEdit*, const char*>> edits{{ui->dbeCdOperInc, "CDOPERLANCOMREC"},
                                                          {ui->dbeNmOperInc, "NMOPERADOR"},
                                                          {ui->dbeDtLancComp, "DTLANCOMCONTREC"},
                                                          {ui->dbeInsJurClie, "NRINSJURCLIE"},
                                                          {ui->dbeRazSocClie, "NMRAZSOCCLIE"},
                                                          {ui->dbeCdTpBxR, "CDTPBAIXAREC"},
                                                          {ui->dbeDsTpBxR, "NMTPBAIXAREC"},
                                                          {ui->dbeCdTpAjR, "CDAJUCTREC"},
                                                          {ui->dbeDsTpAjR, "DSAJUCTREC"},
                                                          {ui->dbeCdReduCont, "CDREDUCONT"},
                                                          {ui->dbeCdBanco, "CDBANCO"},
                                                          {ui->dbeCdAgen, "CDAGENCIA"},
                                                          {ui->dbeCdContCorr, "CDCONTCORR"},
                                                          {ui->dbeCdTpBxP, "CDTPBAIXAPAG"},
                                                          {ui->dbeDsTpBxP, "NMTPBAIXAPAG"},
                                                          {ui->dbeCdTpAjP, "CDAJUCTPAG"},
                                                          {ui->dbeDsTpAjP, "DSAJUCTPAG"},
                                                          {ui->dbeVrTotComp, "VRTOTALCOMREC"}};
    for (const auto& [edit, field] : edits) {
        edit->SetDataSource(dtsPadrao);
        edit->SetDataField(QLatin1String(field));
    }
    ui->dbeDtComp->SetDataSource(dtsPadrao);
    ui->dbeDtComp->SetDataField(QStringLiteral("DTCOMPCONTREC"));
    ui->dbeDtBaixa->SetDataSource(dtsPadrao);
    ui->dbeDtBaixa->SetDataField(QStringLiteral("DTBAIXACOMPREC"));
    // "Conta a Pagar" stores "0", "Crédito em Conta Corrente" stores "1".
    ui->dbrItensComp->SetValues({QStringLiteral("0"), QStringLiteral("1")});
    ui->dbrItensComp->SetColumns(2);
    ui->dbrItensComp->SetDataSource(dtsPadrao);
    ui->dbrItensComp->SetDataField(QStringLiteral("IDTPITUTLCOMREC"));
    ui->dbrItensComp->OnChange.Set([this] { dbrItensCompChange(); });

    const QList<QPair<host::TDBGrid*, host::TDataSource*>> grids{{ui->dbgContaRec, dtsBoletosRec},
                                                                 {ui->dbgConta, dtsBoletosPag},
                                                                 {ui->dbgLancCCorr, dtsCreditos}};
    for (const auto& [grid, source] : grids) {
        grid->SetDataSource(source);
        grid->SetColumns(host::LoadGridColumns(register_forms::kScreenGrids, grid->objectName()));
        // Marks are live only while a compensation is entered; a stored one shows greyed boxes.
        grid->SetMarkEditing([this] { return Editing(); });
        UseHintBackground(grid);
    }
    HabilitaDesabilitaCampos(false);
}
