// The single choice of the receivable bill, on plain record sets.

#include "entry/rules/billchoice.h"

#include "data/recordset.h"
#include "tests/data/fielddef.h"

#include <gtest/gtest.h>

namespace {

using entry::BillChoice;
using entry::BillKey;
using host::FieldType;
using host::RecordSet;
using host::testdata::Def;

constexpr FieldType S = FieldType::String;
constexpr FieldType F = FieldType::Float;
constexpr FieldType D = FieldType::DateTime;

// The list's fields in another order than the chosen set's, with a field the copy leaves out.
void MakeBills(RecordSet& bills) {
    bills.SetFieldDefs({Def("IDMARCADO", FieldType::FixedString, 1), Def("DOCUMENTO", S, 26),
                        Def("VRORIGREC", F), Def("VRFINALBREC", F), Def("CDCLIENTE", S, 21),
                        Def("CDFILIBOLREC", S, 4), Def("NRLANBOLREC", S, 10), Def("CDFILIAL", S, 4),
                        Def("NRLANCTONF", S, 10), Def("NRSEQVENREC", S, 2),
                        Def("NRPARCELAREC", S, 2), Def("DTMOVFLUXO", D), Def("CDCLASSFINA", S, 6),
                        Def("CDFIMOVFLREC", S, 4), Def("DTENTRSAID", D)});
    bills.CreateDataSet();
}

void MakeChosen(RecordSet& chosen) {
    chosen.SetFieldDefs({Def("DOCUMENTO", S, 26), Def("CDFILIAL", S, 4), Def("NRLANCTONF", S, 10),
                         Def("NRSEQVENREC", S, 2), Def("NRPARCELAREC", S, 2),
                         Def("CDFILIBOLREC", S, 4), Def("NRLANBOLREC", S, 10), Def("VRORIGREC", F),
                         Def("VRFINALBREC", F), Def("DTMOVFLUXO", D), Def("CDCLASSFINA", S, 6),
                         Def("CDFIMOVFLREC", S, 4), Def("DTENTRSAID", D)});
}

void AddBill(RecordSet& bills, const QString& numero, double open, const QString& customer = "C1") {
    const QDateTime entered(QDate(2026, 11, 2), QTime(0, 0));
    bills.AppendRow({"N", "NF " + numero, 900.0, open, customer, "0001", numero, "0002",
                     "NF" + numero, "01", "02", entered, "110101", "0001", entered});
}

class BillChoiceTest : public testing::Test {
protected:
    BillChoiceTest() {
        MakeBills(bills);
        MakeChosen(chosen);
        for (const char* numero : {"10", "11", "12"})
            AddBill(bills, numero, 100.0 + QString(numero).toInt());
        bills.Refresh();
        bills.First();
    }
    std::optional<BillKey> TickRow(int row) {
        bills.SetRecNo(row);
        return choice.Toggle();
    }
    QStringList Flags() const {
        QStringList flags;
        for (int row = 0; row < bills.RecordCount(); ++row)
            flags << bills.FieldByName("IDMARCADO").ValueAt(row).toString();
        return flags;
    }
    QString ChosenNumber() const {
        EXPECT_EQ(chosen.RecordCount(), 1);
        return chosen.FieldByName("NRLANBOLREC").AsString();
    }

    RecordSet bills;
    RecordSet chosen;
    BillChoice choice{bills, chosen};
};

TEST_F(BillChoiceTest, TickingCopiesTheBillByFieldName) {
    EXPECT_EQ(TickRow(1), (BillKey{"0001", "11"}));
    EXPECT_EQ(Flags(), (QStringList{"N", "S", "N"}));
    EXPECT_EQ(ChosenNumber(), "11");
    EXPECT_EQ(chosen.FieldByName("CDFILIAL").AsString(), "0002"); // the invoice's branch
    EXPECT_EQ(chosen.FieldByName("VRFINALBREC").AsFloat(), 111.0);
    EXPECT_EQ(chosen.FieldByName("DOCUMENTO").AsString(), "NF 11");
    EXPECT_EQ(chosen.FieldByName("DTENTRSAID").AsDateTime().date(), QDate(2026, 11, 2));
}

struct CheckCase {
    const char* name;
    int ticked; // -1: none
    QString customer;
    bool replaceList; // the list was refetched for another customer
    const char* fault;
};

class BillCheckTest : public BillChoiceTest, public testing::WithParamInterface<CheckCase> {};

TEST_P(BillCheckTest, ChosenBillIsTheTickedBillOfTheCustomer) {
    const CheckCase& c = GetParam();
    if (c.ticked >= 0)
        TickRow(c.ticked);
    if (c.replaceList) {
        RecordSet other;
        MakeBills(other);
        AddBill(other, "20", 50.0, "C2");
        bills.SetTable(other.Table()); // the screen's re-selection did not run
    }
    EXPECT_EQ(choice.Check(c.customer), QString::fromLatin1(c.fault));
}

INSTANTIATE_TEST_SUITE_P(
    Confirmation, BillCheckTest,
    testing::Values(CheckCase{"Chosen", 1, "C1", false, ""},
                    CheckCase{"NoneChosen", -1, "C1", false, "NCONTREC"},
                    CheckCase{"AnotherCustomerTypedSinceThen", 1, "C2", false, "CONTRECCLIE"},
                    CheckCase{"ListOfAnotherCustomer", 1, "C2", true, "CONTRECCLIE"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
