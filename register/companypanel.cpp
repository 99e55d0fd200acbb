// The company panel above the pages: choosing and validating the company the screen works for.

#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/text.h"
#include "host/services/abort.h"
#include "host/services/session.h"
#include "host/sql/tadoibquery.h"
#include "host/widgets/btn_pesquisa.h"
#include "host/widgets/data_source.h"
#include "host/widgets/db_grid.h"
#include "host/widgets/edit.h"

#include <QApplication>
#include <QMenuBar>

#include <exception>
#include <functional>

namespace {

const QString kCompanyParam = QStringLiteral("CDEMPRESA");
constexpr int kCompanyWidth = 2;

// Runs a step when the scope is left by a failure.
class OnFailure {
public:
    explicit OnFailure(std::function<void()> step)
        : m_step(std::move(step)), m_failures(std::uncaught_exceptions()) {}
    ~OnFailure() {
        if (std::uncaught_exceptions() > m_failures)
            m_step();
    }
    OnFailure(const OnFailure&) = delete;
    OnFailure& operator=(const OnFailure&) = delete;

private:
    std::function<void()> m_step;
    int m_failures;
};

} // namespace

void TfrmCompContRec::WireCompanyPanel() {
    qryEmpresa = new host::TADOIBQuery(m_form.Query(QStringLiteral("qryEmpresa")), this);
    dtsEmpresa = new host::TDataSource(this);
    dtsEmpresa->setObjectName(QStringLiteral("dtsEmpresa"));
    dtsEmpresa->SetDataSet(&qryEmpresa->DataSet());
    ui->btpEmpresa->SetDataSource(dtsEmpresa);
    ui->btpEmpresa->SetTitle(msgPadrao.Msg(QStringLiteral("EMPRESA")));
    ui->btpEmpresa->SetEmptyError(msgPadrao.Msg(QStringLiteral("NEMPRESA")));
    ui->btpEmpresa->OnBeforePesq.Set([this] { btpEmpresaBeforePesq(); });
    ui->btpEmpresa->OnAfterPesq.Set([this] { btpEmpresaAfterPesq(); });
    ui->edtCdEmpresa->OnChange.Set([this] { edtCdEmpresaChange(); });
    connect(qApp, &QApplication::focusChanged, this,
            host::Guard([this](QWidget* old, QWidget* now) { FocusChanged(old, now); }));
}

// The panel has no focus of its own: it is entered and left when the focus crosses its border
// inside this screen. A message box, another screen of the suite or its menu taking the focus is
// neither: they share the suite's window, not this screen. Nor is the screen's menu bar, which
// holds the focus while its menus are used, nor the moves Qt makes while the screen is hidden
// (its child window being shown maximized passes the focus along and back).
void TfrmCompContRec::FocusChanged(QWidget* old, QWidget* now) {
    if (!now || !isVisible() || !isAncestorOf(now) || qobject_cast<QMenuBar*>(now))
        return;
    const bool inside = ui->panEmpresa->isAncestorOf(now);
    // During an entry the panel is locked; a focus passing through it is no choice of company.
    if (inside && !m_inCompanyPanel && !Editing()) {
        m_inCompanyPanel = true;
        panEmpresaEnter();
    } else if (!inside && m_inCompanyPanel && old) {
        m_inCompanyPanel = false;
        panEmpresaExit();
    }
}

void TfrmCompContRec::panEmpresaEnter() {
    SetActivePage(tshFolhaDados);
    HabilitaPaginasBotoes(false);
}

void TfrmCompContRec::panEmpresaExit() {
    Vd_Empresa(true);
    GetCompensacao(false, QString());
}

void TfrmCompContRec::edtCdEmpresaChange() {
    if (!host::EmptyString(ui->edtCdEmpresa->text()))
        ui->edtNmEmpresa->clear();
}

void TfrmCompContRec::btpEmpresaBeforePesq() {
    qryEmpresa->Close();
    qryEmpresa->ParamByName(kCompanyParam).SetAsString(QString());
    qryEmpresa->Open();
}

void TfrmCompContRec::btpEmpresaAfterPesq() {
    {
        const host::Reaction::Detached quiet(ui->edtCdEmpresa->OnChange);
        ui->edtCdEmpresa->setText(qryEmpresa->FieldByName(kCompanyParam).AsString());
    }
    ui->edtNmEmpresa->setText(qryEmpresa->FieldByName(QStringLiteral("NMEMPRESA")).AsString());
    ChooseCompanyPicked();
}

// A pick is a choice of company as typing it and leaving the panel is: validated, the list
// loaded, the focus out of the panel. A refused one leaves the operator in the panel.
void TfrmCompContRec::ChooseCompanyPicked() {
    const OnFailure stayInPanel([this] {
        if (!m_inCompanyPanel) {
            m_inCompanyPanel = true;
            panEmpresaEnter();
        }
        ui->edtCdEmpresa->setFocus();
    });
    m_inCompanyPanel = false;
    panEmpresaExit();
    dbgPadrao->setFocus();
}

void TfrmCompContRec::Vd_Empresa(bool required) {
    const OnFailure focusBack([this] { ui->edtCdEmpresa->setFocus(); });
    const QString typed = ui->edtCdEmpresa->text();
    if (host::EmptyString(typed)) {
        if (required)
            host::MensErro(msgPadrao.Msg(QStringLiteral("EMPNULL")));
        return;
    }
    const QString code = host::Ajusta(typed, kCompanyWidth);
    {
        const host::Reaction::Detached quiet(ui->edtCdEmpresa->OnChange);
        ui->edtCdEmpresa->setText(code);
    }
    qryEmpresa->Close();
    qryEmpresa->ParamByName(kCompanyParam).SetAsString(code);
    qryEmpresa->Open();
    if (qryEmpresa->IsEmpty())
        host::MensErro(msgPadrao.Msg(QStringLiteral("EMPNCAD")));
    const host::Session& session = host::session();
    if (!session.AcessoOperEmpresa(session.Operador(), code))
        host::MensErro(msgPadrao.Msg(QStringLiteral("Emp_Nr")));
    ui->edtNmEmpresa->setText(qryEmpresa->FieldByName(QStringLiteral("NMEMPRESA")).AsString());
}
