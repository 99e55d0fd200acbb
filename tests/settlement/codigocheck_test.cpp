// The check of a typed reference code without widgets: what a blank, a short and an unknown code
// become for each of the four types and the bank account.

#include "settlement/tipocheck.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using Acao = VereditoCodigo::Acao;

struct Caso {
    const char* name;
    const DefCodigo& def;
    const char* typed;
    bool obrigatorio;
    const char* existing; // the one code the look-up knows
    Acao acao;
    const char* codigo;   // normalised code (and what was looked up, if anything)
    const char* mensagem; // refusal key
    friend void PrintTo(const Caso& c, std::ostream* os) { *os << c.name; }
};

class CodigoCheckTest : public ::testing::TestWithParam<Caso> {};

TEST_P(CodigoCheckTest, VerdictAndMessage) {
    const Caso& c = GetParam();
    std::optional<QString> lookedUp;
    const VereditoCodigo v = CodigoCheck::Verifica(c.def, QString::fromUtf8(c.typed), c.obrigatorio,
                                                   [&](const QString& code) {
                                                       lookedUp = code;
                                                       return code == QLatin1String(c.existing);
                                                   });
    EXPECT_EQ(v.acao, c.acao);
    EXPECT_EQ(v.codigo, QLatin1String(c.codigo));
    EXPECT_EQ(v.mensagem, QLatin1String(c.mensagem));
    // A blank code never reaches the look-up; any other is looked up as normalised.
    if (*c.codigo)
        EXPECT_EQ(lookedUp, QString::fromLatin1(c.codigo));
    else
        EXPECT_FALSE(lookedUp.has_value());
}

const DefCodigo& BxR = CodigoCheck::Tipo(TipoRef::BaixaRec);
const DefCodigo& AjR = CodigoCheck::Tipo(TipoRef::AjusteRec);
const DefCodigo& AjP = CodigoCheck::Tipo(TipoRef::AjustePag);
const DefCodigo& CC = CodigoCheck::ContCorr();

INSTANTIATE_TEST_SUITE_P(
    Casos, CodigoCheckTest,
    ::testing::Values(
        // Leaving a blank code passes; confirming it names the missing code.
        Caso{"BxRBlankLeaving", BxR, "  ", false, "01", Acao::Aceita, "", ""},
        Caso{"BxRBlankConfirming", BxR, "", true, "01", Acao::Recusa, "", "TIPORECNULL"},
        Caso{"CCBlankLeaving", CC, "", false, "BB1", Acao::Aceita, "", ""},
        Caso{"CCBlankConfirming", CC, "", true, "BB1", Acao::Recusa, "", "CONTCORRNULL"},
        // Digits are padded to the code's width before the look-up.
        Caso{"BxRDigitPadded", BxR, "1", false, "01", Acao::Achou, "01", ""},
        Caso{"AjRSevenIs0007", AjR, "7", false, "0007", Acao::Achou, "0007", ""},
        Caso{"AjPSevenIs0007", AjP, "7 ", true, "0007", Acao::Achou, "0007", ""},
        Caso{"CCDigitsPaddedToThree", CC, "4", false, "004", Acao::Achou, "004", ""},
        Caso{"CCLettersOnlyTrimmed", CC, " BB1 ", false, "BB1", Acao::Achou, "BB1", ""},
        // Not among the qualifying rows.
        Caso{"BxRUnknown", BxR, "02", false, "01", Acao::Recusa, "02", "TIPORECNCAD"},
        Caso{"CCOtherCompanys", CC, "BR1", false, "BB1", Acao::Recusa, "BR1", "CONTCORRNCAD"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
