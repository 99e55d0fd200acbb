#include "data/editmask.h"

#include "data/recordset.h"
#include "data/text.h"

#include <QStringList>

namespace host {

namespace {

bool IsSlot(QChar c) {
    return c == QLatin1Char('9') || c == QLatin1Char('a');
}

bool IsUpperSwitch(QChar c) {
    return c == QLatin1Char('>');
}

} // namespace

EditMask EditMask::Parse(const QString& mask) {
    EditMask result;
    const QStringList parts = mask.split(QLatin1Char(';'));
    result.picture = parts.value(0);
    result.storeLiterals = parts.value(1).trimmed() == QLatin1String("1");
    if (parts.size() > 2 && !parts.at(2).isEmpty())
        result.blank = parts.at(2).at(0);
    return result;
}

QString FormatMaskText(const QString& mask, const QString& stored) {
    const EditMask m = EditMask::Parse(mask);
    if (m.IsEmpty() || stored.isEmpty())
        return stored;

    QString out;
    bool upper = false;
    qsizetype next = 0;
    for (QChar p : m.picture) {
        if (IsUpperSwitch(p)) {
            upper = true;
        } else if (IsSlot(p)) {
            if (next < stored.size()) {
                const QChar c = stored.at(next++);
                out += upper ? c.toUpper() : c;
            } else {
                out += m.blank;
            }
        } else {
            // A stored literal is consumed where the picture has it.
            if (next < stored.size() && stored.at(next) == p)
                ++next;
            out += p;
        }
    }
    const QString rest = stored.mid(next);
    out += upper ? rest.toUpper() : rest;
    return out;
}

QString StripMaskText(const QString& mask, const QString& typed) {
    const EditMask m = EditMask::Parse(mask);
    if (m.IsEmpty())
        return typed;

    QString out;
    QString pendingLiterals; // stored literals wait for a value character after them
    bool upper = false;
    qsizetype next = 0;
    for (QChar p : m.picture) {
        if (next >= typed.size())
            break;
        if (IsUpperSwitch(p)) {
            upper = true;
        } else if (IsSlot(p)) {
            const QChar c = typed.at(next++);
            if (c != m.blank) {
                out += pendingLiterals;
                pendingLiterals.clear();
                out += upper ? c.toUpper() : c;
            }
        } else {
            if (typed.at(next) == p)
                ++next;
            if (m.storeLiterals)
                pendingLiterals += p;
        }
    }
    for (const QChar c : typed.mid(next))
        if (c != m.blank)
            out += upper ? c.toUpper() : c;
    return out;
}

QString ToInputMask(const QString& mask) {
    const EditMask m = EditMask::Parse(mask);
    if (m.IsEmpty())
        return {};
    static const QString special = QStringLiteral("AaNnXx90DdHhBb#><!{}[]\\;");
    QString out;
    for (QChar p : m.picture) {
        if (p == QLatin1Char('9'))
            out += QLatin1Char('0'); // optional digit
        else if (p == QLatin1Char('a'))
            out += QLatin1Char('n'); // optional letter or digit
        else if (IsUpperSwitch(p))
            out += p;
        else {
            if (special.contains(p))
                out += QLatin1Char('\\');
            out += p;
        }
    }
    return out + QLatin1Char(';') + m.blank;
}

void ShowTaxId(RecordSet& recordSet, const QString& taxId, const QString& personType) {
    const Field* type = &recordSet.FieldByName(personType);
    recordSet.FieldByName(taxId).SetOnGetText([type](const Field& field, int row) {
        const QVariant value = field.ValueAt(row);
        if (!value.isValid())
            return QString();
        return FormatMaskText(PictPess(type->ValueAt(row).toString()), value.toString());
    });
}

} // namespace host
