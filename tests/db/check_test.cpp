// The books' invariant check: sound demo and generated books pass; each kind of damage is told.
#include "db/check.h"
#include "db/demo.h"
#include "db/generate.h"
#include "db/migrate.h"
#include "store/sql.h"
#include "tests/support/testdatabase.h"

#include <gtest/gtest.h>

#include <QDate>

namespace {

struct Damage {
    const char* name;
    const char* sql;
    const char* told; // part of the fault line
};

// Compensation 1 offsets two payables; compensation 6 a credit.
const Damage kDamage[] = {
    {"BillBalanceOffByACent",
     "UPDATE BOLETOREC SET VRSALDOBREC = VRSALDOBREC - 0.01 WHERE NRLANBOLREC = (SELECT "
     "MIN(NRLANBOLREC) FROM BOLETOREC WHERE VRSALDOBREC > 0)",
     "receivable bill"},
    {"PayableAdjustmentLost", "DELETE FROM AJUSTEPAG WHERE NRLANCCOMPREC = '0000000001'",
     "payable bill"},
    {"CreditUsedInPart",
     "UPDATE ITCOMPCONTREC SET VRITEMCOMPREC = VRITEMCOMPREC - 1 WHERE NRLANCCOMPREC = "
     "'0000000006'",
     "not whole"},
    {"TotalOtherThanItsItems",
     "UPDATE COMPCONTREC SET VRTOTALCOMREC = VRTOTALCOMREC + 1 WHERE NRLANCCOMPREC = "
     "'0000000001'",
     "items sum to"},
    {"SettlementItemLost",
     "DELETE FROM ITBAIXAPAG WHERE NRLANBOLPAG = (SELECT MIN(NRLANBOLPAG) FROM ITCOMPCONTREC "
     "WHERE NRLANCCOMPREC = '0000000001')",
     "settled 0.00"},
    {"PayablesAdjustmentsOnACreditCompensation",
     "UPDATE AJUSTEPAG SET NRLANCCOMPREC = '0000000006' WHERE NRLANCCOMPREC = '0000000001'",
     "a credit compensation with payables adjustments"},
    {"AdjustmentOfAnotherCompensation",
     "UPDATE AJUSTEREC SET NRLANCCOMPREC = '0000000006' WHERE NRLANCCOMPREC = '0000000001'",
     "not on its compensation's bill"},
    {"SeriesBelowItsNumbers",
     "UPDATE NUMERACAO SET NRULTIMO = NRULTIMO - 1 WHERE NMSERIE = 'COMPCONTREC:01'",
     "below number"},
    {"AuditOfNoCompensation",
     "INSERT INTO AUDITCOMPREC VALUES ('01', '0000099999', 'G', 'ADMIN', '2026-01-01 00:00:00', "
     "'0001', '0000000001', 1)",
     "neither its compensation nor its deletion"},
};

class CheckTest : public testing::TestWithParam<Damage> {};

TEST_P(CheckTest, TellsTheDamage) {
    const auto test = testdb::TestDatabase::Sqlite();
    const QSqlDatabase db = test->Db();
    db::Migrate(db);
    db::Generate(db, 1, QDate::currentDate()); // the demo and one thousand of everything
    ASSERT_TRUE(db::CheckBooks(db).isEmpty()) << db::CheckBooks(db).join('\n').toStdString();

    store::ExecDirect(db, QString::fromLatin1(GetParam().sql));
    const QStringList faults = db::CheckBooks(db);
    ASSERT_FALSE(faults.isEmpty());
    EXPECT_TRUE(faults.join('\n').contains(QString::fromLatin1(GetParam().told)))
        << faults.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Books, CheckTest, testing::ValuesIn(kDamage),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
