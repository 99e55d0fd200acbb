#pragma once

#include "host/forms/form_steps.h"
#include "host/services/messages.h"

#include <QWidget>

#include <memory>

class QAction;
class QMenu;
class QMenuBar;
class QTabWidget;

namespace Ui {
class TfrmPadrao;
}

namespace host {

class RecordSet;
class TButtonFlat;
class TDataSource;
class TDBGrid;
class TDBNavigator;
class TDBText;

// Base screen of the suite, shown as an MDI child: toolbar and menu, navigator with the record
// title, and a page control with the list page (grid) and the form page.
//
// Life: create screens with CreateForm<T>(...) (form_life.h), which runs FormCreate once the
// object is fully built and FormDestroy before any part of it is torn down, so both dispatch
// to the screen's overrides. Overrides run the base step first.
//
// Every toolbar button runs its handler through its OnClick reaction; the paired menu entry
// fires the same reaction. The page control's change runs pgcPadraoChange only when the
// operator changes the page; SetActivePage and SetPageEnabled (the screen's own moves) do not.
class TfrmPadrao : public QWidget, public FormSteps {
    Q_OBJECT
public:
    explicit TfrmPadrao(QWidget* parent = nullptr);
    ~TfrmPadrao() override;

    void SetActivePage(QWidget* page);
    QWidget* ActivePage() const;
    void SetPageEnabled(QWidget* page, bool enabled);
    // Places a panel (e.g. the screen's selection panel) between the toolbar and the pages.
    void AddAbovePages(QWidget* panel);
    // Adds a screen's own button to the toolbar, after the base buttons.
    void AddToolButton(QWidget* button);

    // The menu entries beyond the seven paired with the editing buttons: print, listing,
    // printer set-up and close.
    QList<QAction*> FurtherMenuEntries() const;

    const TMessages& msgPadraoBase() const;

protected:
    void FormCreate() override; // shows the list page
    void FormDestroy() override;
    virtual void pgcPadraoChange();
    virtual void sbtIncluirClick();   // appends a record
    virtual void sbtAlterarClick();   // puts the record in edit state
    virtual void sbtExcluirClick();   // asks "Excl", deletes the record on Yes
    virtual void sbtProcurarClick();  // the find dialog over the record set
    virtual void sbtVerificarClick(); // nothing
    virtual void sbtConfirmarClick(); // posts the record
    virtual void sbtCancelarClick();  // while editing asks "Canc", cancels on Yes
    virtual void sbtImprimirClick();  // nothing

    void closeEvent(QCloseEvent* event) override;

    // The screen's record set, through dtsPadrao; null until the screen binds one.
    RecordSet* DataSet() const;

    // Components (object names as named here).
    QMenuBar* mnuPadrao;
    QMenu* mnuManutencao;
    QMenu* mnuRelatorios;
    QAction* mnuIncluir;
    QAction* mnuAlterar;
    QAction* mnuExcluir;
    QAction* mnuProcurar;
    QAction* mnuVerificar;
    QAction* mnuConfirmar;
    QAction* mnuCancelar;
    QAction* mnuImprimir;
    QAction* mnuListagem;
    QAction* mnuConfigImpressora;
    QAction* mnuFechar;
    TButtonFlat* sbtIncluir;
    TButtonFlat* sbtAlterar;
    TButtonFlat* sbtExcluir;
    TButtonFlat* sbtProcurar;
    TButtonFlat* sbtVerificar;
    TButtonFlat* sbtConfirmar;
    TButtonFlat* sbtCancelar;
    TButtonFlat* sbtImprimir;
    TDBNavigator* dbnPadrao;
    TDBText* dbtNome;
    QTabWidget* pgcPadrao;
    QWidget* tshFolhaDados;
    QWidget* tshFormulario;
    TDBGrid* dbgPadrao;
    TDataSource* dtsPadrao;
    TMessages msgPadrao; // the screen's own list, loaded by the screen

private:
    void Pair(TButtonFlat* button, QAction* entry, void (TfrmPadrao::*handler)());

    std::unique_ptr<Ui::TfrmPadrao> m_ui;
    bool m_settingPage = false;
};

} // namespace host
