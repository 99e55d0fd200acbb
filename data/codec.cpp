#include "data/codec.h"

#include "data/datatexts.h"
#include "data/jsonwriter.h"
#include "data/recordset.h"

#include <QHash>

#include <simdjson.h>

#include <string_view>
#include <utility>

namespace host {

namespace {

std::string_view TypeName(FieldType type) {
    switch (type) {
    case FieldType::String:
        return "string";
    case FieldType::FixedString:
        return "fixedstring";
    case FieldType::Float:
        return "float";
    case FieldType::DateTime:
        return "datetime";
    }
    return "string";
}

bool HasSize(FieldType type) {
    return type == FieldType::String || type == FieldType::FixedString;
}

void WriteFields(JsonWriter& out, const QList<FieldDef>& fields) {
    out.key("fields").beginArray();
    for (const FieldDef& def : fields) {
        out.beginObject().key("name").value(def.name).key("type").value(TypeName(def.type));
        if (HasSize(def.type))
            out.key("size").value(def.size);
        out.endObject();
    }
    out.endArray();
}

// Cells hold what NormaliseValue makes (QString, double, QDateTime or null); read them in
// place rather than through QVariant's converting getters.
void WriteCell(JsonWriter& out, FieldType type, const QVariant& cell) {
    const int id = cell.typeId();
    if (type == FieldType::Float && id == QMetaType::Double)
        out.value(*static_cast<const double*>(cell.constData()));
    else if (HasSize(type) && id == QMetaType::QString)
        out.value(*static_cast<const QString*>(cell.constData()));
    else if (type == FieldType::DateTime && id == QMetaType::QDateTime)
        out.value(*static_cast<const QDateTime*>(cell.constData()));
    else
        out.value(cell);
}

template <typename RowAt>
void WriteRows(JsonWriter& out, const QList<FieldDef>& fields, size_t rowCount, RowAt rowAt) {
    codec::RowWriter writer(out, fields);
    for (size_t r = 0; r < rowCount; ++r)
        writer.Row(rowAt(r));
    writer.Finish();
}

template <typename RowAt>
QByteArray EncodeRows(const QList<FieldDef>& fields, size_t rowCount, RowAt rowAt) {
    // Room for a typical row up front saves most of the buffer's regrowth copies.
    JsonWriter out(qsizetype(rowCount) * fields.size() * 12 + 1024);
    WriteRows(out, fields, rowCount, rowAt);
    return out.take();
}

[[noreturn]] void Refuse(const QString& message) {
    throw CodecError(message.toStdString());
}

[[noreturn]] void RefuseCell(size_t row, const FieldDef& def, const QString& why) {
    Refuse(DataMsg(DataText::Cell).arg(row + 1).arg(def.name, why));
}

QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// Makes the texts of one column. Codes and names repeat down a column (company, branch,
// customer, status), so equal texts share one QString instead of each allocating its own;
// a column whose texts mostly differ (numbers, documents) stops pooling after a sample.
class TextColumn {
public:
    QString Make(std::string_view utf8) {
        if (!m_pooling || utf8.size() > kLongest)
            return Text(utf8);
        if (m_slots.empty())
            m_slots.resize(kFirstSlots);
        ++m_lookups;
        const quint32 hash = Hash(utf8);
        const size_t mask = m_slots.size() - 1;
        size_t slot = hash & mask;
        for (; m_slots[slot].used; slot = (slot + 1) & mask) {
            const Slot& entry = m_slots[slot];
            if (entry.hash == hash && entry.key == utf8) {
                ++m_hits;
                return entry.text;
            }
        }
        QString text = Text(utf8);
        if (m_lookups >= kSample && m_hits * 4 < m_lookups) {
            m_pooling = false;
            m_slots = {};
            return text;
        }
        // The key views the parser's buffer, which outlives this decode.
        m_slots[slot] = {utf8, text, hash, true};
        if (++m_size * 2 > m_slots.size())
            Grow();
        return text;
    }

private:
    struct Slot {
        std::string_view key;
        QString text;
        quint32 hash = 0;
        bool used = false;
    };

    // FNV-1a: the pooled cells are short codes and names, where a word-at-a-time hash with its
    // variable-length tail copy measured slower.
    static quint32 Hash(std::string_view bytes) {
        quint32 hash = 2166136261u;
        for (char c : bytes)
            hash = (hash ^ quint8(c)) * 16777619u;
        return hash;
    }

    void Grow() {
        if (m_slots.size() >= kMaxSlots) {
            m_pooling = false;
            m_slots = {};
            return;
        }
        std::vector<Slot> old = std::exchange(m_slots, std::vector<Slot>(m_slots.size() * 2));
        const size_t mask = m_slots.size() - 1;
        for (Slot& entry : old) {
            if (!entry.used)
                continue;
            size_t slot = entry.hash & mask;
            while (m_slots[slot].used)
                slot = (slot + 1) & mask;
            m_slots[slot] = std::move(entry);
        }
    }

    static constexpr size_t kLongest = 64;
    static constexpr size_t kFirstSlots = 64; // powers of two, at most half used
    static constexpr size_t kMaxSlots = 8192;
    static constexpr int kSample = 256;
    std::vector<Slot> m_slots;
    size_t m_size = 0;
    int m_lookups = 0;
    int m_hits = 0;
    bool m_pooling = true;
};

// Reads "YYYY-MM-DDTHH:MM:SS" or "YYYY-MM-DD". Most sets hold few distinct dates, so the
// built values are kept: constructing a local date-time costs far more than a look-up.
class DateReader {
public:
    bool Read(std::string_view text, QDateTime& result) {
        if (text.size() != 19 && text.size() != 10)
            return false;
        int parts[6] = {0, 0, 0, 0, 0, 0};
        static constexpr int kStart[6] = {0, 5, 8, 11, 14, 17};
        static constexpr int kWidth[6] = {4, 2, 2, 2, 2, 2};
        static constexpr char kSeparator[6] = {'-', '-', 'T', ':', ':', 0};
        const int count = text.size() == 19 ? 6 : 3;
        for (int p = 0; p < count; ++p) {
            for (int i = 0; i < kWidth[p]; ++i) {
                const char c = text[size_t(kStart[p] + i)];
                if (c < '0' || c > '9')
                    return false;
                parts[p] = parts[p] * 10 + (c - '0');
            }
            const size_t after = size_t(kStart[p] + kWidth[p]);
            if (p + 1 < count && text[after] != kSeparator[p])
                return false;
        }
        // Year in 14 bits, each two-digit part in 7: distinct texts give distinct keys.
        quint64 packed = quint64(parts[0]);
        for (int p = 1; p < 6; ++p)
            packed = (packed << 7) | quint64(parts[p]);
        ++packed; // 0 marks an empty slot
        if (m_slots.empty())
            m_slots.resize(kFirstSlots);
        Slot* slot = Find(packed);
        if (slot->key == packed) {
            result = slot->value;
            return true;
        }
        const QDate date(parts[0], parts[1], parts[2]);
        const QTime time(parts[3], parts[4], parts[5]);
        if (!date.isValid() || !time.isValid())
            return false;
        result = QDateTime(date, time);
        *slot = {packed, result};
        if (++m_size * 2 > m_slots.size())
            Grow();
        return true;
    }

private:
    struct Slot {
        quint64 key = 0;
        QDateTime value;
    };

    // The slot holding `key`, or the empty one where it belongs (linear probing).
    Slot* Find(quint64 key) {
        const size_t mask = m_slots.size() - 1;
        size_t index = size_t((key * 0x9E3779B97F4A7C15ull) >> 32) & mask;
        while (m_slots[index].key != 0 && m_slots[index].key != key)
            index = (index + 1) & mask;
        return &m_slots[index];
    }

    void Grow() {
        if (m_slots.size() >= kMaxSlots) { // a set of many distinct instants: start over
            m_slots.assign(kFirstSlots, Slot());
            m_size = 0;
            return;
        }
        std::vector<Slot> old = std::exchange(m_slots, std::vector<Slot>(m_slots.size() * 2));
        for (Slot& entry : old)
            if (entry.key != 0)
                *Find(entry.key) = std::move(entry);
    }

    static constexpr size_t kFirstSlots = 256; // powers of two, at most half used
    static constexpr size_t kMaxSlots = size_t(1) << 17;
    std::vector<Slot> m_slots;
    size_t m_size = 0;
};

FieldDef ReadFieldDef(simdjson::dom::element element, qsizetype position) {
    simdjson::dom::object object;
    if (element.get_object().get(object))
        Refuse(DataMsg(DataText::FieldNotObject).arg(position + 1));
    std::string_view name;
    std::string_view type;
    if (object["name"].get_string().get(name) || name.empty())
        Refuse(DataMsg(DataText::FieldUnnamed).arg(position + 1));
    FieldDef def;
    def.name = Text(name);
    if (object["type"].get_string().get(type))
        Refuse(DataMsg(DataText::FieldNoType).arg(def.name));
    if (type == "string")
        def.type = FieldType::String;
    else if (type == "fixedstring")
        def.type = FieldType::FixedString;
    else if (type == "float")
        def.type = FieldType::Float;
    else if (type == "datetime")
        def.type = FieldType::DateTime;
    else
        Refuse(DataMsg(DataText::FieldUnknownType).arg(def.name, Text(type)));
    if (HasSize(def.type)) {
        int64_t size = 0;
        if (object["size"].get_int64().get(size) || size < 0 || size > 1 << 20)
            Refuse(DataMsg(DataText::FieldNoSize).arg(def.name));
        def.size = int(size);
    }
    def.label = def.name;
    return def;
}

QList<FieldDef> ReadFields(simdjson::dom::object root) {
    simdjson::dom::array array;
    if (root["fields"].get_array().get(array))
        Refuse(DataMsg(DataText::NoFieldsList));
    QList<FieldDef> fields;
    QHash<QString, int> seen;
    for (simdjson::dom::element element : array) {
        FieldDef def = ReadFieldDef(element, fields.size());
        if (seen.contains(def.name.toUpper()))
            Refuse(DataMsg(DataText::FieldTwice).arg(def.name));
        seen.insert(def.name.toUpper(), 0);
        fields.append(std::move(def));
    }
    if (fields.isEmpty())
        Refuse(DataMsg(DataText::NoFields));
    return fields;
}

// Appends the cell's value to `out`, built in place: this runs for every cell.
void ReadCell(simdjson::dom::element cell, const FieldDef& def, size_t rowIndex, TextColumn& texts,
              DateReader& dates, std::vector<QVariant>& out) {
    const auto type = cell.type();
    if (type == simdjson::dom::element_type::NULL_VALUE) {
        out.emplace_back();
        return;
    }
    switch (def.type) {
    case FieldType::String:
    case FieldType::FixedString: {
        std::string_view text;
        if (cell.get_string().get(text))
            RefuseCell(rowIndex, def, DataMsg(DataText::TextExpected));
        QString value = texts.Make(text);
        if (def.size > 0 && value.size() > def.size)
            RefuseCell(rowIndex, def,
                       DataMsg(DataText::TextTooLong).arg(value.size()).arg(def.size));
        out.emplace_back(std::move(value));
        return;
    }
    case FieldType::Float: {
        double value = 0;
        if (type == simdjson::dom::element_type::STRING || cell.get_double().get(value))
            RefuseCell(rowIndex, def, DataMsg(DataText::NumberExpected));
        out.emplace_back(value);
        return;
    }
    case FieldType::DateTime: {
        std::string_view text;
        QDateTime value;
        if (cell.get_string().get(text) || !dates.Read(text, value))
            RefuseCell(rowIndex, def, DataMsg(DataText::DateExpected));
        out.emplace_back(std::move(value));
        return;
    }
    }
}

constexpr size_t kKeptParserCapacity = size_t(64) << 20;

RecordSetTable DecodeDocument(const char* data, size_t size, bool padded) {
    // One parser per thread keeps its buffers between calls; a huge document's are let go.
    thread_local simdjson::dom::parser parser;
    struct Release {
        ~Release() {
            if (parser.capacity() > kKeptParserCapacity)
                parser = simdjson::dom::parser();
        }
    } release;
    simdjson::dom::element root;
    if (const auto error = parser.parse(data, size, !padded).get(root))
        Refuse(DataMsg(DataText::BadJson).arg(QString::fromUtf8(simdjson::error_message(error))));
    simdjson::dom::object object;
    if (root.get_object().get(object))
        Refuse(DataMsg(DataText::NotJsonObject));

    RecordSetTable table;
    table.fields = ReadFields(object);
    simdjson::dom::array rows;
    if (object["rows"].get_array().get(rows))
        Refuse(DataMsg(DataText::NoRowsList));

    const size_t width = size_t(table.fields.size());
    DateReader dates;
    std::vector<TextColumn> texts(width);
    const QList<FieldDef>& fields = table.fields;
    table.rows.reserve(rows.size());
    for (simdjson::dom::element element : rows) {
        const size_t r = table.rows.size();
        simdjson::dom::array cells;
        if (element.get_array().get(cells))
            Refuse(DataMsg(DataText::RowNotList).arg(r + 1));
        std::vector<QVariant> row;
        row.reserve(width);
        for (simdjson::dom::element cell : cells) {
            if (row.size() == width)
                Refuse(DataMsg(DataText::RowTooLong).arg(r + 1).arg(width));
            const size_t column = row.size();
            ReadCell(cell, fields[qsizetype(column)], r, texts[column], dates, row);
        }
        if (row.size() != width)
            Refuse(DataMsg(DataText::RowWidth).arg(r + 1).arg(row.size()).arg(width));
        table.rows.push_back(std::move(row));
    }
    return table;
}

} // namespace

namespace codec {

QByteArray Encode(const RecordSetTable& table) {
    return EncodeRows(table.fields, table.rows.size(),
                      [&](size_t r) -> const std::vector<QVariant>& { return table.rows[r]; });
}

QByteArray Encode(const RecordSet& recordSet) {
    return EncodeRows(
        recordSet.FieldDefs(), size_t(recordSet.RecordCount()),
        [&](size_t r) -> const std::vector<QVariant>& { return recordSet.RowValues(int(r)); });
}

void Write(JsonWriter& out, const RecordSet& recordSet) {
    WriteRows(
        out, recordSet.FieldDefs(), size_t(recordSet.RecordCount()),
        [&](size_t r) -> const std::vector<QVariant>& { return recordSet.RowValues(int(r)); });
}

RowWriter::RowWriter(JsonWriter& out, const QList<FieldDef>& fields) : m_out(out) {
    for (const FieldDef& def : fields)
        m_types.push_back(def.type);
    m_out.beginObject();
    WriteFields(m_out, fields);
    m_out.key("rows").beginArray();
}

void RowWriter::Row(const std::vector<QVariant>& row) {
    m_out.beginArray();
    for (size_t i = 0; i < m_types.size() && i < row.size(); ++i)
        WriteCell(m_out, m_types[i], row[i]);
    m_out.endArray();
}

void RowWriter::Finish() {
    m_out.endArray();
    m_out.endObject();
}

void Write(JsonWriter& out, const RecordSetTable& table) {
    WriteRows(out, table.fields, table.rows.size(),
              [&](size_t r) -> const std::vector<QVariant>& { return table.rows[r]; });
}

RecordSetTable Decode(const QByteArray& json) {
    // simdjson reads a little past the end; the buffer's spare capacity often allows it.
    const bool padded = json.capacity() - json.size() >= qsizetype(simdjson::SIMDJSON_PADDING);
    return DecodeDocument(json.constData(), size_t(json.size()), padded);
}

RecordSetTable Decode(std::string_view json) {
    return DecodeDocument(json.data(), json.size(), false);
}

void DecodeInto(const QByteArray& json, RecordSet& recordSet) {
    recordSet.SetTableUnchecked(Decode(json));
}

} // namespace codec
} // namespace host
