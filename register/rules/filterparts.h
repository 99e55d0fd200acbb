#pragma once

// What every filter dialog's rules share: a date edit's content, a period's check and the
// choice between all of a kind and a picked list.

#include <QDate>
#include <QString>

#include <optional>

namespace reg {

// A date edit's content: empty reads as a null date; text that is no date is not valid.
struct DateInput {
    QDate data = {};
    bool valida = true;
};

// An all-or-list choice of a filter: every item of its kind, or the list picked (a list string
// as the multi-choice picker writes it).
struct AllOrList {
    bool Todos = true;
    QString Lista;
};

// A period's fault: the end to correct (the start unless fim) and the message key, none for a
// date typed wrong.
struct PeriodFault {
    bool fim;
    QString message;
};
// Both dates typed right, then whole (always when obrigatorio, else once begun) and not ending
// before the start. The first fault found, or nothing.
std::optional<PeriodFault> CheckPeriod(const DateInput& inicio, const DateInput& fim,
                                       bool obrigatorio);

} // namespace reg
