#pragma once

#include "data/field.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace host {

// A look-up query: its SQL in the three dialects, its parameters and its result fields.
struct QueryDef {
    QString name;
    QString sqlOracle;
    QString sqlMssql;
    QString sqlIb;
    QStringList params;
    QList<FieldDef> fields;
};

// The data of one form file: record-set field definitions and look-up queries by name.
//
// Format (UTF-8 text; "#" starts a comment line; a line starting with blanks continues the
// value of the line before, joined by one space):
//
//   [recordset cdsName]
//   field = NAME | type | size | Label | options
//
//   [query qryName]
//   param = NAME
//   sql = SELECT ...          (the same text for every dialect), or
//   oracle = ...  /  mssql = ...  /  ib = ...
//   field = ...
//
// type is string, fixedstring, float or datetime; options are blank-separated: hidden,
// required, width=N, mask="picture;store;blank" (quoted, so trailing blanks survive).
class FormData {
public:
    static FormData Load(const QString& resourcePath); // throws FormDataError
    static FormData Parse(const QString& text, const QString& source);

    // Throw FormDataError for a name the form does not define.
    QList<FieldDef> RecordSetFields(const QString& name) const;
    const QueryDef& Query(const QString& name) const;

private:
    QString m_source;
    QMap<QString, QList<FieldDef>> m_recordSets;
    QMap<QString, QueryDef> m_queries;
};

} // namespace host
