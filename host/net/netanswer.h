#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace host {

// One answer of the application server: the JSON text of its result, or the text with which
// the server refused the call. Record sets stay as JSON until the screen loads them.
class NetAnswer {
public:
    enum class Kind { Null, Boolean, Number, String, Array, Object, Refused };

    static NetAnswer Result(Kind kind, QByteArray json);
    static NetAnswer Refusal(int code, QString message);

    Kind GetKind() const { return m_kind; }
    bool Refused() const { return m_kind == Kind::Refused; }
    int ErrorCode() const { return m_errorCode; }
    const QString& ErrorMessage() const { return m_errorMessage; }

    // JSON text of an object or array result (a record set stays JSON until a screen loads
    // it); the plain UTF-8 text of a string or number.
    const QByteArray& Json() const { return m_json; }
    // Text of a string or number answer, empty for null; throws ENetError for other kinds.
    QString AsString() const;
    // Items of an array answer; throws ENetError for any other kind.
    QList<NetAnswer> Elements() const;

private:
    Kind m_kind = Kind::Null;
    QByteArray m_json;
    int m_errorCode = 0;
    QString m_errorMessage;
};

} // namespace host
