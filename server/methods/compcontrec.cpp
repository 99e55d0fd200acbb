#include "server/methods/methods.h"

namespace rec18000 {

void RegisterCompContRec(rpc::Registry& registry) {
    using T = rpc::ParamType;
    constexpr T S = T::String;
    constexpr T N = T::Number;
    constexpr T D = T::Date;
    constexpr T R = T::RecordSet;
    rpc::RemoteObject& object = registry.Object(kServerName);
    // Positional parameters in the order the screen sends them; companyParam names the company
    // code that the operator's access is checked against before the call.
    object.Add({"GetCompensacao", {S, D, D, D, D, S, S}, 0, &GetCompensacao});
    object.Add({"GetContaItensComp", {S, S, S}, 0, &GetContaItensComp});
    object.Add({"SetExcluiCompensacao", {R}, -1, &SetExcluiCompensacao});
    object.Add({"GetCreditos", {S, D, D, N, N, S, S}, 0, &GetCreditos});
    object.Add({"GetBoletosRec", {S, S}, 0, &GetBoletosRec});
    object.Add({"SetGeraCompensacao", {S, S, R, R, R, R, S}, 0, &SetGeraCompensacao});
    object.Add({"GetVdAjBolPag", {R, S}, -1, &GetVdAjBolPag});
    object.Add({"GetVdAjBolRec", {S, S, S}, -1, &GetVdAjBolRec});
    object.Add({"GetBoletosPag", {S, S, S, S, S, S, D, D, S, N, N, S}, 0, &GetBoletosPag});
    object.Add({"GetGeralPag", {}, -1, &GetGeralPag});
    object.Add({"GetTermoCompensacao", {S, S}, 0, &GetTermoCompensacao});
}

} // namespace rec18000
