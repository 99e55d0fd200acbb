#include "host/sql/placeholders.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct Case {
    const char* sql;
    const char* text;
    QStringList names;
    friend void PrintTo(const Case& c, std::ostream* os) { *os << c.sql; }
};

class ToPositionalTest : public ::testing::TestWithParam<Case> {};

TEST_P(ToPositionalTest, ReplacesOnlyRealPlaceholders) {
    const host::PositionalSql out = host::ToPositional(QString::fromUtf8(GetParam().sql));
    EXPECT_EQ(out.text, QString::fromUtf8(GetParam().text));
    EXPECT_EQ(out.names, GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToPositionalTest,
    ::testing::Values(
        Case{"A = NVL(:CDEMPRESA, A)", "A = NVL(?, A)", {"CDEMPRESA"}},
        Case{":P1 AND :P_2 OR :P1", "? AND ? OR ?", {"P1", "P_2", "P1"}},
        Case{"X = ':NAO' AND Y = :SIM", "X = ':NAO' AND Y = ?", {"SIM"}},
        Case{"X = 'it''s :NAO' || :SIM", "X = 'it''s :NAO' || ?", {"SIM"}},
        Case{"\"COL:NAO\" = :SIM", "\"COL:NAO\" = ?", {"SIM"}},
        Case{"X::text = :SIM", "X::text = ?", {"SIM"}},
        Case{"-- :NAO\nX = :SIM", "-- :NAO\nX = ?", {"SIM"}},
        Case{"PARAM(:P_CDREDUCONT) P_CDREDUCONT", "PARAM(?) P_CDREDUCONT", {"P_CDREDUCONT"}},
        Case{"X = ':unterminated", "X = ':unterminated", {}}));

} // namespace
