#include "host/services/qtdialogs.h"

#include "host/services/finddialog.h"
#include "host/services/hostmessages.h"
#include "host/services/searchdialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace host {

namespace {

// A modal dialog over the active window, which gets its activation back when the dialog closes:
// without a window manager (a virtual display) nothing else gives it back, and the screen's
// shortcuts would stop answering.
class Modal {
public:
    Modal() : m_owner(QApplication::activeWindow()) {}
    ~Modal() {
        if (m_owner)
            m_owner->activateWindow();
    }
    Modal(const Modal&) = delete;
    Modal& operator=(const Modal&) = delete;
    QWidget* Owner() const { return m_owner; }

private:
    QPointer<QWidget> m_owner;
};

QString HostText(const char* key) {
    return HostMessages().Msg(QString::fromLatin1(key));
}

} // namespace

void QtDialogs::ShowError(const QString& text) {
    const Modal modal;
    QMessageBox::critical(modal.Owner(), HostText("TITERRO"), text);
}

void QtDialogs::ErrorBox(const QString& text) {
    const Modal modal;
    QMessageBox::critical(modal.Owner(), HostText("TITERRO"), text);
}

int QtDialogs::Message(const QString& text, MessageKind kind, MessageButtons buttons) {
    const Modal modal;
    QMessageBox box(modal.Owner());
    switch (kind) {
    case MessageKind::Information:
        box.setIcon(QMessageBox::Information);
        box.setWindowTitle(HostText("TITINFO"));
        break;
    case MessageKind::Warning:
        box.setIcon(QMessageBox::Warning);
        box.setWindowTitle(HostText("TITAVISO"));
        break;
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        box.setWindowTitle(HostText("TITERRO"));
        break;
    case MessageKind::Confirmation:
        box.setIcon(QMessageBox::Question);
        box.setWindowTitle(HostText("TITCONF"));
        break;
    }
    box.setText(text);
    if (buttons == MessageButtons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return mrOk;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(HostText("MSGSIM"));
    box.button(QMessageBox::No)->setText(HostText("MSGNAO"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? mrYes : mrNo;
}

bool QtDialogs::Procura(RecordSet& rows) {
    const Modal modal;
    FindDialog dialog(rows, modal.Owner());
    dialog.exec();
    return dialog.Moved();
}

int QtDialogs::ExecModal(QDialog& dialog) {
    const Modal modal;
    return dialog.exec();
}

std::optional<QString> QtDialogs::SaveFileName(const QString& caption, const QString& proposed,
                                               const QString& filter) {
    const Modal modal;
    const QString chosen = QFileDialog::getSaveFileName(modal.Owner(), caption, proposed, filter);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

std::optional<int> QtDialogs::ChooseRow(RecordSet& rows, const QString& caption) {
    const Modal modal;
    SearchDialog dialog(rows, caption, modal.Owner());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.ChosenRow();
}

std::optional<QStringList> QtDialogs::ChooseKeys(RecordSet& rows, const QString& keyField,
                                                 const QString& caption,
                                                 const QStringList& preselected) {
    const Modal modal;
    SearchDialog dialog(rows, caption, keyField, preselected, modal.Owner());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.ChosenKeys();
}

} // namespace host
