#include "db/check.h"

#include "store/connection.h"
#include "store/money.h"
#include "store/sql.h"

#include <QHash>
#include <QSqlRecord>

namespace db {

namespace {

using store::Cents;
using store::CentsText;

struct Sum {
    qint64 count = 0;
    Cents cents = 0;
};
using Sums = QHash<QString, Sum>;

// Amounts are added here, in cents: SQL's SUM would add SQLite's binary floats.
QString KeyOf(const QSqlQuery& query, int columns) {
    QStringList parts;
    for (int i = 0; i < columns; ++i)
        parts << query.value(i).toString();
    return parts.join(QLatin1Char('|'));
}

// Rows of key columns followed by one amount, summed by key.
Sums SumBy(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery query = store::Run(db, sql);
    Sums sums;
    while (query.next()) {
        const int amount = query.record().count() - 1;
        Sum& sum = sums[KeyOf(query, amount)];
        ++sum.count;
        sum.cents += store::CentsFrom(query.value(amount));
    }
    store::CheckFetched(query);
    return sums;
}

Sum Of(const Sums& sums, const QString& key) {
    return sums.value(key);
}

class Checker {
public:
    explicit Checker(const QSqlDatabase& db) : m_db(db) {}

    // Open balance = original - adjustments - settlements that are no compensation's (a
    // compensation's settlement records what its adjustment already took).
    void Bills(const char* what, const QString& bills, const QString& adjustments,
               const QString& settlements) {
        const Sums adjusted = SumBy(m_db, adjustments);
        const Sums settled = SumBy(m_db, settlements);
        QSqlQuery query = store::Run(m_db, bills);
        while (query.next()) {
            const QString key = KeyOf(query, 2);
            const Cents original = store::CentsFrom(query.value(2));
            const Cents open = store::CentsFrom(query.value(3));
            const Cents expected = original - Of(adjusted, key).cents - Of(settled, key).cents;
            if (open != expected)
                Fault(QStringLiteral("%1 %2: open balance %3, but original %4 - adjustments %5 - "
                                     "settlements %6 = %7")
                          .arg(QLatin1String(what), key, CentsText(open), CentsText(original),
                               CentsText(Of(adjusted, key).cents),
                               CentsText(Of(settled, key).cents), CentsText(expected)));
            if (open < 0)
                Fault(QStringLiteral("%1 %2: negative open balance %3")
                          .arg(QLatin1String(what), key, CentsText(open)));
        }
        store::CheckFetched(query);
    }

    // A credit is used whole, by one compensation item at most.
    void Credits() {
        const Sums used = SumBy(m_db, QStringLiteral("SELECT CDEMPRESA, CDREDUCONT, NRMOVICRED, "
                                                     "VRITEMCOMPREC FROM ITCOMPCONTREC WHERE "
                                                     "NRMOVICRED IS NOT NULL"));
        QSqlQuery query = store::Run(m_db, QStringLiteral("SELECT CDEMPRESA, CDREDUCONT, "
                                                          "NRMOVICRED, VRMOVICRED FROM "
                                                          "MOVCREDBANC"));
        while (query.next()) {
            const QString key = KeyOf(query, 3);
            const Cents value = store::CentsFrom(query.value(3));
            const Sum use = Of(used, key);
            if (use.count > 1)
                Fault(QStringLiteral("credit %1: used by %2 compensation items")
                          .arg(key)
                          .arg(use.count));
            if (value - use.cents < 0)
                Fault(QStringLiteral("credit %1: negative open balance %2")
                          .arg(key, CentsText(value - use.cents)));
            else if (use.count > 0 && use.cents != value)
                Fault(QStringLiteral("credit %1 of %2: used for %3, not whole")
                          .arg(key, CentsText(value), CentsText(use.cents)));
        }
        store::CheckFetched(query);
    }

    // A compensation's total is the sum of its items, all of its kind; its receivable
    // adjustment and settlement carry the total; on the payables side every item has its
    // adjustment and its settlement item of the item's value.
    void Compensations() {
        const Sums items = SumBy(m_db, QStringLiteral("SELECT CDEMPRESA, NRLANCCOMPREC, CASE "
                                                      "WHEN CDFILIBPAG IS NULL THEN '1' ELSE "
                                                      "'0' END, VRITEMCOMPREC FROM "
                                                      "ITCOMPCONTREC"));
        const Sums adjustRec =
            SumBy(m_db, QStringLiteral("SELECT CDEMPRESA, NRLANCCOMPREC, CDFILIBOLREC, "
                                       "NRLANBOLREC, CDAJUCTREC, VRAJUSTEREC FROM AJUSTEREC "
                                       "WHERE NRLANCCOMPREC IS NOT NULL"));
        const Sums settleRec = SumBy(m_db, QStringLiteral("SELECT CDEMPRESA, NRLANCCOMPREC, "
                                                          "CDFILIBOLREC, NRLANBOLREC, VRBAIXAREC "
                                                          "FROM BAIXAREC WHERE NRLANCCOMPREC IS "
                                                          "NOT NULL"));
        const Sums adjustPag = SumBy(m_db, QStringLiteral("SELECT CDEMPRESA, NRLANCCOMPREC, "
                                                          "VRAJUSTEPAG FROM AJUSTEPAG WHERE "
                                                          "NRLANCCOMPREC IS NOT NULL"));
        const Sums settlePag = SumBy(m_db, QStringLiteral("SELECT CDEMPRESA, NRLANCCOMPREC, "
                                                          "VRBAIXAPAG FROM BAIXAPAG WHERE "
                                                          "NRLANCCOMPREC IS NOT NULL"));
        QSqlQuery query = store::Run(
            m_db, QStringLiteral("SELECT CDEMPRESA, NRLANCCOMPREC, IDTPITUTLCOMREC, "
                                 "QTITCOMCONTREC, VRTOTALCOMREC, CDFILIBOLREC, NRLANBOLREC, "
                                 "CDAJUCTREC, CDAJUCTPAG FROM COMPCONTREC"));
        qint64 count = 0;
        while (query.next()) {
            ++count;
            const QString comp = KeyOf(query, 2);
            const QString kind = query.value(2).toString();
            const bool payables = kind == QLatin1String("0");
            const Cents total = store::CentsFrom(query.value(4));
            const QString bill =
                query.value(5).toString() + QLatin1Char('|') + query.value(6).toString();
            const Sum mine = Of(items, comp + QLatin1Char('|') + kind);
            const Sum other =
                Of(items, comp + (payables ? QStringLiteral("|1") : QStringLiteral("|0")));
            const auto told = [&](const QString& text) {
                Fault(QStringLiteral("compensation %1: %2").arg(comp, text));
            };
            if (mine.cents != total)
                told(QStringLiteral("total %1, items sum to %2")
                         .arg(CentsText(total), CentsText(mine.cents)));
            if (mine.count != query.value(3).toLongLong())
                told(QStringLiteral("%1 items counted, %2 stored")
                         .arg(query.value(3).toLongLong())
                         .arg(mine.count));
            if (other.count > 0)
                told(QStringLiteral("%1 items of the other kind").arg(other.count));
            const Sum adjusted = Of(adjustRec, comp + QLatin1Char('|') + bill + QLatin1Char('|') +
                                                   query.value(7).toString());
            if (adjusted.count != 1 || adjusted.cents != total)
                told(QStringLiteral("receivable adjustment %1 on its bill, not the total")
                         .arg(CentsText(adjusted.cents)));
            const Sum settled = Of(settleRec, comp + QLatin1Char('|') + bill);
            if (settled.count != 1 || settled.cents != total)
                told(QStringLiteral("receivables settlement %1 of its bill, not the total")
                         .arg(CentsText(settled.cents)));
            const Sum adjustedPag = Of(adjustPag, comp);
            const Sum settledPag = Of(settlePag, comp);
            const Cents side = payables ? total : 0;
            if (!payables && adjustedPag.count > 0)
                told(QStringLiteral("a credit compensation with payables adjustments %1 in %2 rows")
                         .arg(CentsText(adjustedPag.cents))
                         .arg(adjustedPag.count));
            else if (adjustedPag.cents != side || adjustedPag.count != (payables ? mine.count : 0))
                told(QStringLiteral("payables adjustments %1 in %2 rows")
                         .arg(CentsText(adjustedPag.cents))
                         .arg(adjustedPag.count));
            if (settledPag.cents != side || settledPag.count != (payables ? 1 : 0))
                told(QStringLiteral("payables settlements %1 in %2 rows")
                         .arg(CentsText(settledPag.cents))
                         .arg(settledPag.count));
        }
        store::CheckFetched(query);
        PayableItems();
    }

    void PayableItems() {
        const Sums adjusted = SumBy(m_db, QStringLiteral("SELECT CDEMPRESA, NRLANCCOMPREC, "
                                                         "CDFILIBPAG, NRLANBOLPAG, VRAJUSTEPAG "
                                                         "FROM AJUSTEPAG WHERE NRLANCCOMPREC IS "
                                                         "NOT NULL"));
        const Sums settled = SumBy(
            m_db, QStringLiteral("SELECT S.CDEMPRESA, S.NRLANCCOMPREC, T.CDFILIBPAG, "
                                 "T.NRLANBOLPAG, T.VRITBAIXAPAG FROM ITBAIXAPAG T JOIN BAIXAPAG "
                                 "S ON S.CDFILIALBAIPAG = T.CDFILIALBAIPAG AND S.NRBAIXAPAG = "
                                 "T.NRBAIXAPAG WHERE S.NRLANCCOMPREC IS NOT NULL"));
        QSqlQuery query = store::Run(m_db, QStringLiteral("SELECT CDEMPRESA, NRLANCCOMPREC, "
                                                          "CDFILIBPAG, NRLANBOLPAG, "
                                                          "VRITEMCOMPREC FROM ITCOMPCONTREC "
                                                          "WHERE CDFILIBPAG IS NOT NULL"));
        while (query.next()) {
            const QString key = KeyOf(query, 4);
            const Cents value = store::CentsFrom(query.value(4));
            if (Of(adjusted, key).cents != value || Of(settled, key).cents != value)
                Fault(QStringLiteral("compensation item %1 of %2: adjusted %3, settled %4")
                          .arg(key, CentsText(value), CentsText(Of(adjusted, key).cents),
                               CentsText(Of(settled, key).cents)));
        }
        store::CheckFetched(query);
    }

    // An adjustment tied to a compensation (its key makes sure the compensation exists) sits on
    // that compensation's bill, or on one of its payables.
    void AdjustmentsOwners() {
        Owned(QStringLiteral("receivable adjustment"),
              QStringLiteral("SELECT A.CDEMPRESA, A.NRLANCCOMPREC, A.CDFILIBOLREC, A.NRLANBOLREC, "
                             "CASE WHEN C.CDFILIBOLREC = A.CDFILIBOLREC AND "
                             "C.NRLANBOLREC = A.NRLANBOLREC THEN 1 ELSE 0 END FROM AJUSTEREC A "
                             "JOIN COMPCONTREC C ON C.CDEMPRESA = A.CDEMPRESA AND "
                             "C.NRLANCCOMPREC = A.NRLANCCOMPREC WHERE A.NRLANCCOMPREC IS NOT "
                             "NULL"));
        Owned(QStringLiteral("payables adjustment"),
              QStringLiteral("SELECT A.CDEMPRESA, A.NRLANCCOMPREC, A.CDFILIBPAG, A.NRLANBOLPAG, "
                             "CASE WHEN EXISTS (SELECT 1 FROM ITCOMPCONTREC I "
                             "WHERE I.CDEMPRESA = A.CDEMPRESA AND I.NRLANCCOMPREC = "
                             "A.NRLANCCOMPREC AND I.CDFILIBPAG = A.CDFILIBPAG AND I.NRLANBOLPAG "
                             "= A.NRLANBOLPAG) THEN 1 ELSE 0 END FROM AJUSTEPAG A WHERE "
                             "A.NRLANCCOMPREC IS NOT NULL"));
    }

    // Every series the write path numbers from stands at or above the highest number of its
    // kind in the books, so that it never hands one out again. (Bills come from other modules.)
    void Series() {
        QHash<QString, qint64> last;
        QSqlQuery series =
            store::Run(m_db, QStringLiteral("SELECT NMSERIE, NRULTIMO FROM NUMERACAO"));
        while (series.next())
            last.insert(series.value(0).toString(), series.value(1).toLongLong());
        store::CheckFetched(series);
        const struct {
            const char* series;
            const char* sql;
        } kinds[] = {
            {"COMPCONTREC:", "SELECT CDEMPRESA, MAX(NRLANCCOMPREC) FROM COMPCONTREC GROUP BY "
                             "CDEMPRESA UNION ALL SELECT CDEMPRESA, MAX(NRLANCCOMPREC) FROM "
                             "AUDITCOMPREC GROUP BY CDEMPRESA"},
            {"BAIXAREC:", "SELECT CDFILIALBAIREC, MAX(NRBAIXAREC) FROM BAIXAREC GROUP BY "
                          "CDFILIALBAIREC"},
            {"BAIXAPAG:", "SELECT CDFILIALBAIPAG, MAX(NRBAIXAPAG) FROM BAIXAPAG GROUP BY "
                          "CDFILIALBAIPAG"},
        };
        for (const auto& kind : kinds) {
            QSqlQuery query = store::Run(m_db, QString::fromLatin1(kind.sql));
            while (query.next()) {
                const QString name = QLatin1String(kind.series) + query.value(0).toString();
                const qint64 highest = query.value(1).toLongLong();
                const qint64 at = last.value(name);
                if (highest > at)
                    Fault(QStringLiteral("number series %1 at %2, below number %3 in the books")
                              .arg(name)
                              .arg(at)
                              .arg(highest));
            }
            store::CheckFetched(query);
        }
    }

    // A generation's audit row has its compensation or its deletion's; a deletion's has no
    // compensation left.
    void Audit() {
        QSqlQuery query = store::Run(
            m_db, QStringLiteral("SELECT A.CDEMPRESA, A.NRLANCCOMPREC, A.IDOPERACAO, CASE WHEN "
                                 "EXISTS (SELECT 1 FROM COMPCONTREC C WHERE C.CDEMPRESA = "
                                 "A.CDEMPRESA AND C.NRLANCCOMPREC = A.NRLANCCOMPREC) THEN 1 ELSE "
                                 "0 END, CASE WHEN EXISTS (SELECT 1 FROM AUDITCOMPREC E WHERE "
                                 "E.CDEMPRESA = A.CDEMPRESA AND E.NRLANCCOMPREC = "
                                 "A.NRLANCCOMPREC AND E.IDOPERACAO = 'E') THEN 1 ELSE 0 END FROM "
                                 "AUDITCOMPREC A"));
        while (query.next()) {
            const QString key = KeyOf(query, 2);
            const bool exists = query.value(3).toInt() != 0;
            const bool deleted = query.value(4).toInt() != 0;
            if (query.value(2).toString() == QLatin1String("G") && !exists && !deleted)
                Fault(QStringLiteral("audit %1|G: neither its compensation nor its deletion")
                          .arg(key));
            if (query.value(2).toString() == QLatin1String("E") && exists)
                Fault(
                    QStringLiteral("audit %1|E: the deleted compensation is still there").arg(key));
        }
        store::CheckFetched(query);
    }

    QStringList Faults() const { return m_faults; }

private:
    void Fault(const QString& text) { m_faults << text; }

    // Rows of key (4 columns) and whether the row's compensation owns it.
    void Owned(const QString& what, const QString& sql) {
        QSqlQuery query = store::Run(m_db, sql);
        while (query.next())
            if (query.value(4).toInt() == 0)
                Fault(QStringLiteral("%1 %2: not on its compensation's bill or items")
                          .arg(what, KeyOf(query, 4)));
        store::CheckFetched(query);
    }

    QSqlDatabase m_db;
    QStringList m_faults;
};

// One consistent view of the books however long the check reads, so that a server writing
// meanwhile never makes sound books look broken. Read only; always rolled back.
class Snapshot {
public:
    explicit Snapshot(const QSqlDatabase& db) : m_db(db) {
        store::ExecDirect(m_db,
                          store::DialectOf(m_db) == store::Dialect::Postgres
                              ? QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY")
                              : QStringLiteral("BEGIN"));
    }
    ~Snapshot() { QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK")); }
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;

private:
    QSqlDatabase m_db;
};

} // namespace

QStringList CheckBooks(const QSqlDatabase& db) {
    const Snapshot snapshot(db);
    Checker checker(db);
    checker.Bills("receivable bill",
                  QStringLiteral("SELECT CDFILIBOLREC, NRLANBOLREC, VRORIGREC, VRSALDOBREC FROM "
                                 "BOLETOREC"),
                  QStringLiteral("SELECT CDFILIBOLREC, NRLANBOLREC, VRAJUSTEREC FROM AJUSTEREC"),
                  QStringLiteral("SELECT CDFILIBOLREC, NRLANBOLREC, VRBAIXAREC FROM BAIXAREC "
                                 "WHERE NRLANCCOMPREC IS NULL"));
    checker.Bills("payable bill",
                  QStringLiteral("SELECT CDFILIBPAG, NRLANBOLPAG, VRORIGPAG, VRSALDOBPAG FROM "
                                 "BOLETOPAG"),
                  QStringLiteral("SELECT CDFILIBPAG, NRLANBOLPAG, VRAJUSTEPAG FROM AJUSTEPAG"),
                  QStringLiteral("SELECT T.CDFILIBPAG, T.NRLANBOLPAG, T.VRITBAIXAPAG FROM "
                                 "ITBAIXAPAG T JOIN BAIXAPAG S ON S.CDFILIALBAIPAG = "
                                 "T.CDFILIALBAIPAG AND S.NRBAIXAPAG = T.NRBAIXAPAG WHERE "
                                 "S.NRLANCCOMPREC IS NULL"));
    checker.Credits();
    checker.Compensations();
    checker.AdjustmentsOwners();
    checker.Series();
    checker.Audit();
    return checker.Faults();
}

} // namespace db
