#include "settlement/rules/codecheck.h"

#include "data/text.h"

#include <array>

namespace settlement {

namespace {

// The same adjustment messages serve both sides.
const std::array<CodeDef, 4> kTipos{{
    {"lblTpBxR", "dbeCdTpBxR", "dbeDsTpBxR", "btpTpBaixaRec", "qryTipoBaixaRec", "CDTPBAIXAREC",
     "NMTPBAIXAREC", 2, "TIPOREC", "NTIPOREC", "TIPORECNULL", "TIPORECNCAD"},
    {"lblTpAjR", "dbeCdTpAjR", "dbeDsTpAjR", "btpAjusRec", "qryTpAjusRec", "CDAJUCTREC",
     "DSAJUCTREC", 4, "TPAJUSREC", "NTPAJUS", "TPAJUSRECNULL", "TPAJUSNCAD"},
    {"lblTpBxP", "dbeCdTpBxP", "dbeDsTpBxP", "btpTpBaixaPag", "qryTipoBaixaPag", "CDTPBAIXAPAG",
     "NMTPBAIXAPAG", 2, "TIPOPAG", "NTIPOPAG", "TIPOPAGNULL", "TIPOPAGNCAD"},
    {"lblTpAjP", "dbeCdTpAjP", "dbeDsTpAjP", "btpAjusPag", "qryTpAjusPag", "CDAJUCTPAG",
     "DSAJUCTPAG", 4, "TPAJUSPAG", "NTPAJUS", "TPAJUSPAGNULL", "TPAJUSNCAD"},
}};

const CodeDef kContCorr{"lblContCorr",
                        "dbeCdReduCont",
                        {},
                        "btpContCorr",
                        "qryContCorr",
                        "CDREDUCONT",
                        {},
                        3,
                        "CONTCORR",
                        "NCONTCORR",
                        "CONTCORRNULL",
                        "CONTCORRNCAD"};

} // namespace

const CodeDef& CodeCheck::Type(CodeType tipo) {
    return kTipos.at(size_t(tipo));
}

const CodeDef& CodeCheck::Account() {
    return kContCorr;
}

CodeVerdict CodeCheck::Check(const CodeDef& def, const QString& typed, bool obrigatorio,
                             const Lookup& lookup) {
    using Action = CodeVerdict::Action;
    if (host::EmptyString(typed))
        return obrigatorio ? CodeVerdict{Action::Refuse, {}, def.nullKey}
                           : CodeVerdict{Action::Accept, {}, {}};
    const QString code = host::Ajusta(typed, def.width);
    if (!lookup(code))
        return {Action::Refuse, code, def.notFoundKey};
    return {Action::Found, code, {}};
}

} // namespace settlement
