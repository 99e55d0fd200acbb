#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariant>

#include <string_view>

namespace host {

// Streaming JSON writer: appends to one growing buffer, commas placed automatically.
// Strings are written as UTF-8 with quotes, backslashes and control characters escaped;
// doubles in their shortest round-trip form (non-finite ones as null); date-times as
// "YYYY-MM-DDTHH:MM:SS" (invalid ones as null). The caller keeps the nesting right.
class JsonWriter {
public:
    explicit JsonWriter(qsizetype reserve = 256);

    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view utf8);
    JsonWriter& key(const char* utf8) { return key(std::string_view(utf8)); }
    JsonWriter& key(const QString& name);

    JsonWriter& value(std::string_view utf8);
    JsonWriter& value(const char* utf8) { return value(std::string_view(utf8)); }
    JsonWriter& value(const QString& text);
    JsonWriter& value(double number);
    JsonWriter& value(qint64 number);
    JsonWriter& value(int number) { return value(qint64(number)); }
    JsonWriter& value(bool flag);
    JsonWriter& value(const QDateTime& dateTime);
    // Null, text, numbers, booleans, date-times, dates, lists, string lists and maps.
    JsonWriter& value(const QVariant& variant);
    JsonWriter& null();
    // Inserts an already encoded JSON value as it is.
    JsonWriter& raw(std::string_view json);

    std::string_view view() const { return {m_buf.constData(), size_t(m_len)}; }
    QByteArray take(); // the text written; the writer is empty afterwards

private:
    char* Reserve(qsizetype extra);
    void Separate();
    void WriteUtf8String(std::string_view utf8);
    void WriteUtf16String(const QChar* text, qsizetype size);
    void Put(char c) {
        *Reserve(1) = c;
        ++m_len;
    }

    QByteArray m_buf; // capacity in use is m_buf.size(); the text is the first m_len bytes
    qsizetype m_len = 0;
    bool m_needComma = false;
};

} // namespace host
