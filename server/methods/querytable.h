#pragma once

#include "data/codec.h"

#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <span>
#include <utility>
#include <vector>

// Turning SELECT results into answered record sets, and WHERE clauses built from fixed
// fragments whose values are always bound.
namespace rec18000 {

// How a selected column becomes a cell.
enum class Cell {
    Text,      // text as stored (cut to the field's size)
    Number,    // NUMERIC or integer column, exact to the cent, sent as a float
    Date,      // DATE column, sent as a date-time at midnight
    DateText,  // DATE column, sent as "dd/MM/yyyy"
    MoneyText, // NUMERIC column, sent as "1.234,56"
};

struct Column {
    const char* name;
    host::FieldType type;
    int size;
    Cell cell;
};

constexpr Column TextColumn(const char* name, int size) {
    return {name, host::FieldType::String, size, Cell::Text};
}
constexpr Column FlagColumn(const char* name) {
    return {name, host::FieldType::FixedString, 1, Cell::Text};
}
constexpr Column NumberColumn(const char* name) {
    return {name, host::FieldType::Float, 0, Cell::Number};
}
constexpr Column DateColumn(const char* name) {
    return {name, host::FieldType::DateTime, 0, Cell::Date};
}
constexpr Column DateTextColumn(const char* name, int size) {
    return {name, host::FieldType::String, size, Cell::DateText};
}
constexpr Column MoneyTextColumn(const char* name, int size) {
    return {name, host::FieldType::String, size, Cell::MoneyText};
}

// Reads every row of an executed query whose selected columns are in the columns' order.
host::RecordSetTable ReadTable(QSqlQuery& query, std::span<const Column> columns);
// The same rows written as a record set straight into an answer, holding one row at a time.
void WriteTable(host::JsonWriter& out, QSqlQuery& query, std::span<const Column> columns);

// The "Doc./Série" column of a bill (alias: the bill table's alias in the query): the invoice
// number, and "/" with the series only when there is one, so that a blank series ends in no
// bare "/".
QString DocumentSql(const char* alias);

// AND-ed conditions over fixed SQL fragments; every value is bound under a placeholder of ours.
class Conditions {
public:
    // fragment uses :name; the value is bound to it.
    void Add(const QString& fragment, const QString& name, const QVariant& value);
    // column IN (:prefix0, :prefix1, ...); nothing when values is empty (no restriction).
    void AddIn(const QString& column, const QString& prefix, const QStringList& values);

    QString Sql() const; // " WHERE a AND b" or empty
    void Bind(QSqlQuery& query) const;

private:
    QStringList m_fragments;
    std::vector<std::pair<QString, QVariant>> m_values;
};

// "column comparison value" exact to the cent; a value of 0 (a filter edit left empty) adds no
// bound on that side.
void AddMoneyBound(Conditions& where, const QString& column, const QString& comparison,
                   const QString& name, double value);

// The keys of a list string made by the screens' multi-select picker; empty for "".
// Refuses (invalid params) a malformed list, naming what it lists.
QStringList KeyListParam(const QString& list, const QString& what);

} // namespace rec18000
