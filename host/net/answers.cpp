#include "host/net/answers.h"

#include "data/codec.h"
#include "host/net/neterror.h"
#include "host/services/serveranswer.h"

namespace host {
namespace {

const QString kStatusError = QStringLiteral("ERRO");

} // namespace

void LoadRecordSet(const NetAnswer& answer, RecordSet& into) {
    const ServerAnswer checked =
        answer.Refused() ? ServerAnswer::Failure(answer.ErrorCode(), answer.ErrorMessage())
                         : ServerAnswer::Success(answer.Json());
    codec::DecodeInto(CheckResultServ(checked), into);
}

QString StatusText(const NetAnswer& answer) {
    return answer.Refused() ? answer.ErrorMessage() : answer.AsString();
}

QStringList StatusPair(const NetAnswer& answer) {
    if (answer.Refused())
        return {kStatusError, answer.ErrorMessage()};
    const QList<NetAnswer> items = answer.Elements();
    if (items.size() != 2)
        throw ENetError("o servidor não respondeu um par de estado");
    return {items[0].AsString(), items[1].AsString()};
}

} // namespace host
