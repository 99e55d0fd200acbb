// The items notebook follows the offset kind of the compensation shown.

#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/recordset.h"
#include "host/widgets/db_radio_group.h"

#include <QStackedWidget>

// Runs on a click and on every record change, so a stored compensation shows the page of its
// own kind.
void TfrmCompContRec::dbrItensCompChange() {
    ui->ntbItens->setCurrentIndex(ui->dbrItensComp->ItemIndex() == 0 ? 0 : 1);
}

// A stored compensation has items of one kind: the other list must not show what an earlier
// compensation left in it.
void TfrmCompContRec::EmptyItemsBut(host::RecordSet* kept) {
    for (host::RecordSet* items : {cdsBoletosPag, cdsCreditos})
        if (items != kept && items->Active())
            items->EmptyDataSet();
}
