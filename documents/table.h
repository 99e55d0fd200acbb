#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace host {
class RecordSet;
}

// Documents made from the data the screens show, the same on the screen and from the command
// line: lists as CSV and PDF, the compensation notice as PDF or on a printer.
namespace documents {

// How a column's texts are written: numbers lose their grouping in a CSV and stand right.
enum class Kind { Text, Number, Date };

struct Column {
    QString caption;
    Kind kind = Kind::Text;
    int width = 0; // relative width on paper (the grid's pixels); 0: from the caption
};

// A list as shown: the captions and the display texts of every row, with the title and the
// filter that the page header repeats.
struct Table {
    QString title;
    QString filter;
    QList<Column> columns;
    std::vector<QStringList> rows;
};

// A column of a record set: its field, the caption shown, the width on screen.
struct ColumnOf {
    QString field;
    QString caption;
    int width = 0;
};

// The rows of the record set through its fields' display texts, in the columns given.
Table TableOf(const host::RecordSet& rows, const QList<ColumnOf>& columns);

// Called as rows are written (done of total); false stops the writing.
using Progress = std::function<bool(qsizetype done, qsizetype total)>;

} // namespace documents
