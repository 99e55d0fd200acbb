#include "host/forms/tfrmfiltropadrao.h"

#include "host/services/abort.h"
#include "host/services/dialogs.h"
#include "host/services/session.h"
#include "host/sql/tadoibquery.h"
#include "host/widgets/button_flat.h"
#include "host/widgets/date_edit.h"
#include "host/widgets/number_edit.h"

#include "ui_tfrmfiltropadrao.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QSettings>
#include <QShortcut>

namespace host {
namespace {

const QChar kNameValue = QLatin1Char('=');

// Keyboard reach: once the dialog shows (its screen's own buttons built by then), Tab stops at
// every flat button (a click still leaves the focus where it was), and Enter presses the
// focused button or else confirms, as a dialog's default button would.
class KeyboardReach : public QObject {
public:
    KeyboardReach(QDialog* dialog, TButtonFlat* confirm) : QObject(dialog), m_confirm(confirm) {
        dialog->installEventFilter(this);
        for (const auto key : {Qt::Key_Return, Qt::Key_Enter})
            connect(new QShortcut(QKeySequence(key), dialog), &QShortcut::activated, this,
                    [this] { Enter(); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            for (TButtonFlat* button : watched->findChildren<TButtonFlat*>())
                button->setFocusPolicy(Qt::TabFocus);
        return false;
    }

private:
    void Enter() const {
        auto* focused = qobject_cast<TButtonFlat*>(QApplication::focusWidget());
        TButtonFlat* button = focused ? focused : m_confirm;
        if (button->isEnabled())
            button->OnClick.Fire();
    }

    TButtonFlat* m_confirm;
};

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
    new KeyboardReach(this, sbtConfirma);
}

TfrmFiltroPadrao::~TfrmFiltroPadrao() = default;

QWidget* TfrmFiltroPadrao::FilterPanel() const {
    return m_ui->panFiltro;
}

void TfrmFiltroPadrao::AdoptFilterPanel(QWidget* panel) {
    FilterPanel()->layout()->addWidget(panel);
    setObjectName(panel->objectName());
    setWindowTitle(panel->windowTitle());
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

void TfrmFiltroPadrao::KeepListOption(const QString& name, QString& list) {
    m_listOptions.emplace_back(name, &list);
}

void TfrmFiltroPadrao::CheckDatesOnExit(std::initializer_list<TDateEditPlus*> dates) {
    for (TDateEditPlus* date : dates)
        date->OnExit.Set([date] { date->CheckValidDate(); });
}

void TfrmFiltroPadrao::ZeroBlankValues(std::initializer_list<TNumberEdit*> values) {
    for (TNumberEdit* value : values)
        if (value->text().trimmed().isEmpty())
            value->SetNumber(0);
}

void TfrmFiltroPadrao::RefuseAt(QWidget* spot, const QString& messageKey) {
    if (messageKey.isEmpty()) {
        if (auto* date = qobject_cast<TDateEditPlus*>(spot))
            date->CheckValidDate();
        Abort();
    }
    spot->setFocus();
    MensErro(msgPadrao.Msg(messageKey));
}

void TfrmFiltroPadrao::btfSaveOpcClick() {
    for (const auto& [name, list] : m_listOptions)
        SetOpcao(name, *list);
    QSettings settings;
    settings.setValue(SettingsKey(), m_opcoes);
}

void TfrmFiltroPadrao::btfLoadOpcClick() {
    const QSettings settings;
    m_opcoes = settings.value(SettingsKey()).toStringList();
    for (const auto& [name, list] : m_listOptions)
        *list = Opcao(name);
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
