#pragma once

#include <QString>
#include <QStringList>

namespace host {

// SQL with Oracle-style named placeholders (:NAME) turned into positional ones (?), and the
// name bound at each position, so every driver binds them the same way and a name may repeat.
// Text inside quotes, "::" casts and comments is left alone.
struct PositionalSql {
    QString text;
    QStringList names;
};

PositionalSql ToPositional(const QString& sql);

} // namespace host
