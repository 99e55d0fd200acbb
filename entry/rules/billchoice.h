#pragma once

#include <QString>

#include <optional>

namespace host {
class RecordSet;
}

namespace entry {

// Key of a receivable bill: its branch and number.
struct BillKey {
    QString filial;
    QString numero;
    bool operator==(const BillKey&) const = default;
};

// The single choice of the receivable bill. At most one row of the bill list holds a flag other
// than "N" (the screen writes "S"), and the chosen-bill set holds a copy of exactly that row.
class BillChoice {
public:
    BillChoice(host::RecordSet& bills, host::RecordSet& chosen);

    // Ticks the current bill, unticking any other and copying it into the chosen set, and gives
    // its key; or unticks it when it is the chosen one, leaving no bill chosen. Nothing for an
    // empty list. Controls bound to the list do not repaint until it is done.
    std::optional<BillKey> Toggle();
    // After new content of the list: stands on the chosen bill and gives true when it is listed.
    bool FindChosen();
    // No bill chosen: the chosen set open and empty.
    void Forget();

    // The confirmation's check: empty when the chosen bill is the ticked bill of the list and
    // belongs to the customer, else the key of the message that refuses it.
    QString Check(const QString& customer) const;

private:
    std::optional<BillKey> ChosenKey() const;
    bool LocateBill(const BillKey& key);
    void SetFlag(const QString& flag);
    void CopyCurrent();

    host::RecordSet& m_bills;
    host::RecordSet& m_chosen;
};

} // namespace entry
