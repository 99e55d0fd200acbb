#include "offset/filtrocntpagar.h"

#include "ui_frmfiltrocntpagar.h"

#include "data/recordset.h"
#include "data/rounding.h"
#include "data/text.h"
#include "host/net/answers.h"
#include "host/net/netconnection.h"
#include "host/services/abort.h"
#include "host/services/editmask.h"
#include "host/sql/tadoibquery.h"
#include "host/widgets/button_flat.h"
#include "module/cli_rec18000.h"
#include "offset/rules/payablesfilter.h"
#include "register/frmcompcontrec.h"

#include <QBoxLayout>
#include <QRegularExpressionValidator>

namespace {

const QString kForm = QStringLiteral(":/rec18000/rec18001.form");
const QString kMessages = QStringLiteral(":/rec18000/rec18001.msg");

bool HasRows(const host::RecordSet& rows) {
    return rows.Active() && !rows.IsEmpty();
}

QString ParameterText(const host::RecordSet& parameters, const QString& field) {
    return HasRows(parameters) ? parameters.FieldByName(field).AsString() : QString();
}

// Whole days; an empty parameter record counts none.
int ParameterDays(const host::RecordSet& parameters, const QString& field) {
    return HasRows(parameters) ? int(parameters.FieldByName(field).AsFloat()) : 0;
}

QString Chosen(const QRadioButton* lista, const QString& picked) {
    return lista->isChecked() ? picked : QString();
}

TfrmCompContRec& Screen() {
    return *Cli_rec18000::frmCompContRec;
}

} // namespace

// RodaFiltro publishes the dialog only once it is made: the constructor's abort reaches here.
void CriaFiltroCntPagar(const QString& company, const QString& mode) {
    Cli_rec18001::stEmpr = company;
    RodaFiltro(Cli_rec18001::frmFiltroCntPagar, mode);
}

TfrmFiltroCntPagar::TfrmFiltroCntPagar(QWidget* parent)
    : host::TfrmFiltroPadrao(parent), ui(std::make_unique<Ui::TfrmFiltroCntPagar>()),
      m_form(host::FormData::Load(kForm)) {
    msgPadrao = host::TMessages::Load(kMessages);
    SetupFilterPanel(*ui);

    cdsGeralPag = new host::RecordSet(this);
    cdsGeralPag->setObjectName(QStringLiteral("cdsGeralPag"));
    cdsGeralPag->SetFieldDefs(m_form.RecordSetFields(cdsGeralPag->objectName()));
    qryFilial = new host::TADOIBQuery(m_form.Query(QStringLiteral("qryFilial")), this);
    qryTipoBaixa = new host::TADOIBQuery(m_form.Query(QStringLiteral("qryTipoBaixa")), this);
    qryFornecedor = new host::TADOIBQuery(m_form.Query(QStringLiteral("qryFornecedor")), this);
    // qryFornecedorNRINSJURFORNGetText: the tax id in the form of the supplier's person type.
    host::ShowTaxId(qryFornecedor->DataSet(), QStringLiteral("NRINSJURFORN"),
                    QStringLiteral("IDTPIJURFORN"));

    // Key filters: no minus sign in the numbers; values of at most 10 integer digits and 2
    // decimals.
    for (QLineEdit* document : {ui->medDocInicial, ui->medDocFinal})
        document->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^-]*")), document));
    for (host::TNumberEdit* value : {ui->nedValorIni, ui->nedValorFin})
        value->SetMaxNumber(10, 2);
    CheckDatesOnExit({ui->depDataIni, ui->depDataFin});
    KeepListOption(QStringLiteral("stForneced"), stForneced);
    KeepListOption(QStringLiteral("stFiliOrig"), stFiliOrig);
    KeepListOption(QStringLiteral("stFiliLanc"), stFiliLanc);
    KeepListOption(QStringLiteral("stTipoBx"), stTipoBx);
    // A picker serves only while its list is chosen.
    const QList<QPair<QRadioButton*, QWidget*>> lists{{ui->rbtListaForn, ui->btnListForn},
                                                      {ui->rbtListaFiliOr, ui->btnFiliOr},
                                                      {ui->rbtFiliLanc, ui->btnFiliLanc},
                                                      {ui->rbtListaTipoBx, ui->btnFPag}};
    for (const auto& [radio, button] : lists)
        connect(radio, &QRadioButton::toggled, button, &QWidget::setEnabled);
    ui->btnListForn->OnClick.Set([this] {
        PickList(*qryFornecedor, QStringLiteral("CDFORNECED"), QStringLiteral("Fornecedor"),
                 QStringLiteral("NForneced"), stForneced);
    });
    ui->btnFiliOr->OnClick.Set([this] { PickBranches(stFiliOrig); });
    ui->btnFiliLanc->OnClick.Set([this] { PickBranches(stFiliLanc); });
    ui->btnFPag->OnClick.Set([this] {
        PickList(*qryTipoBaixa, QStringLiteral("CDTPBAIXAPAG"), QStringLiteral("FormRec"),
                 QStringLiteral("FormRec_Empty"), stTipoBx);
    });
    ui->sbtLimpa->OnClick.Set([this] { sbtLimpaClick(); });

    // Here rather than in FormCreate, whose failures are only reported: without its defaults
    // the dialog must not come to be.
    LimpaFiltro();
}

TfrmFiltroCntPagar::~TfrmFiltroCntPagar() = default;

void TfrmFiltroCntPagar::FormActivate() {
    SetCamposFiltro();
}

// The parameters are asked before anything changes: a failing call leaves Filtro as it was.
void TfrmFiltroCntPagar::LimpaFiltro() {
    host::LoadRecordSet(Screen().netCompContRec->Call(QStringLiteral("GetGeralPag"), {}),
                        *cdsGeralPag);
    const QDate today = QDate::currentDate();
    Cli_rec18001::TFILTRO filtro;
    filtro.VencIni =
        today.addDays(-ParameterDays(*cdsGeralPag, QStringLiteral("QTDIAANTBOLP"))).startOfDay();
    filtro.VencFin =
        today.addDays(ParameterDays(*cdsGeralPag, QStringLiteral("QTDIAAPOBOLP"))).startOfDay();
    Filtro = filtro;
}

void TfrmFiltroCntPagar::SetCamposFiltro() {
    const QList<std::tuple<QRadioButton*, QRadioButton*, bool>> groups{
        {ui->rbtTodosForn, ui->rbtListaForn, Filtro.Fornecedor.Todos},
        {ui->rbtTodasFiliOrig, ui->rbtListaFiliOr, Filtro.FiliOrig.Todos},
        {ui->rbtTodasFiliLanc, ui->rbtFiliLanc, Filtro.FiliLanc.Todos},
        {ui->rbtTodosTipoBx, ui->rbtListaTipoBx, Filtro.TipoBaixa.Todos}};
    for (const auto& [todos, lista, all] : groups) {
        todos->setChecked(all);
        lista->setChecked(!all);
    }
    stForneced = Filtro.Fornecedor.Lista;
    stFiliOrig = Filtro.FiliOrig.Lista;
    stFiliLanc = Filtro.FiliLanc.Lista;
    stTipoBx = Filtro.TipoBaixa.Lista;
    ui->medDocInicial->setText(Filtro.Documento.Inicial);
    ui->medDocFinal->setText(Filtro.Documento.Final);
    ui->depDataIni->SetDate(Filtro.VencIni.date());
    ui->depDataFin->SetDate(Filtro.VencFin.date());
    ui->nedValorIni->SetNumber(Filtro.ValorIni);
    ui->nedValorFin->SetNumber(Filtro.ValorFin);
    repaint();
}

void TfrmFiltroCntPagar::SetFiltroCampos() {
    const offset::DocumentRange docs =
        offset::PayablesFilterCheck::Documentos(ui->medDocInicial->text(), ui->medDocFinal->text());
    Filtro.Fornecedor = {ui->rbtTodosForn->isChecked(), stForneced};
    Filtro.Documento = {docs.inicial, docs.final};
    Filtro.FiliOrig = {ui->rbtTodasFiliOrig->isChecked(), stFiliOrig};
    Filtro.FiliLanc = {ui->rbtTodasFiliLanc->isChecked(), stFiliLanc};
    Filtro.VencIni = DataDoFiltro(ui->depDataIni);
    Filtro.VencFin = DataDoFiltro(ui->depDataFin);
    Filtro.TipoBaixa = {ui->rbtTodosTipoBx->isChecked(), stTipoBx};
    Filtro.ValorIni = host::RoundDec(ui->nedValorIni->GetNumber(), 2);
    Filtro.ValorFin = host::RoundDec(ui->nedValorFin->GetNumber(), 2);
}

// "Desfazer" resets the confirmed settings too: the next hidden run uses the defaults even if
// the dialog is closed without confirming.
void TfrmFiltroCntPagar::sbtLimpaClick() {
    LimpaFiltro();
    SetCamposFiltro();
}

void TfrmFiltroCntPagar::PickBranches(QString& list) {
    qryFilial->Close();
    qryFilial->Open();
    if (qryFilial->IsEmpty())
        host::MensErro(msgPadrao.Msg(QStringLiteral("Filial_Empty")));
    PickList(*qryFilial, QStringLiteral("CDFILIAL"), QStringLiteral("Filial"),
             QStringLiteral("Filial_Empty"), list);
}

// The dates were checked as typed before: every refusal here names its message.
void TfrmFiltroCntPagar::CheckFiltro() {
    ZeroBlankValues({ui->nedValorIni, ui->nedValorFin});
    const std::optional<offset::PayablesFilterFault> fault =
        offset::PayablesFilterCheck::Check({.listaForn = ui->rbtListaForn->isChecked(),
                                            .stForneced = stForneced,
                                            .docInicial = ui->medDocInicial->text(),
                                            .docFinal = ui->medDocFinal->text(),
                                            .listaFiliOrig = ui->rbtListaFiliOr->isChecked(),
                                            .stFiliOrig = stFiliOrig,
                                            .listaFiliLanc = ui->rbtFiliLanc->isChecked(),
                                            .stFiliLanc = stFiliLanc,
                                            .vencIni = DataDaRegra(ui->depDataIni),
                                            .vencFin = DataDaRegra(ui->depDataFin),
                                            .listaTipoBx = ui->rbtListaTipoBx->isChecked(),
                                            .stTipoBx = stTipoBx,
                                            .valorIni = ui->nedValorIni->GetNumber(),
                                            .valorFin = ui->nedValorFin->GetNumber()});
    if (!fault)
        return;
    // In the order of offset::PayablesFilterFault::Spot.
    QWidget* const spots[] = {ui->rbtListaForn,   ui->medDocInicial, ui->rbtListaFiliOr,
                              ui->rbtFiliLanc,    ui->depDataIni,    ui->depDataFin,
                              ui->rbtListaTipoBx, ui->nedValorIni};
    RefuseAt(spots[size_t(fault->spot)], fault->message);
}

void TfrmFiltroCntPagar::sbtConfirmaClick() {
    ui->depDataIni->CheckValidDate();
    ui->depDataFin->CheckValidDate();
    if (host::EmptyString(ui->medDocFinal->text()))
        ui->medDocFinal->setText(ui->medDocInicial->text());
    CheckFiltro();
    const offset::DocumentRange docs =
        offset::PayablesFilterCheck::Documentos(ui->medDocInicial->text(), ui->medDocFinal->text());

    TfrmCompContRec& screen = Screen();
    const host::NetAnswer answer = screen.netCompContRec->Call(
        QStringLiteral("GetBoletosPag"),
        {Cli_rec18001::stEmpr, Chosen(ui->rbtListaForn, stForneced), docs.inicial, docs.final,
         Chosen(ui->rbtListaFiliOr, stFiliOrig), Chosen(ui->rbtFiliLanc, stFiliLanc),
         ui->depDataIni->GetDate(), ui->depDataFin->GetDate(), Chosen(ui->rbtListaTipoBx, stTipoBx),
         host::RoundDec(ui->nedValorIni->GetNumber(), 2),
         host::RoundDec(ui->nedValorFin->GetNumber(), 2),
         ParameterText(*cdsGeralPag, QStringLiteral("IDHABIBOLE"))});
    host::LoadRecordSet(answer, *screen.cdsBoletosPag);

    SetFiltroCampos();
    host::TfrmFiltroPadrao::sbtConfirmaClick();
}
