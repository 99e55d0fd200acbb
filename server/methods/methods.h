#pragma once

#include "server/rpc/registry.h"

namespace host {
class JsonWriter;
}

// The remote object REC18000.rdmCompContRec: one handler per method, one file per handler.
namespace rec18000 {

inline constexpr char kServerName[] = "REC18000.rdmCompContRec";

// Adds the object and its eleven methods, with their signatures, to the registry.
void RegisterCompContRec(rpc::Registry& registry);

#define REC18000_METHOD(name)                                                                      \
    void name(rpc::CallContext& context, const rpc::Params& params, host::JsonWriter& result)

REC18000_METHOD(GetCompensacao);
REC18000_METHOD(GetContaItensComp);
REC18000_METHOD(SetExcluiCompensacao);
REC18000_METHOD(GetCreditos);
REC18000_METHOD(GetBoletosRec);
REC18000_METHOD(SetGeraCompensacao);
REC18000_METHOD(GetVdAjBolPag);
REC18000_METHOD(GetVdAjBolRec);
REC18000_METHOD(GetBoletosPag);
REC18000_METHOD(GetGeralPag);
REC18000_METHOD(GetTermoCompensacao);

#undef REC18000_METHOD

} // namespace rec18000
