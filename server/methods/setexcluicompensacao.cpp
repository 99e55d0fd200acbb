#include "server/methods/methods.h"

namespace rec18000 {

void SetExcluiCompensacao(rpc::CallContext&, const rpc::Params&, host::JsonWriter&) {
    NotImplemented();
}

} // namespace rec18000
