#pragma once

#include "data/recordset.h"
#include "host/services/formdata.h"
#include "host/sql/connection.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <vector>

namespace host {

// A parameter of a look-up; set as string, an empty string reaches the SQL as null.
class QueryParam {
public:
    explicit QueryParam(QString name) : m_name(std::move(name)) {}
    const QString& Name() const { return m_name; }
    void SetAsString(const QString& value) { m_value = value; }
    // What is bound: a null string for an empty value.
    QVariant BoundValue() const;

private:
    QString m_name;
    QString m_value;
};

// Read-only look-up on the shared database connection. It holds its SQL in three dialects and
// runs the one that suits the connected database, parameters bound, never pasted. The rows
// land in a record set with the definition's result fields, in the definition's order.
class TADOIBQuery : public QObject {
    Q_OBJECT
public:
    explicit TADOIBQuery(const QueryDef& def, QObject* parent = nullptr);

    void SetConnectionName(const QString& name) { m_connectionName = name; }

    const QString& SQL_ORACLE() const { return m_def.sqlOracle; }

    // Throws std::out_of_range for a parameter the query does not have (case-insensitive).
    QueryParam& ParamByName(const QString& name);

    // Runs the query and loads every row; throws SqlError and leaves the query closed.
    void Open();
    void Close();
    bool Active() const { return m_rows.Active(); }
    bool IsEmpty() const { return !m_rows.Active() || m_rows.IsEmpty(); }

    // The result rows (also what grids and searches show).
    RecordSet& DataSet() { return m_rows; }
    Field& FieldByName(const QString& name) { return m_rows.FieldByName(name); }
    const Field& FieldByName(const QString& name) const { return m_rows.FieldByName(name); }

private:
    QueryDef m_def;
    QString m_connectionName;
    std::vector<QueryParam> m_params;
    RecordSet m_rows;
};

} // namespace host
