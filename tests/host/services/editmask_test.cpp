#include "host/services/editmask.h"
#include "data/text.h"

#include <QLineEdit>
#include <gtest/gtest.h>

#include <ostream>

namespace {

struct MaskCase {
    const char* mask;
    const char* stored;
    const char* shown;
    friend void PrintTo(const MaskCase& c, std::ostream* os) {
        *os << '"' << c.mask << "\" " << c.stored;
    }
};

class FormatMaskTest : public ::testing::TestWithParam<MaskCase> {};

TEST_P(FormatMaskTest, ShowsTheStoredValueThroughThePicture) {
    const MaskCase c = GetParam();
    EXPECT_EQ(host::FormatMaskText(QString::fromUtf8(c.mask), QString::fromUtf8(c.stored)),
              QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatMaskTest,
    ::testing::Values(MaskCase{"999.999.999-99;0; ", "12345678901", "123.456.789-01"},
                      MaskCase{"99.999.999/9999-99;0; ", "12345678000195", "12.345.678/0001-95"},
                      MaskCase{"9999-a;0; ", "12345", "1234-5"},
                      MaskCase{"9999-a;0; ", "1234X", "1234-X"}, MaskCase{">aaa;0; ", "ab1", "AB1"},
                      MaskCase{"9999-a;0;_", "123", "123_-_"},
                      MaskCase{"9999-a;1; ", "1234-5", "1234-5"}, // literal already stored
                      MaskCase{"999.999.999-99;0; ", "", ""}, MaskCase{"", "12345", "12345"},
                      MaskCase{"99-9;0; ", "123456", "12-3456"})); // nothing lost

struct StripCase {
    const char* mask;
    const char* typed;
    const char* stored;
    friend void PrintTo(const StripCase& c, std::ostream* os) {
        *os << '"' << c.mask << "\" " << c.typed;
    }
};

class StripMaskTest : public ::testing::TestWithParam<StripCase> {};

TEST_P(StripMaskTest, StoresWhatWasTyped) {
    const StripCase c = GetParam();
    EXPECT_EQ(host::StripMaskText(QString::fromUtf8(c.mask), QString::fromUtf8(c.typed)),
              QString::fromUtf8(c.stored));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StripMaskTest,
    ::testing::Values(StripCase{"999.999.999-99;0; ", "123.456.789-01", "12345678901"},
                      StripCase{"999.999.999-99;0; ", "12345678901", "12345678901"},
                      StripCase{"9999-a;1; ", "1234-5", "1234-5"},
                      StripCase{"9999-a;1; ", "12345", "1234-5"},
                      StripCase{"9999-a;0;_", "12__-_", "12"},
                      StripCase{"9999-a;1;_", "12__-_", "12"}, StripCase{">aaa;0; ", "ab1", "AB1"},
                      StripCase{">aaa;0; ", "a  ", "A"}, StripCase{"", " x ", " x "}));

TEST(EditMask, RoundTripsEveryTaxIdMask) {
    for (const char* type : {"F", "J"}) {
        const QString mask = host::PictPess(QString::fromLatin1(type));
        const QString digits = QStringLiteral("12345678000195").left(type[0] == 'F' ? 11 : 14);
        EXPECT_EQ(host::StripMaskText(mask, host::FormatMaskText(mask, digits)), digits);
    }
}

TEST(EditMask, ConvertsToALineEditMaskThatKeepsTheLiterals) {
    EXPECT_EQ(host::ToInputMask("999.999.999-99;0; "), "000.000.000-00; ");
    EXPECT_EQ(host::ToInputMask(">aaa;0;_"), ">nnn;_");
    EXPECT_EQ(host::ToInputMask(""), "");

    QLineEdit edit;
    edit.setInputMask(host::ToInputMask("9999-a;0; "));
    edit.setText("12345");
    EXPECT_EQ(edit.displayText(), "1234-5");
    EXPECT_EQ(host::StripMaskText("9999-a;0; ", edit.text()), "12345");
}

TEST(EditMask, EscapesPictureLiteralsThatQtReadsAsCodes) {
    // "H" and "#" are Qt mask codes; in a bank picture they are literals.
    EXPECT_EQ(host::ToInputMask("99H#9;0; "), "00\\H\\#0; ");
}

} // namespace
