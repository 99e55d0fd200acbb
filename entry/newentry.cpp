// Starting a new compensation: a new row of the list and empty entry record sets.

#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/recordset.h"
#include "host/widgets/db_edit.h"

void TfrmCompContRec::sbtIncluirClick() {
    host::TfrmPadrao::sbtIncluirClick();
    cdsCompensacaoNewRecord();
    CreateEntryRecordSets();
    SwitchPage(tshFormulario);
    ui->dbeInsJurClie->setFocus();
}

// Created on first use, emptied for every new compensation (the date rules and the confirmation
// read them before any item is marked).
void TfrmCompContRec::CreateEntryRecordSets() {
    for (host::RecordSet* entry : {cdsBoletosRec, cdsBolRec, cdsBoletosPag, cdsBoletosMarcados,
                                   cdsCreditos, cdsLancMarcados}) {
        if (!entry->Active())
            entry->CreateDataSet();
        entry->EmptyDataSet();
    }
}
