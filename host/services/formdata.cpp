#include "host/services/formdata.h"

#include "host/services/formerror.h"

#include <QFile>

namespace host {

namespace {

struct Line {
    int number = 0;
    QString text;
};

[[noreturn]] void Fail(const QString& source, int line, const QString& what) {
    throw FormDataError(QStringLiteral("%1:%2: %3").arg(source).arg(line).arg(what).toStdString());
}

// Logical lines: comments and blank lines dropped, continuation lines joined.
QList<Line> LogicalLines(const QString& text) {
    QList<Line> lines;
    const QStringList raw = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < raw.size(); ++i) {
        QString line = raw.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#')))
            continue;
        if (line.at(0).isSpace() && !lines.isEmpty())
            lines.last().text += QLatin1Char(' ') + line.trimmed();
        else
            lines.append({static_cast<int>(i + 1), line});
    }
    return lines;
}

FieldType ParseType(const QString& type, const QString& source, int line) {
    if (type == QLatin1String("string"))
        return FieldType::String;
    if (type == QLatin1String("fixedstring"))
        return FieldType::FixedString;
    if (type == QLatin1String("float"))
        return FieldType::Float;
    if (type == QLatin1String("datetime"))
        return FieldType::DateTime;
    Fail(source, line, QStringLiteral("unknown field type \"%1\"").arg(type));
}

// Blank-separated options; a value may be quoted with ".
QStringList SplitOptions(const QString& text, const QString& source, int line) {
    QStringList options;
    QString current;
    bool quoted = false;
    for (QChar c : text) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (c.isSpace() && !quoted) {
            if (!current.isEmpty())
                options << current;
            current.clear();
        } else {
            current += c;
        }
    }
    if (quoted)
        Fail(source, line, QStringLiteral("unterminated quote"));
    if (!current.isEmpty())
        options << current;
    return options;
}

FieldDef ParseField(const QString& value, const QString& source, int line) {
    const QStringList parts = value.split(QLatin1Char('|'));
    if (parts.size() < 3 || parts.size() > 5)
        Fail(source, line, QStringLiteral("expected NAME | type | size | label | options"));
    FieldDef def;
    def.name = parts.at(0).trimmed();
    def.type = ParseType(parts.at(1).trimmed(), source, line);
    bool ok = false;
    def.size = parts.at(2).trimmed().toInt(&ok);
    if (!ok || def.size < 0 || def.name.isEmpty())
        Fail(source, line, QStringLiteral("bad field name or size"));
    def.label = parts.value(3).trimmed();
    for (const QString& option : SplitOptions(parts.value(4), source, line)) {
        if (option == QLatin1String("hidden")) {
            def.visible = false;
        } else if (option == QLatin1String("required")) {
            def.required = true;
        } else if (option.startsWith(QLatin1String("width="))) {
            def.displayWidth = option.mid(6).toInt(&ok);
            if (!ok)
                Fail(source, line, QStringLiteral("bad width"));
        } else if (option.startsWith(QLatin1String("mask="))) {
            def.editMask = option.mid(5);
        } else {
            Fail(source, line, QStringLiteral("unknown option \"%1\"").arg(option));
        }
    }
    return def;
}

} // namespace

FormData FormData::Load(const QString& resourcePath) {
    return Parse(ReadFormText(resourcePath), resourcePath);
}

FormData FormData::Parse(const QString& text, const QString& source) {
    FormData form;
    form.m_source = source;
    QList<FieldDef>* fields = nullptr;
    QueryDef* query = nullptr;

    for (const Line& line : LogicalLines(text)) {
        const QString trimmed = line.text.trimmed();
        if (trimmed.startsWith(QLatin1Char('['))) {
            if (!trimmed.endsWith(QLatin1Char(']')))
                Fail(source, line.number, QStringLiteral("bad section header"));
            const QStringList header =
                trimmed.mid(1, trimmed.size() - 2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (header.size() != 2)
                Fail(source, line.number,
                     QStringLiteral("expected [recordset NAME] or [query NAME]"));
            const QString& name = header.at(1);
            if (form.m_recordSets.contains(name) || form.m_queries.contains(name))
                Fail(source, line.number, QStringLiteral("%1 defined twice").arg(name));
            if (header.at(0) == QLatin1String("recordset")) {
                fields = &form.m_recordSets[name];
                query = nullptr;
            } else if (header.at(0) == QLatin1String("query")) {
                query = &form.m_queries[name];
                query->name = name;
                fields = &query->fields;
            } else {
                Fail(source, line.number, QStringLiteral("unknown section %1").arg(header.at(0)));
            }
            continue;
        }

        const qsizetype eq = line.text.indexOf(QLatin1Char('='));
        if (eq < 0 || fields == nullptr)
            Fail(source, line.number, QStringLiteral("expected key = value inside a section"));
        const QString key = line.text.left(eq).trimmed();
        const QString value = line.text.mid(eq + 1).trimmed();
        if (key == QLatin1String("field")) {
            fields->append(ParseField(value, source, line.number));
        } else if (query != nullptr && key == QLatin1String("param")) {
            query->params << value;
        } else if (query != nullptr && key == QLatin1String("sql")) {
            query->sqlOracle = query->sqlMssql = query->sqlIb = value;
        } else if (query != nullptr && key == QLatin1String("oracle")) {
            query->sqlOracle = value;
        } else if (query != nullptr && key == QLatin1String("mssql")) {
            query->sqlMssql = value;
        } else if (query != nullptr && key == QLatin1String("ib")) {
            query->sqlIb = value;
        } else {
            Fail(source, line.number, QStringLiteral("unknown key \"%1\"").arg(key));
        }
    }
    for (const QueryDef& q : std::as_const(form.m_queries))
        if (q.sqlOracle.isEmpty() || q.sqlMssql.isEmpty() || q.sqlIb.isEmpty())
            Fail(source, 0, QStringLiteral("query %1 lacks a dialect").arg(q.name));
    return form;
}

QList<FieldDef> FormData::RecordSetFields(const QString& name) const {
    const auto it = m_recordSets.constFind(name);
    if (it == m_recordSets.cend())
        throw FormDataError(
            QStringLiteral("%1: no record set %2").arg(m_source, name).toStdString());
    return *it;
}

const QueryDef& FormData::Query(const QString& name) const {
    const auto it = m_queries.constFind(name);
    if (it == m_queries.cend())
        throw FormDataError(QStringLiteral("%1: no query %2").arg(m_source, name).toStdString());
    return *it;
}

} // namespace host
