#pragma once

#include <QFont>
#include <QString>

namespace documents {

// A fixed text of the documents (forms/documents/documents.msg).
QString Text(const QString& key);

// The documents' typeface, the same wherever they are rendered.
QFont DocumentFont(qreal points, bool bold = false);

} // namespace documents
