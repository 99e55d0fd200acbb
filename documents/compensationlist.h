#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

namespace host {
class RecordSet;
}

namespace documents {

// The compensation list's money ("1.234,56") and status (by name) shown through its fields'
// display texts, the same on the screen, in its exports and from rec18000-report.
void ShowCompensationTexts(host::RecordSet& list, const QLocale& locale);

// The list's filter as the server takes it: dates null for no bound, lists of keys ("'A','B'")
// empty for all.
struct ListFilter {
    QString company = {};
    QDate compFrom = {}, compTo = {}, postFrom = {}, postTo = {};
    QString operators = {}, customers = {};
};

// The title of the list's pages, the filter in words for their header, and the name proposed
// for its file (without extension): "compensacoes-01-2026-12", the month of the first date, or
// of today when open.
QString ListTitle();
QString FilterText(const ListFilter& filter);
QString ProposedName(const ListFilter& filter, const QDate& today);

} // namespace documents
