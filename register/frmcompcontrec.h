#pragma once

// The module's one screen. Its handlers are spread over the subsystem folders (register/,
// entry/, settlement/, offset/), one file per concern. Create it with host::CreateForm so that
// FormCreate and FormDestroy run.

#include "host/forms/tfrmpadrao.h"
#include "host/services/formdata.h"

#include <QString>

#include <functional>
#include <memory>

class QAction;

namespace host {
class RecordSet;
class TADOIBQuery;
class TDataSource;
class TDBGrid;
class TNetConnection;
} // namespace host

namespace Ui {
class TfrmCompContRec;
}

namespace settlement {
struct CodeDef;
}

namespace entry {
class ConfirmationKey;
}

namespace offset {
class ItemMarks;
}

class TfrmCompContRec : public host::TfrmPadrao {
    Q_OBJECT
public:
    explicit TfrmCompContRec(QWidget* parent = nullptr);
    ~TfrmCompContRec() override;

    // Connection to the remote object that holds all business data; the filter dialogs call
    // the server through it too.
    host::TNetConnection* netCompContRec = nullptr;

    // The record sets the filter dialogs fill: the compensation list (the screen's record set),
    // and the form page's payables and bank credits.
    host::RecordSet* cdsCompensacao = nullptr;
    host::RecordSet* cdsBoletosPag = nullptr;
    host::RecordSet* cdsCreditos = nullptr;

    // Reloads the list through the list filter; with position, stands on the compensation
    // numbered number (blank: the one current before the reload).
    void GetCompensacao(bool position, const QString& number);

    // Settlement parameters (settlement/): the four types and the bank account of a new
    // compensation. Leaving a code edit checks it with false (a blank code passes); the
    // confirmation checks with true. A failure resets the pair, shows why and aborts.
    void Vd_TipoBaixaRec(bool boObrigatorio);
    void Vd_TipoAjusteRec(bool boObrigatorio);
    void Vd_TipoBaixaPag(bool boObrigatorio);
    void Vd_TipoAjustePag(bool boObrigatorio);
    void Vd_ContCorr(bool boObrigatorio);
    // Agency and account of the current compensation shown through its bank's pictures.
    void AplicaPicturas();

private:
    void WireSettlement();
    host::TADOIBQuery* NewLookup(const settlement::CodeDef& def);
    host::TADOIBQuery* Lookup(const settlement::CodeDef& def) const;
    void VdCodigo(const settlement::CodeDef& def, bool boObrigatorio,
                  const std::function<void(const QString&)>& abre,
                  const std::function<void()>& reseta, const std::function<void()>& copia);
    void Vd_Tipo(const settlement::CodeDef& def, bool boObrigatorio);
    void ResetTipo(const settlement::CodeDef& def);
    void CopiaTipo(const settlement::CodeDef& def);
    void AbreContCorr(const QString& code);
    void ResetContCorr();
    void CopiaContCorr();
    void dbeCdReduContChange();

protected:
    void FormCreate() override;
    void FormDestroy() override;
    void pgcPadraoChange() override;
    void sbtIncluirClick() override;
    void sbtExcluirClick() override;
    void sbtProcurarClick() override;
    void sbtVerificarClick() override;
    void sbtCancelarClick() override;

private:
    // Building (frmcompcontrec.cpp, recordsets.cpp, formpage.cpp).
    void BuildRecordSets();
    void BuildListGrid();
    void BuildFormPage();
    void BuildToolbar();
    void PutCompanyPanelFirst();
    void WireCompanyPanel();
    void netCompContRecBeforeConnect();

    // Compensation record (compensacao.cpp).
    void cdsCompensacaoNewRecord();
    void cdsCompensacaoAfterScroll();
    void AplicaMask();

    // Company panel (companypanel.cpp).
    void panEmpresaEnter();
    void panEmpresaExit();
    void edtCdEmpresaChange();
    void btpEmpresaBeforePesq();
    void btpEmpresaAfterPesq();
    void Vd_Empresa(bool required);
    void FocusChanged(QWidget* old, QWidget* now);

    // Pages, buttons and menu entries (states.cpp).
    void dtsPadraoStateChange();
    void HabilitaPaginasBotoes(bool active);
    void HabilitaDesabilitaCampos(bool enable);
    void SwitchPage(QWidget* page);
    void sbtFiltroClick();
    void mnuFiltroClick();

    // Items of the current compensation (listload.cpp).
    void GetContaItensCompensacao();

    // The items page of a stored compensation, item loads held through a reload, a company
    // picked by search (itemspage.cpp, listload.cpp, companypanel.cpp).
    void dbrItensCompChange();
    void EmptyItemsBut(host::RecordSet* kept);
    void HoldingScrolls(const std::function<void()>& step);
    void ChooseCompanyPicked();
    bool m_scrollsHeld = false;
    bool m_scrolledWhileHeld = false;

    bool Editing() const;
    host::RecordSet* NewRecordSet(const QString& name);

    // Documents (documentos.cpp): the current compensation's notice in a print preview, the
    // list shown exported from the menu or its grid's context menu.
    void sbtImprimirClick() override;
    void WireDocuments();
    host::TDBGrid* ListShown() const;
    void ExportList(host::TDBGrid* grid, bool pdf);
    QAction* mnuExportaCsv = nullptr;
    QAction* mnuExportaPdf = nullptr;

    std::unique_ptr<Ui::TfrmCompContRec> ui;
    host::FormData m_form;
    host::TDataSource* dtsBoletosRec = nullptr;
    host::TDataSource* dtsBoletosPag = nullptr;
    host::TDataSource* dtsCreditos = nullptr;
    host::TDataSource* dtsEmpresa = nullptr;
    host::TADOIBQuery* qryEmpresa = nullptr;
    QAction* N1 = nullptr;
    bool m_inCompanyPanel = false;

    // ---- Compensation entry (entry/): customer, receivable bill and dates ----
    // The customer's receivable bills; one compensation as the server receives it.
    host::RecordSet* cdsBoletosRec = nullptr;
    host::RecordSet* cdsNovaComp = nullptr;
    // The chosen receivable bill, and the marked payables and bank credits: what the
    // confirmation sends whole to the server.
    host::RecordSet* cdsBolRec = nullptr;
    host::RecordSet* cdsBoletosMarcados = nullptr;
    host::RecordSet* cdsLancMarcados = nullptr;

    // Record sets, look-up and reactions of the entry (entry/wiring.cpp); the reactions are
    // detached before the screen is torn down.
    void WireEntry();
    void UnwireEntry();
    void CreateEntryRecordSets();

    // Customer (entry/customer.cpp).
    void btpClienteClick();
    void dbeInsJurClieEnter();
    void dbeInsJurClieChange();
    void dbeInsJurClieExit();
    void panEmprClieExit();
    void Vd_Cliente(bool boObrigatorio);
    void ResetCliente();
    void TakeCliente();
    void ApplyTaxIdMask();
    QString TypedTaxId() const;

    // Receivable bill (entry/bills.cpp).
    void getBoletosRec(bool relocate);
    void cdsBoletosRecAfterOpen();
    void VerificaBolRecMarcado();
    void SelecionaBolRec();
    void dbgContaRecCellClick(int column);
    void dbgContaRecKeyDown(int& key, Qt::KeyboardModifiers shift);
    void dbgContaRecEnter();
    void dbgContaRecExit();
    void Vd_Documento();

    // Dates (entry/dates.cpp).
    void Vd_DtCompensacao();
    void Vd_DtBaixa();
    void Vd_DataEntrPag();
    void Vd_DataEntrRec();
    void HabDesabAltDatas();
    void dbeDtCompChange();
    void dbeDtBaixaChange();

    // Confirmation (entry/confirm.cpp): the checks in order, then the server generates the
    // compensation and the list shows it.
    void sbtConfirmarClick() override;
    void Vd_ValorCompensacao();
    void Vd_AjusteBolRec();
    void Vd_AjusteBolPag();
    void GeraCompensacao();
    void ShowGenerated(const QString& number);
    host::RecordSet* cdsAjBolRec = nullptr;
    host::RecordSet* cdsPossuiAjuste = nullptr;
    std::unique_ptr<entry::ConfirmationKey> m_confirmKey;

    host::TADOIBQuery* qryCliente = nullptr;
    host::TDataSource* dtsCliente = nullptr;

    // ---- Offset items (offset/): the payables and credits lists, marking and the total ----
private:
    // The items notebook's pages, one per offset kind; both lists share one way of marking.
    enum class Itens { Pagar = 0, Creditos = 1 };
    void WireOffset();
    void WireItemsNotebook();
    void UnwireOffset();
    Itens ItensMostrados() const;
    host::RecordSet* ItensLista(Itens kind) const;
    offset::ItemMarks Marcas(Itens kind);
    // Each runs its filter hidden; with relocate, stands on the item current before.
    void getBoletosPag(bool relocate);
    void getLancCred(bool relocate);
    void getItens(Itens kind, bool relocate);
    void ntbItensEnter();
    void ntbItensExit();
    // The toolbar's refresh and filter while a compensation is entered, on the page shown.
    void VerificaItens();
    void FiltraItens();
    void RodaFiltroItens(Itens kind, const QString& mode);
    void HabilitaProcurarItens(Itens kind);
    void VerificaJaMarcado(Itens kind);
    void MarcaDesmarca(Itens kind);
    void MarcaDesmarcaTodos(Itens kind, bool mark);
    void PerguntaTodos(Itens kind);
    void EsqueceBolPag();
    void TotalItens();
    void ntbItensPageChanged();
    void ItensCellClick(Itens kind, int column);
    void ItensTitleClick(Itens kind, int column);
    void ItensKeyDown(Itens kind, int& key, Qt::KeyboardModifiers shift);
    // Entered and not left for another control of the screen (a message box is no exit).
    bool m_inItens = false;
    QMetaObject::Connection m_itensFocus;
};
