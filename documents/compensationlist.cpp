#include "documents/compensationlist.h"

#include "data/moneytext.h"
#include "data/recordset.h"
#include "documents/texts.h"

namespace documents {

void ShowCompensationTexts(host::RecordSet& list, const QLocale& locale) {
    for (const char* money : {"VRATUAREC", "VRFINALBREC", "VRTOTALCOMREC"})
        list.FieldByName(QLatin1String(money))
            .SetOnGetText([locale](const host::Field& field, int row) {
                return host::MoneyText(field.ValueAt(row), locale);
            });
    // Settled, open and planned; any other code shows nothing.
    static const QHash<QString, QString> statuses{
        {QStringLiteral("B"), Text(QStringLiteral("STATUS_B"))},
        {QStringLiteral("A"), Text(QStringLiteral("STATUS_A"))},
        {QStringLiteral("P"), Text(QStringLiteral("STATUS_P"))}};
    list.FieldByName(QStringLiteral("IDSTATREC"))
        .SetOnGetText([](const host::Field& field, int row) {
            return statuses.value(field.ValueAt(row).toString());
        });
}

namespace {

QString DateOrOpen(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy"))
                          : Text(QStringLiteral("FILTRO_ABERTO"));
}

QString Keys(const QString& list) {
    return list.isEmpty() ? Text(QStringLiteral("FILTRO_TODOS"))
                          : QString(list).remove(QLatin1Char('\''));
}

QString Month(const QDate& date) {
    return date.toString(QStringLiteral("yyyy-MM"));
}

} // namespace

QString ListTitle() {
    return Text(QStringLiteral("LISTA_TITULO"));
}

QString FilterText(const ListFilter& f) {
    QStringList parts{Text(QStringLiteral("FILTRO_EMPRESA")).arg(f.company)};
    parts << Text(QStringLiteral("FILTRO_COMP")).arg(DateOrOpen(f.compFrom), DateOrOpen(f.compTo));
    if (f.postFrom.isValid() || f.postTo.isValid())
        parts << Text(QStringLiteral("FILTRO_LANC"))
                     .arg(DateOrOpen(f.postFrom), DateOrOpen(f.postTo));
    parts << Text(QStringLiteral("FILTRO_OPER")).arg(Keys(f.operators));
    parts << Text(QStringLiteral("FILTRO_CLIE")).arg(Keys(f.customers));
    return parts.join(QStringLiteral("; "));
}

QString ProposedName(const ListFilter& f, const QDate& today) {
    const QDate from = f.compFrom.isValid() ? f.compFrom : today;
    QString months = Month(from);
    if (f.compTo.isValid() && Month(f.compTo) != months)
        months = Text(QStringLiteral("ARQ_MESES")).arg(months, Month(f.compTo));
    return Text(QStringLiteral("ARQ_LISTA")).arg(f.company, months);
}

} // namespace documents
