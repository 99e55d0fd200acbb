#include "entry/rules/billchoice.h"

#include "data/controlsheld.h"
#include "data/recordset.h"

namespace entry {
namespace {

const QString kFlag = QStringLiteral("IDMARCADO");
const QString kUnmarked = QStringLiteral("N");
const QString kMarked = QStringLiteral("S");
const QString kFilial = QStringLiteral("CDFILIBOLREC");
const QString kNumero = QStringLiteral("NRLANBOLREC");
const QString kCustomer = QStringLiteral("CDCLIENTE");
const QString kKeyFields = QStringLiteral("CDFILIBOLREC;NRLANBOLREC");

// Keys compare as the record set's look-ups do.
bool SameCode(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool HasRows(const host::RecordSet& rows) {
    return rows.Active() && !rows.IsEmpty();
}

} // namespace

BillChoice::BillChoice(host::RecordSet& bills, host::RecordSet& chosen)
    : m_bills(bills), m_chosen(chosen) {}

std::optional<BillKey> BillChoice::Toggle() {
    if (!HasRows(m_bills))
        return std::nullopt;
    const host::ControlsHeld quiet(m_bills);
    if (m_bills.FieldByName(kFlag).AsString() != kUnmarked) {
        Forget();
        SetFlag(kUnmarked);
        return std::nullopt;
    }
    const host::RecordSet::Bookmark here = m_bills.GetBookmark();
    if (const std::optional<BillKey> previous = ChosenKey(); previous && LocateBill(*previous))
        SetFlag(kUnmarked);
    m_bills.GotoBookmark(here);
    CopyCurrent();
    SetFlag(kMarked);
    return BillKey{m_bills.FieldByName(kFilial).AsString(),
                   m_bills.FieldByName(kNumero).AsString()};
}

bool BillChoice::FindChosen() {
    const std::optional<BillKey> key = ChosenKey();
    return key && HasRows(m_bills) && LocateBill(*key);
}

void BillChoice::Forget() {
    if (!m_chosen.Active())
        m_chosen.CreateDataSet();
    m_chosen.EmptyDataSet();
}

QString BillChoice::Check(const QString& customer) const {
    const std::optional<BillKey> key = ChosenKey();
    if (!key)
        return QStringLiteral("NCONTREC");
    // Another customer typed without leaving the header keeps the previous customer's bill.
    if (m_bills.Active()) {
        const host::Field& flag = m_bills.FieldByName(kFlag);
        const host::Field& filial = m_bills.FieldByName(kFilial);
        const host::Field& numero = m_bills.FieldByName(kNumero);
        for (int row = 0; row < m_bills.RecordCount(); ++row) {
            if (flag.ValueAt(row).toString() != kMarked)
                continue;
            const bool same = SameCode(filial.ValueAt(row).toString(), key->filial) &&
                              SameCode(numero.ValueAt(row).toString(), key->numero) &&
                              m_bills.FieldByName(kCustomer).ValueAt(row).toString() == customer;
            return same ? QString() : QStringLiteral("CONTRECCLIE");
        }
    }
    return QStringLiteral("CONTRECCLIE");
}

std::optional<BillKey> BillChoice::ChosenKey() const {
    if (!HasRows(m_chosen))
        return std::nullopt;
    return BillKey{m_chosen.FieldByName(kFilial).AsString(),
                   m_chosen.FieldByName(kNumero).AsString()};
}

bool BillChoice::LocateBill(const BillKey& key) {
    return m_bills.Locate(kKeyFields, {key.filial, key.numero});
}

void BillChoice::SetFlag(const QString& flag) {
    m_bills.Edit();
    m_bills.FieldByName(kFlag).SetAsString(flag);
    m_bills.Post();
}

// Field by field by name: the two sets order their fields differently.
void BillChoice::CopyCurrent() {
    Forget();
    m_chosen.Append();
    for (int i = 0; i < m_chosen.FieldCount(); ++i) {
        host::Field& field = m_chosen.FieldAt(i);
        field.SetValue(m_bills.FieldByName(field.FieldName()).Value());
    }
    m_chosen.Post();
}

} // namespace entry
