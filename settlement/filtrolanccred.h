#pragma once

// The bank-credits filter dialog: asks the server for the company's unused credits and fills the
// main screen's credits list, shown by the filter button or re-run hidden with its last
// confirmed settings.

#include "host/forms/tfrmfiltropadrao.h"
#include "host/services/formdata.h"
#include "module/cli_rec18003.h"
#include "register/filtrodialogo.h"

#include <QString>

#include <memory>

namespace host {
class TADOIBQuery;
}

namespace Ui {
class TfrmFiltroLancCred;
}

// Hands the company to the dialog (stEmpr), creates the dialog on first use and runs it in the
// mode (kBotaoFiltro, kEscondeFiltro). A failure of a hidden run propagates to the caller.
void CriaFiltroLancCred(const QString& company, const QString& mode);

class TfrmFiltroLancCred : public host::TfrmFiltroPadrao {
    Q_OBJECT
public:
    explicit TfrmFiltroLancCred(QWidget* parent = nullptr);
    ~TfrmFiltroLancCred() override;

    // The last confirmed settings, kept for the module's load.
    Cli_rec18003::TFILTRO Filtro;
    // Lists picked since the dialog was last filled, not yet confirmed.
    QString stTipo;
    QString stCCorr;

    // Puts the confirmed settings into the controls: when the dialog is opened and before a
    // hidden run, never on a mere re-activation (a picker closing would wipe what was typed).
    void FormActivate();
    // Validates the controls, loads the main screen's credits and keeps the settings.
    void sbtConfirmaClick() override;

protected:
    void FormCreate() override;

private:
    // The settings of a cleared filter: the processing date, any value, every type and account.
    static Cli_rec18003::TFILTRO LimpaFiltro();
    void SetCamposFiltro(const Cli_rec18003::TFILTRO& filtro);
    void SetFiltroCampos();
    void sbtLimpaClick();
    void btpTipoClick();
    void btpCCorrClick();
    // Stops the confirmation (EAbort) with the focus on the control to correct.
    void CheckFiltro();

    std::unique_ptr<Ui::TfrmFiltroLancCred> ui;
    host::FormData m_form;
    host::TADOIBQuery* qryLancCred = nullptr;
    host::TADOIBQuery* qryContCorr = nullptr;
};
