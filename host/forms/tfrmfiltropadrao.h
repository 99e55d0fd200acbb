#pragma once

#include "host/forms/form_steps.h"
#include "host/services/messages.h"

#include <QDialog>
#include <QStringList>

#include <memory>

namespace Ui {
class TfrmFiltroPadrao;
}

namespace host {

class TADOIBQuery;
class TButtonFlat;

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

protected:
    virtual void sbtConfirmaClick(); // accepts the dialog
    virtual void sbtCancelaClick();  // rejects the dialog
    virtual void btfSaveOpcClick();  // stores the options for the operator
    virtual void btfLoadOpcClick();  // replaces the options with the operator's stored ones

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

    std::unique_ptr<Ui::TfrmFiltroPadrao> m_ui;
    QStringList m_opcoes;
};

} // namespace host
