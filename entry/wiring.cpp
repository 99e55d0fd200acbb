// The entry's record sets, customer look-up and control reactions.

#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/recordset.h"
#include "entry/quietfocus.h"
#include "entry/rules/confirmation.h"
#include "host/services/abort.h"
#include "host/services/editmask.h"
#include "host/sql/tadoibquery.h"
#include "host/widgets/btn_pesquisa.h"
#include "host/widgets/data_source.h"
#include "host/widgets/db_date_edit.h"
#include "host/widgets/db_edit.h"
#include "host/widgets/db_grid.h"
#include "host/widgets/focus_watch.h"

void TfrmCompContRec::WireEntry() {
    cdsBolRec = NewRecordSet(QStringLiteral("cdsBolRec"));
    cdsBoletosMarcados = NewRecordSet(QStringLiteral("cdsBoletosMarcados"));
    cdsLancMarcados = NewRecordSet(QStringLiteral("cdsLancMarcados"));
    cdsAjBolRec = NewRecordSet(QStringLiteral("cdsAjBolRec"));
    cdsPossuiAjuste = NewRecordSet(QStringLiteral("cdsPossuiAjuste"));
    m_confirmKey = std::make_unique<entry::ConfirmationKey>();
    connect(cdsBoletosRec, &host::RecordSet::afterOpen, this,
            host::Guard([this] { cdsBoletosRecAfterOpen(); }));

    qryCliente = new host::TADOIBQuery(m_form.Query(QStringLiteral("qryCliente")), this);
    dtsCliente = new host::TDataSource(this);
    dtsCliente->setObjectName(QStringLiteral("dtsCliente"));
    dtsCliente->SetDataSet(&qryCliente->DataSet());
    // qryClienteNRINSJURCLIEGetText: the search list shows the tax id through its mask.
    host::ShowTaxId(qryCliente->DataSet(), QStringLiteral("NRINSJURCLIE"),
                    QStringLiteral("IDTPIJURCLIE"));

    ui->btpCliente->OnClick.Set([this] { btpClienteClick(); });
    host::TDBEdit* taxId = ui->dbeInsJurClie;
    taxId->OnEnter.Set([this] { dbeInsJurClieEnter(); });
    taxId->OnChange.Set([this] { dbeInsJurClieChange(); });
    taxId->OnExit.Set([this] { dbeInsJurClieExit(); });
    host::TFocusWatch::Of(ui->panEmprClie)->OnExit.Set([this] { panEmprClieExit(); });

    host::TDBGrid* bills = ui->dbgContaRec;
    bills->OnCellClick.Set([this](int column) { dbgContaRecCellClick(column); });
    bills->OnKeyDown.Set(
        [this](int& key, Qt::KeyboardModifiers shift) { dbgContaRecKeyDown(key, shift); });
    bills->OnEnter.Set([this] { dbgContaRecEnter(); });
    bills->OnExit.Set([this] { dbgContaRecExit(); });

    ui->dbeDtComp->OnChange.Set([this] { dbeDtCompChange(); });
    ui->dbeDtBaixa->OnChange.Set([this] { dbeDtBaixaChange(); });
    // dbeDtCompExit, dbeDtBaixaExit: the edit's own refusal of what was typed, in any state.
    for (host::TDBDateEditPlus* date : {ui->dbeDtComp, ui->dbeDtBaixa})
        date->OnExit.Set([this, date] {
            if (entry::FocusInWindow(this))
                date->CheckValidDate();
        });
}

// The reactions call into the screen, which is gone by the time its controls are torn down.
void TfrmCompContRec::UnwireEntry() {
    for (host::Reaction* reaction :
         {&ui->dbeInsJurClie->OnEnter, &ui->dbeInsJurClie->OnChange, &ui->dbeInsJurClie->OnExit,
          &host::TFocusWatch::Of(ui->panEmprClie)->OnExit, &ui->dbgContaRec->OnEnter,
          &ui->dbgContaRec->OnExit, &ui->dbeDtComp->OnChange, &ui->dbeDtBaixa->OnChange,
          &ui->dbeDtComp->OnExit, &ui->dbeDtBaixa->OnExit})
        reaction->Detach();
}
