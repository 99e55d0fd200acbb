#pragma once

#include "host/forms/form_steps.h"
#include "host/services/messages.h"

#include <QDialog>
#include <QStringList>

#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

namespace Ui {
class TfrmFiltroPadrao;
}

namespace host {

class TADOIBQuery;
class TButtonFlat;
class TDateEditPlus;
class TNumberEdit;

// Base filter dialog. Closing hides it, so a screen's filter keeps its settings while the
// module stays loaded. Its options are "Name=Value" strings that btfSaveOpcClick stores for
// the logged-in operator and btfLoadOpcClick restores (QSettings, one list per dialog name
// and operator). Create it with CreateForm<T>(...) so FormCreate and FormDestroy run.
class TfrmFiltroPadrao : public QDialog, public FormSteps {
    Q_OBJECT
public:
    explicit TfrmFiltroPadrao(QWidget* parent = nullptr);
    ~TfrmFiltroPadrao() override;

    const QStringList& Opcoes() const { return m_opcoes; }
    void SetOpcoes(const QStringList& opcoes) { m_opcoes = opcoes; }
    QString Opcao(const QString& name) const; // empty when not set
    void SetOpcao(const QString& name, const QString& value);

    // Where the dialog's own controls go.
    QWidget* FilterPanel() const;
    // Builds a dialog's own form into the panel; the dialog takes the form's name and title.
    template <class Form> void SetupFilterPanel(Form& form) {
        auto* panel = new QWidget(FilterPanel());
        form.setupUi(panel);
        AdoptFilterPanel(panel);
    }

protected:
    virtual void sbtConfirmaClick(); // accepts the dialog
    virtual void sbtCancelaClick();  // rejects the dialog
    // Stores the options, the kept lists among them, for the operator.
    virtual void btfSaveOpcClick();
    // Replaces the options with the operator's stored ones and the kept lists with theirs.
    virtual void btfLoadOpcClick();

    // A picked list that the options save and load under its name.
    void KeepListOption(const QString& name, QString& list);
    // Each date edit refuses a date typed wrong when it is left.
    static void CheckDatesOnExit(std::initializer_list<TDateEditPlus*> dates);
    // Blank value edits read as 0 before a check.
    static void ZeroBlankValues(std::initializer_list<TNumberEdit*> values);
    // Stops the confirmation (EAbort) at the control to correct: with a message key, the focus
    // goes there and the message is shown; without one the control is a date edit whose own
    // refusal of what was typed is shown.
    [[noreturn]] void RefuseAt(QWidget* spot, const QString& messageKey);

    void closeEvent(QCloseEvent* event) override;

    // Runs the look-up again and lets the operator pick keys of its rows into the list (kept
    // as it was when the pick is cancelled). The caption is the message titleKey, the text of
    // an empty look-up the message emptyKey.
    void PickList(TADOIBQuery& lookup, const QString& keyField, const QString& titleKey,
                  const QString& emptyKey, QString& list);

    TButtonFlat* sbtConfirma;
    TButtonFlat* sbtCancela;
    TButtonFlat* btfSaveOpc;
    TButtonFlat* btfLoadOpc;
    TMessages msgPadrao; // the dialog's own list, loaded by the dialog

private:
    QString SettingsKey() const;
    void AdoptFilterPanel(QWidget* panel);

    std::unique_ptr<Ui::TfrmFiltroPadrao> m_ui;
    QStringList m_opcoes;
    std::vector<std::pair<QString, QString*>> m_listOptions;
};

} // namespace host
