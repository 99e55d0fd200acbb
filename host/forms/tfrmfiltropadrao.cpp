#include "host/forms/tfrmfiltropadrao.h"

#include "host/services/dialogs.h"
#include "host/services/session.h"
#include "host/sql/tadoibquery.h"
#include "host/widgets/button_flat.h"

#include "ui_tfrmfiltropadrao.h"

#include <QCloseEvent>
#include <QSettings>

namespace host {
namespace {

const QChar kNameValue = QLatin1Char('=');

} // namespace

TfrmFiltroPadrao::TfrmFiltroPadrao(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TfrmFiltroPadrao>()) {
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose, false);
    sbtConfirma = m_ui->sbtConfirma;
    sbtCancela = m_ui->sbtCancela;
    btfSaveOpc = m_ui->btfSaveOpc;
    btfLoadOpc = m_ui->btfLoadOpc;
    sbtConfirma->OnClick.Set([this] { sbtConfirmaClick(); });
    sbtCancela->OnClick.Set([this] { sbtCancelaClick(); });
    btfSaveOpc->OnClick.Set([this] { btfSaveOpcClick(); });
    btfLoadOpc->OnClick.Set([this] { btfLoadOpcClick(); });
}

TfrmFiltroPadrao::~TfrmFiltroPadrao() = default;

QWidget* TfrmFiltroPadrao::FilterPanel() const {
    return m_ui->panFiltro;
}

QString TfrmFiltroPadrao::Opcao(const QString& name) const {
    const QString prefix = name + kNameValue;
    for (const QString& opcao : m_opcoes) {
        if (opcao.startsWith(prefix))
            return opcao.mid(prefix.size());
    }
    return {};
}

void TfrmFiltroPadrao::SetOpcao(const QString& name, const QString& value) {
    const QString prefix = name + kNameValue;
    for (QString& opcao : m_opcoes) {
        if (opcao.startsWith(prefix)) {
            opcao = prefix + value;
            return;
        }
    }
    m_opcoes << prefix + value;
}

QString TfrmFiltroPadrao::SettingsKey() const {
    return QStringLiteral("Filtros/%1/%2").arg(objectName(), session().Operador());
}

void TfrmFiltroPadrao::sbtConfirmaClick() {
    accept();
}

void TfrmFiltroPadrao::sbtCancelaClick() {
    reject();
}

void TfrmFiltroPadrao::btfSaveOpcClick() {
    QSettings settings;
    settings.setValue(SettingsKey(), m_opcoes);
}

void TfrmFiltroPadrao::btfLoadOpcClick() {
    const QSettings settings;
    m_opcoes = settings.value(SettingsKey()).toStringList();
}

void TfrmFiltroPadrao::closeEvent(QCloseEvent* event) {
    // Hidden, never destroyed: the filter keeps its settings for the next run.
    event->accept();
    hide();
}

void TfrmFiltroPadrao::PickList(TADOIBQuery& lookup, const QString& keyField,
                                const QString& titleKey, const QString& emptyKey, QString& list) {
    lookup.Close();
    lookup.Open();
    QString picked = list;
    if (dialogs().PesquisaLista(
            lookup.DataSet(), keyField,
            msgPadrao.Msg(titleKey) + QLatin1Char('|') + msgPadrao.Msg(emptyKey), picked))
        list = picked;
}

} // namespace host
