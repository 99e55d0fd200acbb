#pragma once

// The payables filter dialog: asks the server for the payables a compensation may use and fills
// the main screen's payables list, shown by the filter button or re-run hidden with its last
// confirmed settings. Its defaults come from the general payables parameters.

#include "host/forms/tfrmfiltropadrao.h"
#include "host/services/formdata.h"
#include "module/cli_rec18001.h"
#include "register/filtrodialogo.h"

#include <QString>

#include <memory>

namespace host {
class RecordSet;
class TADOIBQuery;
} // namespace host

namespace Ui {
class TfrmFiltroCntPagar;
}

// Hands the company to the dialog (stEmpr), creates the dialog on first use and runs it in the
// mode (kBotaoFiltro, kEscondeFiltro). A failure of creation or of a hidden run propagates to
// the caller; a dialog whose defaults could not be had is not kept.
void CriaFiltroCntPagar(const QString& company, const QString& mode);

class TfrmFiltroCntPagar : public host::TfrmFiltroPadrao {
    Q_OBJECT
public:
    // Asks the server for the payables parameters (the defaults); a failure aborts.
    explicit TfrmFiltroCntPagar(QWidget* parent = nullptr);
    ~TfrmFiltroCntPagar() override;

    // The last confirmed settings, kept for the module's load.
    Cli_rec18001::TFILTRO Filtro;
    // Lists picked since the dialog was last filled, not yet confirmed.
    QString stForneced;
    QString stFiliOrig;
    QString stFiliLanc;
    QString stTipoBx;

    // Puts the confirmed settings into the controls: when the dialog is opened and before a
    // hidden run.
    void FormActivate();
    // Validates the controls, loads the main screen's payables and keeps the settings.
    void sbtConfirmaClick() override;

private:
    // The parameters asked again; Filtro reset to every supplier, branch and type, due dates
    // around today by the parameters' day counts, values 0 to 0.
    void LimpaFiltro();
    void SetCamposFiltro();
    void SetFiltroCampos();
    void sbtLimpaClick();
    void PickBranches(QString& list);
    // Stops the confirmation (EAbort) with the focus on the control to correct.
    void CheckFiltro();

    std::unique_ptr<Ui::TfrmFiltroCntPagar> ui;
    host::FormData m_form;
    host::RecordSet* cdsGeralPag = nullptr;
    host::TADOIBQuery* qryFilial = nullptr;
    host::TADOIBQuery* qryTipoBaixa = nullptr;
    host::TADOIBQuery* qryFornecedor = nullptr;
};
