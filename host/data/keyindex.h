#pragma once

#include "host/data/field.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <cmath>
#include <cstring>
#include <vector>

namespace host {

// Appends one value to a look-up key: strings case-folded, numbers and dates by their bits,
// each part tagged and length-prefixed so that no two different value lists share a key.
inline void AppendKeyPart(QString& key, FieldType type, const QVariant& value) {
    const auto appendBits = [&key](quint64 bits) {
        for (int shift = 0; shift < 64; shift += 16)
            key.append(QChar(char16_t((bits >> shift) & 0xFFFF)));
    };
    if (!value.isValid()) {
        key.append(QLatin1Char('N'));
        return;
    }
    switch (type) {
    case FieldType::String:
    case FieldType::FixedString: {
        const QString text = value.toString(); // shares the stored text, no copy
        key.append(QLatin1Char('S'));
        appendBits(quint64(text.size()));
        const qsizetype start = key.size();
        key.append(text);
        // Folding in place spares an allocation per value; the look-up runs in loops.
        QChar* folded = key.data() + start;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = folded[i].unicode();
            if (c < 0x80)
                folded[i] = QChar(c >= 'A' && c <= 'Z' ? char16_t(c + 32) : c);
            else if (!folded[i].isSurrogate())
                folded[i] = folded[i].toCaseFolded();
        }
        return;
    }
    case FieldType::Float: {
        double number = value.toDouble();
        if (number == 0)
            number = 0; // -0 and 0 are the same key
        quint64 bits = 0;
        std::memcpy(&bits, &number, sizeof bits);
        key.append(QLatin1Char('F'));
        appendBits(bits);
        return;
    }
    case FieldType::DateTime:
        key.append(QLatin1Char('D'));
        appendBits(quint64(value.toDateTime().toMSecsSinceEpoch()));
        return;
    }
}

// Hash index over some key columns: key -> first row (by id) holding it, and how many do.
struct KeyIndex {
    struct Entry {
        quint64 firstId;
        int count;
    };
    std::vector<int> columns;
    QHash<QString, Entry> entries;

    // A row with `key` now sits at `pos`. Returns false when the index cannot follow cheaply
    // and must be dropped.
    template <typename PositionOf>
    bool Add(const QString& key, quint64 id, int pos, PositionOf positionOf) {
        auto it = entries.find(key);
        if (it == entries.end()) {
            entries.insert(key, {id, 1});
            return true;
        }
        const int firstPos = positionOf(it->firstId);
        if (firstPos < 0)
            return false;
        if (pos < firstPos)
            it->firstId = id;
        ++it->count;
        return true;
    }

    // The row `id` with `key` is leaving. Returns false when the index must be dropped.
    bool Remove(const QString& key, quint64 id) {
        auto it = entries.find(key);
        if (it == entries.end())
            return false;
        if (it->count == 1) {
            if (it->firstId != id)
                return false;
            entries.erase(it);
            return true;
        }
        if (it->firstId == id)
            return false; // the next holder of the key is unknown
        --it->count;
        return true;
    }
};

} // namespace host
