#pragma once

// The compensation-list filter dialog: the only place that asks the server for the list, shown
// by the filter button or re-run hidden with its last confirmed settings.

#include "host/forms/tfrmfiltropadrao.h"
#include "host/services/formdata.h"
#include "module/cli_rec18002.h"
#include "register/filtrodialogo.h"

#include <QString>

#include <memory>

namespace host {
class TADOIBQuery;
class TDateEditPlus;
} // namespace host

namespace Ui {
class TfrmFiltroCompRec;
}

// Hands the company to the dialog (stEmpr), creates the dialog on first use and runs it in the
// mode. A failure of a hidden run propagates to the caller.
void CriaFiltroCompRec(const QString& company, const QString& mode);

class TfrmFiltroCompRec : public host::TfrmFiltroPadrao {
    Q_OBJECT
public:
    explicit TfrmFiltroCompRec(QWidget* parent = nullptr);
    ~TfrmFiltroCompRec() override;

    // The last confirmed settings, kept for the module's load.
    Cli_rec18002::TFILTRO Filtro;
    // Lists picked since the dialog was last filled, not yet confirmed.
    QString stOperLanc;
    QString stCliente;

    void FormActivate();
    // Validates the controls, loads the main screen's list and keeps the settings.
    void sbtConfirmaClick() override;

protected:
    void FormCreate() override;

private:
    // The settings of a cleared filter: the processing date, every operator and customer.
    static Cli_rec18002::TFILTRO LimpaFiltro();
    void SetCamposFiltro(const Cli_rec18002::TFILTRO& filtro);
    void SetFiltroCampos();
    void sbtLimpaClick();
    void rbtTodosOperClick();
    void rbtTodosClieClick();
    void btpListaOperClick();
    void btpListaClienteClick();
    // Stops the confirmation (EAbort) with the focus on the control to correct.
    void CheckFiltro();

    std::unique_ptr<Ui::TfrmFiltroCompRec> ui;
    host::FormData m_form;
    host::TADOIBQuery* qryOperador = nullptr;
    host::TADOIBQuery* qryCliente = nullptr;
};
