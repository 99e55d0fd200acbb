#pragma once

#include "data/field.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <algorithm>
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

// Hash index over some key columns: key -> the rows (by id) holding it, in row order. Rows never
// change their order, only enter and leave, so the order of ids within a key stays right.
struct KeyIndex {
    struct Entry {
        quint64 firstId;
        std::vector<quint64> others; // empty, and so unallocated, for a unique key
    };
    std::vector<int> columns;
    QHash<QString, Entry> entries;

    // While building over the rows in order.
    void Append(const QString& key, quint64 id) {
        auto it = entries.find(key);
        if (it == entries.end())
            entries.insert(key, {id, {}});
        else
            it->others.push_back(id);
    }

    // A row with `key` now sits at `pos`. Returns false when the index cannot follow and must be
    // dropped.
    template <typename PositionOf>
    bool Add(const QString& key, quint64 id, int pos, PositionOf positionOf) {
        auto it = entries.find(key);
        if (it == entries.end()) {
            entries.insert(key, {id, {}});
            return true;
        }
        const int firstPos = positionOf(it->firstId);
        if (firstPos < 0)
            return false;
        if (pos < firstPos) {
            it->others.insert(it->others.begin(), it->firstId);
            it->firstId = id;
            return true;
        }
        // Rows mostly arrive at the end: check the last holder before searching.
        std::vector<quint64>& others = it->others;
        if (others.empty() || positionOf(others.back()) < pos) {
            others.push_back(id);
            return true;
        }
        const auto at = std::partition_point(
            others.begin(), others.end(), [&](quint64 other) { return positionOf(other) < pos; });
        others.insert(at, id);
        return true;
    }

    // The row `id` with `key` is leaving. Returns false when the index must be dropped.
    bool Remove(const QString& key, quint64 id) {
        auto it = entries.find(key);
        if (it == entries.end())
            return false;
        std::vector<quint64>& others = it->others;
        if (it->firstId == id) {
            if (others.empty()) {
                entries.erase(it);
                return true;
            }
            it->firstId = others.front(); // the next holder takes over
            others.erase(others.begin());
            return true;
        }
        const auto found = std::find(others.begin(), others.end(), id);
        if (found == others.end())
            return false;
        others.erase(found);
        return true;
    }
};

} // namespace host
