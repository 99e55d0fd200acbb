#include "settlement/filtrolanccred.h"

#include "ui_frmfiltrolanccred.h"

#include "data/recordset.h"
#include "data/rounding.h"
#include "host/net/answers.h"
#include "host/net/netconnection.h"
#include "host/services/abort.h"
#include "host/services/session.h"
#include "host/sql/tadoibquery.h"
#include "host/widgets/button_flat.h"
#include "module/cli_rec18000.h"
#include "register/frmcompcontrec.h"
#include "settlement/rules/creditfilter.h"

#include <QBoxLayout>

namespace {

const QString kForm = QStringLiteral(":/rec18000/rec18003.form");
const QString kMessages = QStringLiteral(":/rec18000/rec18003.msg");

} // namespace

void CriaFiltroLancCred(const QString& company, const QString& mode) {
    Cli_rec18003::stEmpr = company;
    RodaFiltro(Cli_rec18003::frmFiltroLancCred, mode);
}

TfrmFiltroLancCred::TfrmFiltroLancCred(QWidget* parent)
    : host::TfrmFiltroPadrao(parent), ui(std::make_unique<Ui::TfrmFiltroLancCred>()),
      m_form(host::FormData::Load(kForm)) {
    msgPadrao = host::TMessages::Load(kMessages);
    SetupFilterPanel(*ui);

    qryLancCred = new host::TADOIBQuery(m_form.Query(QStringLiteral("qryLancCred")), this);
    qryContCorr = new host::TADOIBQuery(m_form.Query(QStringLiteral("qryContCorr")), this);

    CheckDatesOnExit({ui->depDtLancIni, ui->depDtLancFin});
    KeepListOption(QStringLiteral("stTipo"), stTipo);
    KeepListOption(QStringLiteral("stCCorr"), stCCorr);
    for (host::TNumberEdit* value : {ui->nedValorIni, ui->nedValorFin})
        value->SetMaxNumber(13, 2);
    // A list button serves only while its list is chosen, as in the other filters.
    const QList<QPair<QRadioButton*, QWidget*>> lists{{ui->rbtListaTipo, ui->btpTipo},
                                                      {ui->rbtListaCCorr, ui->btpCCorr}};
    for (const auto& [radio, button] : lists)
        connect(radio, &QRadioButton::toggled, button, &QWidget::setEnabled);
    ui->btpTipo->OnClick.Set([this] { btpTipoClick(); });
    ui->btpCCorr->OnClick.Set([this] { btpCCorrClick(); });
    ui->sbtLimpa->OnClick.Set([this] { sbtLimpaClick(); });
}

TfrmFiltroLancCred::~TfrmFiltroLancCred() = default;

void TfrmFiltroLancCred::FormCreate() {
    host::TfrmFiltroPadrao::FormCreate();
    Filtro = LimpaFiltro();
}

void TfrmFiltroLancCred::FormActivate() {
    SetCamposFiltro(Filtro);
}

Cli_rec18003::TFILTRO TfrmFiltroLancCred::LimpaFiltro() {
    const host::Session& session = host::session();
    const QDate processing = session.DataProc(session.FiliProc());
    Cli_rec18003::TFILTRO filtro;
    filtro.DtLancIni = filtro.DtLancFin =
        processing.isNull() ? QDateTime() : processing.startOfDay();
    return filtro;
}

void TfrmFiltroLancCred::SetCamposFiltro(const Cli_rec18003::TFILTRO& filtro) {
    ui->depDtLancIni->SetDate(filtro.DtLancIni.date());
    ui->depDtLancFin->SetDate(filtro.DtLancFin.date());
    ui->nedValorIni->SetNumber(filtro.ValorIni);
    ui->nedValorFin->SetNumber(filtro.ValorFin);
    ui->rbtTodosTipo->setChecked(filtro.Tipo.Todos);
    ui->rbtListaTipo->setChecked(!filtro.Tipo.Todos);
    stTipo = filtro.Tipo.Lista;
    ui->rbtTCCorr->setChecked(filtro.CCorr.Todos);
    ui->rbtListaCCorr->setChecked(!filtro.CCorr.Todos);
    stCCorr = filtro.CCorr.Lista;
}

void TfrmFiltroLancCred::SetFiltroCampos() {
    Filtro.DtLancIni = DataDoFiltro(ui->depDtLancIni);
    Filtro.DtLancFin = DataDoFiltro(ui->depDtLancFin);
    Filtro.ValorIni = host::RoundDec(ui->nedValorIni->GetNumber(), 2);
    Filtro.ValorFin = host::RoundDec(ui->nedValorFin->GetNumber(), 2);
    Filtro.Tipo = {ui->rbtTodosTipo->isChecked(), stTipo};
    Filtro.CCorr = {ui->rbtTCCorr->isChecked(), stCCorr};
}

// "Desfazer" resets the confirmed settings too: the next hidden run uses the defaults even if
// the dialog is closed without confirming.
void TfrmFiltroLancCred::sbtLimpaClick() {
    Filtro = LimpaFiltro();
    SetCamposFiltro(Filtro);
}

void TfrmFiltroLancCred::btpTipoClick() {
    PickList(*qryLancCred, QStringLiteral("TIPCOD"), QStringLiteral("TIPO"),
             QStringLiteral("NTIPO"), stTipo);
}

void TfrmFiltroLancCred::btpCCorrClick() {
    qryContCorr->ParamByName(QStringLiteral("P_CDEMPRESA")).SetAsString(Cli_rec18003::stEmpr);
    PickList(*qryContCorr, QStringLiteral("CDREDUCONT"), QStringLiteral("CCORR"),
             QStringLiteral("NCCORR"), stCCorr);
}

void TfrmFiltroLancCred::CheckFiltro() {
    ZeroBlankValues({ui->nedValorIni, ui->nedValorFin});
    const std::optional<settlement::CreditFilterFault> fault =
        settlement::CreditFilterCheck::Check({.dtLancIni = DataDaRegra(ui->depDtLancIni),
                                              .dtLancFin = DataDaRegra(ui->depDtLancFin),
                                              .valorIni = ui->nedValorIni->GetNumber(),
                                              .valorFin = ui->nedValorFin->GetNumber(),
                                              .listaTipo = ui->rbtListaTipo->isChecked(),
                                              .stTipo = stTipo,
                                              .listaCCorr = ui->rbtListaCCorr->isChecked(),
                                              .stCCorr = stCCorr});
    if (!fault)
        return;
    // In the order of settlement::CreditFilterFault::Spot.
    QWidget* const spots[] = {ui->depDtLancIni, ui->depDtLancFin, ui->nedValorIni, ui->rbtListaTipo,
                              ui->rbtListaCCorr};
    RefuseAt(spots[size_t(fault->spot)], fault->message);
}

void TfrmFiltroLancCred::sbtConfirmaClick() {
    CheckFiltro();
    const QString types = ui->rbtTodosTipo->isChecked() ? QString() : stTipo;
    const QString accounts = ui->rbtTCCorr->isChecked() ? QString() : stCCorr;

    TfrmCompContRec* screen = Cli_rec18000::frmCompContRec;
    const host::NetAnswer answer = screen->netCompContRec->Call(
        QStringLiteral("GetCreditos"),
        {Cli_rec18003::stEmpr, ui->depDtLancIni->GetDate(), ui->depDtLancFin->GetDate(),
         host::RoundDec(ui->nedValorIni->GetNumber(), 2),
         host::RoundDec(ui->nedValorFin->GetNumber(), 2), types, accounts});
    host::LoadRecordSet(answer, *screen->cdsCreditos);

    SetFiltroCampos();
    host::TfrmFiltroPadrao::sbtConfirmaClick();
}
