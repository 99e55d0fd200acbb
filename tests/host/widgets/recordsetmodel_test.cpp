#include "host/widgets/recordsetmodel.h"

#include <QSignalSpy>
#include <QSize>

#include <gtest/gtest.h>

namespace host {
namespace {

class RecordSetModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        FieldDef status{.name = QStringLiteral("IDSTATREC"), .type = FieldType::String, .size = 1};
        status.label = QStringLiteral("Status");
        FieldDef value{.name = QStringLiteral("VRATUAREC"), .type = FieldType::Float};
        value.label = QStringLiteral("Vr.Conta");
        FieldDef hidden{.name = QStringLiteral("CDEMPRESA"), .type = FieldType::String, .size = 2};
        hidden.visible = false;
        rs.SetFieldDefs({status, value, hidden});
        rs.FieldByName("IDSTATREC").SetOnGetText([](const Field& field, int row) {
            return field.ValueAt(row).toString() == QLatin1String("B") ? QStringLiteral("Baixada")
                                                                       : QString();
        });
        rs.CreateDataSet();
        rs.AppendRow({QStringLiteral("B"), 10.5, QStringLiteral("01")});
        rs.AppendRow({QStringLiteral("X"), QVariant(), QStringLiteral("01")});
        rs.Refresh();
    }

    RecordSet rs;
};

TEST_F(RecordSetModelTest, ShowsVisibleFieldsWithHookTextsAndRawValues) {
    RecordSetModel model(&rs);
    ASSERT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Vr.Conta");
    EXPECT_EQ(model.index(0, 0).data().toString(), "Baixada");
    EXPECT_EQ(model.index(1, 0).data().toString(), "");
    EXPECT_EQ(model.index(1, 0).data(Qt::EditRole).toString(), "X");
    EXPECT_FALSE(model.index(1, 1).data(Qt::EditRole).isValid());
}

TEST_F(RecordSetModelTest, ExplicitColumnsShowHiddenFieldsWithTitleAndWidth) {
    RecordSetModel model(&rs);
    model.SetColumns({{QStringLiteral("CDEMPRESA"), QStringLiteral("Emp."), 61},
                      {QStringLiteral("VRATUAREC"), QString(), 0}});
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "Emp.");
    EXPECT_EQ(model.ColumnWidth(0), 61);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Vr.Conta");
    EXPECT_EQ(model.index(0, 0).data().toString(), "01");
}

TEST_F(RecordSetModelTest, FollowsEditsRowsAndCurrentRow) {
    RecordSetModel model(&rs);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy current(&model, &RecordSetModel::currentRowChanged);

    rs.Last();
    ASSERT_EQ(current.count(), 1);
    EXPECT_EQ(current.at(0).at(0).toInt(), 1);
    rs.Edit();
    rs.FieldByName("IDSTATREC").SetAsString("B");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(model.index(1, 0).data().toString(), "Baixada");
    rs.Post();

    rs.Delete();
    EXPECT_GE(reset.count(), 1);
    EXPECT_EQ(model.rowCount(), 1);

    rs.DisableControls();
    rs.EmptyDataSet();
    EXPECT_FALSE(model.index(0, 0).data().isValid()); // stale view asks: no crash, no data
    rs.EnableControls();
    EXPECT_EQ(model.rowCount(), 0);
}

} // namespace
} // namespace host
