#include "data/jsonwriter.h"

#include <QDate>
#include <QStringList>
#include <QTime>

#include <charconv>
#include <cmath>
#include <cstring>

namespace host {

namespace {

constexpr char kHex[] = "0123456789abcdef";

// Writes the escape of an ASCII character that may not appear raw in a JSON string.
char* Escape(char* out, unsigned char c) {
    *out++ = '\\';
    switch (c) {
    case '"':
        *out++ = '"';
        break;
    case '\\':
        *out++ = '\\';
        break;
    case '\b':
        *out++ = 'b';
        break;
    case '\f':
        *out++ = 'f';
        break;
    case '\n':
        *out++ = 'n';
        break;
    case '\r':
        *out++ = 'r';
        break;
    case '\t':
        *out++ = 't';
        break;
    default:
        *out++ = 'u';
        *out++ = '0';
        *out++ = '0';
        *out++ = kHex[c >> 4];
        *out++ = kHex[c & 0xF];
    }
    return out;
}

bool NeedsEscape(unsigned char c) {
    return c < 0x20 || c == '"' || c == '\\';
}

char* PutDigits(char* out, int value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        out[i] = char('0' + value % 10);
        value /= 10;
    }
    return out + width;
}

} // namespace

JsonWriter::JsonWriter(qsizetype reserve) {
    m_buf.resize(std::max<qsizetype>(reserve, 16));
}

char* JsonWriter::Reserve(qsizetype extra) {
    if (m_len + extra > m_buf.size())
        m_buf.resize(std::max(m_buf.size() * 2, m_len + extra));
    return m_buf.data() + m_len;
}

void JsonWriter::Separate() {
    if (m_needComma)
        Put(',');
    m_needComma = true;
}

JsonWriter& JsonWriter::beginObject() {
    Separate();
    Put('{');
    m_needComma = false;
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    Put('}');
    m_needComma = true;
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    Separate();
    Put('[');
    m_needComma = false;
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    Put(']');
    m_needComma = true;
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view utf8) {
    Separate();
    WriteUtf8String(utf8);
    Put(':');
    m_needComma = false;
    return *this;
}

JsonWriter& JsonWriter::key(const QString& name) {
    Separate();
    WriteUtf16String(name.constData(), name.size());
    Put(':');
    m_needComma = false;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view utf8) {
    Separate();
    WriteUtf8String(utf8);
    return *this;
}

JsonWriter& JsonWriter::value(const QString& text) {
    Separate();
    WriteUtf16String(text.constData(), text.size());
    return *this;
}

JsonWriter& JsonWriter::value(double number) {
    if (!std::isfinite(number))
        return null();
    Separate();
    char* out = Reserve(32);
    m_len += std::to_chars(out, out + 32, number).ptr - out;
    return *this;
}

JsonWriter& JsonWriter::value(qint64 number) {
    Separate();
    char* out = Reserve(24);
    m_len += std::to_chars(out, out + 24, number).ptr - out;
    return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
    return raw(flag ? std::string_view("true") : std::string_view("false"));
}

JsonWriter& JsonWriter::value(const QDateTime& dateTime) {
    if (!dateTime.isValid())
        return null();
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    if (date.year() < 0 || date.year() > 9999)
        return null();
    Separate();
    char* out = Reserve(21);
    char* p = out;
    *p++ = '"';
    p = PutDigits(p, date.year(), 4);
    *p++ = '-';
    p = PutDigits(p, date.month(), 2);
    *p++ = '-';
    p = PutDigits(p, date.day(), 2);
    *p++ = 'T';
    p = PutDigits(p, time.hour(), 2);
    *p++ = ':';
    p = PutDigits(p, time.minute(), 2);
    *p++ = ':';
    p = PutDigits(p, time.second(), 2);
    *p++ = '"';
    m_len += p - out;
    return *this;
}

JsonWriter& JsonWriter::value(const QVariant& variant) {
    if (!variant.isValid() || variant.isNull())
        return null();
    switch (variant.typeId()) {
    case QMetaType::QString:
        return value(*static_cast<const QString*>(variant.constData()));
    case QMetaType::Double:
    case QMetaType::Float:
        return value(variant.toDouble());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return value(variant.toLongLong());
    case QMetaType::ULongLong: {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, variant.toULongLong()).ptr;
        return raw(std::string_view(digits, size_t(end - digits)));
    }
    case QMetaType::Bool:
        return value(variant.toBool());
    case QMetaType::QDateTime:
        return value(variant.toDateTime());
    case QMetaType::QDate:
        return value(variant.toDate().startOfDay());
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        beginArray();
        for (const QVariant& item : variant.toList())
            value(item);
        return endArray();
    }
    case QMetaType::QVariantMap: {
        beginObject();
        const QVariantMap map = variant.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            key(it.key()).value(it.value());
        return endObject();
    }
    default:
        return value(variant.toString());
    }
}

JsonWriter& JsonWriter::null() {
    return raw("null");
}

JsonWriter& JsonWriter::raw(std::string_view json) {
    Separate();
    std::memcpy(Reserve(qsizetype(json.size())), json.data(), json.size());
    m_len += qsizetype(json.size());
    return *this;
}

QByteArray JsonWriter::take() {
    m_buf.resize(m_len);
    QByteArray text = std::move(m_buf);
    m_buf = QByteArray();
    m_buf.resize(16);
    m_len = 0;
    m_needComma = false;
    return text;
}

void JsonWriter::WriteUtf8String(std::string_view utf8) {
    char* out = Reserve(qsizetype(utf8.size()) * 6 + 2);
    char* p = out;
    *p++ = '"';
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (NeedsEscape(c))
            p = Escape(p, c);
        else
            *p++ = ch;
    }
    *p++ = '"';
    m_len += p - out;
}

void JsonWriter::WriteUtf16String(const QChar* text, qsizetype size) {
    char* out = Reserve(size * 6 + 2);
    char* p = out;
    *p++ = '"';
    const auto* units = reinterpret_cast<const char16_t*>(text);
    for (qsizetype i = 0; i < size; ++i) {
        const char32_t c = units[i];
        if (c < 0x80) {
            if (NeedsEscape(static_cast<unsigned char>(c)))
                p = Escape(p, static_cast<unsigned char>(c));
            else
                *p++ = char(c);
        } else if (c < 0x800) {
            *p++ = char(0xC0 | (c >> 6));
            *p++ = char(0x80 | (c & 0x3F));
        } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < size && units[i + 1] >= 0xDC00 &&
                   units[i + 1] <= 0xDFFF) {
            const char32_t code = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
            *p++ = char(0xF0 | (code >> 18));
            *p++ = char(0x80 | ((code >> 12) & 0x3F));
            *p++ = char(0x80 | ((code >> 6) & 0x3F));
            *p++ = char(0x80 | (code & 0x3F));
        } else {
            // A lone surrogate has no UTF-8 form: write the replacement character.
            const char32_t code = (c >= 0xD800 && c <= 0xDFFF) ? 0xFFFD : c;
            *p++ = char(0xE0 | (code >> 12));
            *p++ = char(0x80 | ((code >> 6) & 0x3F));
            *p++ = char(0x80 | (code & 0x3F));
        }
    }
    *p++ = '"';
    m_len += p - out;
}

} // namespace host
