#include "settlement/tipocheck.h"

#include "data/text.h"

#include <array>

namespace {

// The same adjustment messages serve both sides.
const std::array<DefCodigo, 4> kTipos{{
    {"lblTpBxR", "dbeCdTpBxR", "dbeDsTpBxR", "btpTpBaixaRec", "qryTipoBaixaRec", "CDTPBAIXAREC",
     "NMTPBAIXAREC", 2, "TIPOREC", "NTIPOREC", "TIPORECNULL", "TIPORECNCAD"},
    {"lblTpAjR", "dbeCdTpAjR", "dbeDsTpAjR", "btpAjusRec", "qryTpAjusRec", "CDAJUCTREC",
     "DSAJUCTREC", 4, "TPAJUSREC", "NTPAJUS", "TPAJUSRECNULL", "TPAJUSNCAD"},
    {"lblTpBxP", "dbeCdTpBxP", "dbeDsTpBxP", "btpTpBaixaPag", "qryTipoBaixaPag", "CDTPBAIXAPAG",
     "NMTPBAIXAPAG", 2, "TIPOPAG", "NTIPOPAG", "TIPOPAGNULL", "TIPOPAGNCAD"},
    {"lblTpAjP", "dbeCdTpAjP", "dbeDsTpAjP", "btpAjusPag", "qryTpAjusPag", "CDAJUCTPAG",
     "DSAJUCTPAG", 4, "TPAJUSPAG", "NTPAJUS", "TPAJUSPAGNULL", "TPAJUSNCAD"},
}};

const DefCodigo kContCorr{"lblContCorr",
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

const DefCodigo& CodigoCheck::Tipo(TipoRef tipo) {
    return kTipos.at(size_t(tipo));
}

const DefCodigo& CodigoCheck::ContCorr() {
    return kContCorr;
}

VereditoCodigo CodigoCheck::Verifica(const DefCodigo& def, const QString& typed, bool obrigatorio,
                                     const Busca& busca) {
    using Acao = VereditoCodigo::Acao;
    if (host::EmptyString(typed))
        return obrigatorio ? VereditoCodigo{Acao::Recusa, {}, def.nullKey}
                           : VereditoCodigo{Acao::Aceita, {}, {}};
    const QString codigo = host::Ajusta(typed, def.width);
    if (!busca(codigo))
        return {Acao::Recusa, codigo, def.notFoundKey};
    return {Acao::Achou, codigo, {}};
}
