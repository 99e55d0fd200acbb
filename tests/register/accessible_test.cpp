// What a screen reader finds: every control announces its caption, and each caption leads to
// its control.

#include "register/filtrocomprec.h"
#include "settlement/filtrolanccred.h"
#include "tests/register/screenfixture.h"
#include "tests/support/accessiblenames.h"

#include "host/forms/form_life.h"

#include <QDialog>

#include <memory>

namespace register_testing {
namespace {

enum class Place { ListPage, FormPage, ListFilter, CreditsFilter };

struct Caption {
    const char* text;
    const char* control;
};

struct PlaceCase {
    const char* name;
    Place place;
    std::vector<Caption> captions;
};

class AccessibleTest : public ScreenTest, public ::testing::WithParamInterface<PlaceCase> {
protected:
    // Checks the window part the case names, opened as the operator opens it.
    void Check(QWidget* root) {
        ASSERT_NE(root, nullptr);
        EXPECT_EQ(host::testing::UnnamedControls(root), QStringList{})
            << "controls without caption";
        const QMultiHash<QString, QString> announced = host::testing::AnnouncedControls(root);
        for (const Caption& caption : GetParam().captions) {
            const QString text = QString::fromUtf8(caption.text);
            EXPECT_EQ(announced.values(text), QStringList{QString::fromLatin1(caption.control)})
                << caption.text;
        }
    }
};

TEST_P(AccessibleTest, EveryControlIsFoundByItsCaption) {
    AddCompensation(Compensation("0000000001"));
    switch (GetParam().place) {
    case Place::ListPage:
        OpenScreen();
        ChooseCompany("01");
        Check(Root());
        break;
    case Place::FormPage:
        OpenScreen();
        ChooseCompany("01");
        ShowFormPage();
        Check(Find<QWidget>("tshFormulario"));
        break;
    case Place::ListFilter:
        OpenScreen();
        ChooseCompany("01");
        WithFilterDialog([this](QDialog& dialog) { Check(&dialog); });
        break;
    case Place::CreditsFilter: {
        const std::unique_ptr<TfrmFiltroLancCred> dialog(host::CreateForm<TfrmFiltroLancCred>());
        Check(dialog.get());
        break;
    }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, AccessibleTest,
    ::testing::Values(PlaceCase{"ListPage",
                                Place::ListPage,
                                {{"Empresa", "edtCdEmpresa"},
                                 {"Pesquisar empresa", "btpEmpresa"},
                                 {"Nome da empresa", "edtNmEmpresa"},
                                 {"Filtrar", "sbtFiltro"},
                                 {"Primeiro registro", "btnFirst"},
                                 {"Lista de compensações", "dbgPadrao"}}},
                      PlaceCase{"FormPage",
                                Place::FormPage,
                                {{"Operador", "dbeCdOperInc"},
                                 {"Nome do operador", "dbeNmOperInc"},
                                 {"Data de Lançamento", "dbeDtLancComp"},
                                 {"Cliente", "dbeInsJurClie"},
                                 {"Pesquisar cliente", "btpCliente"},
                                 {"Razão social do cliente", "dbeRazSocClie"},
                                 {"Contas a receber do cliente", "dbgContaRec"},
                                 {"Tipo de Baixa a Receber", "dbeCdTpBxR"},
                                 {"Pesquisar tipo de baixa a receber", "btpTpBaixaRec"},
                                 {"Tipo de Ajuste a Receber", "dbeCdTpAjR"},
                                 {"Conta Corrente", "dbeCdReduCont"},
                                 {"Pesquisar conta corrente", "btpContCorr"},
                                 {"Número da conta corrente", "dbeCdContCorr"},
                                 {"Data da Compensação", "dbeDtComp"},
                                 {"Data da Baixa", "dbeDtBaixa"},
                                 {"Itens para Compensação", "dbrItensComp"},
                                 {"Crédito em Conta Corrente", "rbtCredCCorr"},
                                 {"Tipo de Baixa a Pagar", "dbeCdTpBxP"},
                                 {"Pesquisar tipo de ajuste a pagar", "btpAjusPag"},
                                 {"Contas a pagar", "dbgConta"},
                                 {"Vr. Total a Compensar", "dbeVrTotComp"}}},
                      PlaceCase{"ListFilter",
                                Place::ListFilter,
                                {{"Data da Compensação inicial", "depDtCompIni"},
                                 {"Data de Lançamento final", "depDtLancFin"},
                                 {"Lista de operadores", "rbtListaOper"},
                                 {"Pesquisar operadores", "btpListaOper"},
                                 {"Pesquisar clientes", "btpListaCliente"},
                                 {"Confirmar", "sbtConfirma"}}},
                      PlaceCase{"CreditsFilter",
                                Place::CreditsFilter,
                                {{"Data inicial", "depDtLancIni"},
                                 {"Valor final", "nedValorFin"},
                                 {"Pesquisar tipos de crédito", "btpTipo"},
                                 {"Pesquisar contas correntes", "btpCCorr"}}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace register_testing
