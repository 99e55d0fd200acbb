#include "register/filtrocomprec.h"

#include "ui_frmfiltrocomprec.h"

#include "data/recordset.h"
#include "host/net/answers.h"
#include "host/net/netconnection.h"
#include "host/services/abort.h"
#include "host/services/editmask.h"
#include "host/services/session.h"
#include "host/sql/tadoibquery.h"
#include "host/widgets/button_flat.h"
#include "module/cli_rec18000.h"
#include "register/formresources.h"
#include "register/frmcompcontrec.h"
#include "register/rules/listfilter.h"

#include <QBoxLayout>

#include <optional>

void CriaFiltroCompRec(const QString& company, const QString& mode) {
    Cli_rec18002::stEmpr = company;
    RodaFiltro(Cli_rec18002::frmFiltroCompRec, mode);
}

TfrmFiltroCompRec::TfrmFiltroCompRec(QWidget* parent)
    : host::TfrmFiltroPadrao(parent), ui(std::make_unique<Ui::TfrmFiltroCompRec>()),
      m_form(host::FormData::Load(register_forms::kFilterForm)) {
    msgPadrao = host::TMessages::Load(register_forms::kFilterMessages);
    SetupFilterPanel(*ui);

    qryOperador = new host::TADOIBQuery(m_form.Query(QStringLiteral("qryOperador")), this);
    qryCliente = new host::TADOIBQuery(m_form.Query(QStringLiteral("qryCliente")), this);
    // qryClienteNRINSJURCLIEGetText: the search list shows the tax id through its mask.
    host::ShowTaxId(qryCliente->DataSet(), QStringLiteral("NRINSJURCLIE"),
                    QStringLiteral("IDTPIJURCLIE"));

    CheckDatesOnExit({ui->depDtCompIni, ui->depDtCompFin, ui->depDtLancIni, ui->depDtLancFin});
    KeepListOption(QStringLiteral("stOperLanc"), stOperLanc);
    KeepListOption(QStringLiteral("stCliente"), stCliente);
    for (QRadioButton* radio : {ui->rbtTodosOper, ui->rbtListaOper})
        connect(radio, &QRadioButton::toggled, this, host::Guard([this] { rbtTodosOperClick(); }));
    for (QRadioButton* radio : {ui->rbtTodosClie, ui->rbtListaClie})
        connect(radio, &QRadioButton::toggled, this, host::Guard([this] { rbtTodosClieClick(); }));
    ui->btpListaOper->OnClick.Set([this] { btpListaOperClick(); });
    ui->btpListaCliente->OnClick.Set([this] { btpListaClienteClick(); });
    ui->sbtLimpa->OnClick.Set([this] { sbtLimpaClick(); });
}

TfrmFiltroCompRec::~TfrmFiltroCompRec() = default;

void TfrmFiltroCompRec::FormCreate() {
    host::TfrmFiltroPadrao::FormCreate();
    Filtro = LimpaFiltro();
}

void TfrmFiltroCompRec::FormActivate() {
    SetCamposFiltro(Filtro);
}

Cli_rec18002::TFILTRO TfrmFiltroCompRec::LimpaFiltro() {
    const host::Session& session = host::session();
    const QDate processing = session.DataProc(session.FiliProc());
    Cli_rec18002::TFILTRO filtro;
    filtro.DtCompIni = filtro.DtCompFin =
        processing.isNull() ? QDateTime() : processing.startOfDay();
    return filtro;
}

void TfrmFiltroCompRec::SetCamposFiltro(const Cli_rec18002::TFILTRO& filtro) {
    ui->depDtCompIni->SetDate(filtro.DtCompIni.date());
    ui->depDtCompFin->SetDate(filtro.DtCompFin.date());
    ui->depDtLancIni->SetDate(filtro.DtLancIni.date());
    ui->depDtLancFin->SetDate(filtro.DtLancFin.date());
    ui->rbtTodosOper->setChecked(filtro.OperLanc.Todos);
    ui->rbtListaOper->setChecked(!filtro.OperLanc.Todos);
    stOperLanc = filtro.OperLanc.Lista;
    ui->rbtTodosClie->setChecked(filtro.Cliente.Todos);
    ui->rbtListaClie->setChecked(!filtro.Cliente.Todos);
    stCliente = filtro.Cliente.Lista;
}

void TfrmFiltroCompRec::SetFiltroCampos() {
    Filtro.DtCompIni = DataDoFiltro(ui->depDtCompIni);
    Filtro.DtCompFin = DataDoFiltro(ui->depDtCompFin);
    Filtro.DtLancIni = DataDoFiltro(ui->depDtLancIni);
    Filtro.DtLancFin = DataDoFiltro(ui->depDtLancFin);
    Filtro.OperLanc = {ui->rbtTodosOper->isChecked(), stOperLanc};
    Filtro.Cliente = {ui->rbtTodosClie->isChecked(), stCliente};
}

// Only the controls: the confirmed settings change with the next confirmation.
void TfrmFiltroCompRec::sbtLimpaClick() {
    SetCamposFiltro(LimpaFiltro());
}

void TfrmFiltroCompRec::rbtTodosOperClick() {
    ui->btpListaOper->setEnabled(ui->rbtListaOper->isChecked());
}

void TfrmFiltroCompRec::rbtTodosClieClick() {
    ui->btpListaCliente->setEnabled(ui->rbtListaClie->isChecked());
}

void TfrmFiltroCompRec::btpListaOperClick() {
    PickList(*qryOperador, QStringLiteral("CDOPERADOR"), QStringLiteral("OPERLANC"),
             QStringLiteral("NOPERLANC"), stOperLanc);
}

void TfrmFiltroCompRec::btpListaClienteClick() {
    PickList(*qryCliente, QStringLiteral("CDCLIENTE"), QStringLiteral("CLIE"),
             QStringLiteral("NCLIE"), stCliente);
}

void TfrmFiltroCompRec::CheckFiltro() {
    const std::optional<reg::ListFilterFault> fault =
        reg::ListFilterCheck::Check({.dtCompIni = DataDaRegra(ui->depDtCompIni),
                                     .dtCompFin = DataDaRegra(ui->depDtCompFin),
                                     .dtLancIni = DataDaRegra(ui->depDtLancIni),
                                     .dtLancFin = DataDaRegra(ui->depDtLancFin),
                                     .listaOper = ui->rbtListaOper->isChecked(),
                                     .stOperLanc = stOperLanc,
                                     .listaClie = ui->rbtListaClie->isChecked(),
                                     .stCliente = stCliente});
    if (!fault)
        return;
    // In the order of reg::ListFilterFault::Spot.
    QWidget* const spots[] = {ui->depDtCompIni, ui->depDtCompFin, ui->depDtLancIni,
                              ui->depDtLancFin, ui->rbtListaOper, ui->rbtListaClie};
    RefuseAt(spots[size_t(fault->spot)], fault->message);
}

void TfrmFiltroCompRec::sbtConfirmaClick() {
    CheckFiltro();
    const QString operators = ui->rbtTodosOper->isChecked() ? QString() : stOperLanc;
    const QString customers = ui->rbtTodosClie->isChecked() ? QString() : stCliente;

    TfrmCompContRec* screen = Cli_rec18000::frmCompContRec;
    const host::NetAnswer answer = screen->netCompContRec->Call(
        QStringLiteral("GetCompensacao"),
        {Cli_rec18002::stEmpr, ui->depDtCompIni->GetDate(), ui->depDtCompFin->GetDate(),
         ui->depDtLancIni->GetDate(), ui->depDtLancFin->GetDate(), operators, customers});
    host::LoadRecordSet(answer, *screen->cdsCompensacao);

    SetFiltroCampos();
    host::TfrmFiltroPadrao::sbtConfirmaClick();
}
