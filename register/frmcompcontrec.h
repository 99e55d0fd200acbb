#pragma once

// The module's one screen. Its handlers are spread over the subsystem folders (register/,
// entry/, settlement/, offset/), one file per concern. Create it with host::CreateForm so that
// FormCreate and FormDestroy run.

#include "host/forms/tfrmpadrao.h"

#include <memory>

class QFrame;
class QLabel;

namespace host {
class TBtnPesquisa;
class TEdit;
class TNetConnection;
} // namespace host

namespace Ui {
class TfrmCompContRec;
}

class TfrmCompContRec : public host::TfrmPadrao {
    Q_OBJECT
public:
    explicit TfrmCompContRec(QWidget* parent = nullptr);
    ~TfrmCompContRec() override;

    // Connection to the remote object that holds all business data; the filter dialogs call
    // the server through it too.
    host::TNetConnection* netCompContRec;

protected:
    void FormCreate() override;
    void FormDestroy() override;

    // Company panel, above the pages and first in the tab order.
    QFrame* panEmpresa;
    QLabel* lblEmpresa;
    host::TEdit* edtCdEmpresa;
    host::TBtnPesquisa* btpEmpresa;
    host::TEdit* edtNmEmpresa;

private:
    void netCompContRecBeforeConnect();
    void PutCompanyPanelFirst();

    std::unique_ptr<Ui::TfrmCompContRec> ui;
};
