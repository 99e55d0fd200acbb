#include "host/widgets/check_pictures.h"
#include "host/widgets/data_source.h"
#include "host/widgets/db_grid.h"
#include "tests/host/widgets/candidates.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

#include <utility>

namespace host {
namespace {

struct PictureCase {
    bool editing;
    const char* flag;
    CheckPicture picture;
};

class PictureChoice : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PictureChoice, GreyedOutsideEditingTickedOnlyForS) {
    EXPECT_EQ(ChooseCheckPicture(GetParam().editing, GetParam().flag), GetParam().picture);
}

INSTANTIATE_TEST_SUITE_P(States, PictureChoice,
                         ::testing::Values(PictureCase{true, "S", CheckPicture::Check},
                                           PictureCase{true, "N", CheckPicture::Uncheck},
                                           PictureCase{true, "s", CheckPicture::Uncheck},
                                           PictureCase{true, "", CheckPicture::Uncheck},
                                           PictureCase{false, "S", CheckPicture::Grayed},
                                           PictureCase{false, "N", CheckPicture::Grayed}));

TEST(CheckPictures, AreSixteenSquareOnOlive) {
    for (CheckPicture picture :
         {CheckPicture::Check, CheckPicture::Uncheck, CheckPicture::Grayed}) {
        const QImage image = CheckPictureImage(picture);
        ASSERT_EQ(image.size(), QSize(16, 16)) << CheckPictureName(picture).toStdString();
        EXPECT_EQ(image.pixelColor(0, 0), kPictureBackground);
    }
}

class MarkGrid : public ::testing::Test {
protected:
    void SetUp() override {
        testing::FillCandidates(rows, {"S", "N", "S"});
        source.SetDataSet(&rows);
        grid.SetDataSource(&source);
        grid.SetColumns({{.fieldName = "IDMARCADO", .title = "4", .width = 24},
                         {.fieldName = "DOCUMENTO", .width = 72},
                         {.fieldName = "VRFINALBPAG"}});
        grid.SetMarkEditing([this] { return editing; });
        grid.resize(400, 200);
        grid.show();
    }

    // The colour of a pixel of the mark cell of row, at (x, y) inside the cell.
    QColor MarkPixel(const QImage& shot, int row, int x, int y) const {
        const QRect cell = grid.visualRect(grid.model()->index(row, 0));
        const QPoint origin = grid.viewport()->mapTo(&grid, cell.topLeft());
        return shot.pixelColor(origin + QPoint(x, y));
    }
    QImage Shot() {
        grid.setCurrentIndex(grid.model()->index(1, 2)); // keep marks out of the selection
        return grid.grab().toImage();
    }

    RecordSet rows;
    TDataSource source;
    TDBGrid grid;
    bool editing = true;
};

// Inside the picture drawn at left + 2: the tick's corner pixel (10, 5) and the box interior
// (6, 9); olive at (0, 0) must have become the cell's brush.
TEST_F(MarkGrid, PaintsTickedAndEmptyBoxesWhileEditing) {
    const QImage shot = Shot();
    const QColor base = grid.palette().color(QPalette::Base);
    EXPECT_EQ(MarkPixel(shot, 0, 2 + 10, 5), QColor(Qt::black));
    EXPECT_EQ(MarkPixel(shot, 1, 2 + 10, 5), QColor(Qt::white));
    EXPECT_EQ(MarkPixel(shot, 1, 2 + 6, 9), QColor(Qt::white));
    EXPECT_EQ(MarkPixel(shot, 0, 2, 0), base);
    EXPECT_EQ(MarkPixel(shot, 0, 1, 8), base);
}

TEST_F(MarkGrid, PaintsGreyedBoxesOutsideEditing) {
    editing = false;
    const QImage shot = Shot();
    EXPECT_EQ(MarkPixel(shot, 0, 2 + 10, 5), QColor(128, 128, 128));
    EXPECT_EQ(MarkPixel(shot, 1, 2 + 10, 5), QColor(128, 128, 128));
    EXPECT_EQ(MarkPixel(shot, 1, 2 + 6, 9), QColor(192, 192, 192));
}

TEST_F(MarkGrid, RowBrushShowsThroughThePictureBackground) {
    const QColor olive(128, 128, 0);
    grid.SetRowBrush([&](int row) { return row == 2 ? QBrush(olive) : QBrush(Qt::white); });
    const QImage shot = Shot();
    EXPECT_EQ(MarkPixel(shot, 2, 1, 8), olive);
    EXPECT_EQ(MarkPixel(shot, 0, 1, 8), QColor(Qt::white));
}

TEST_F(MarkGrid, EmptyListDrawsNoBoxes) {
    testing::FillCandidates(rows, {});
    EXPECT_FALSE(grid.MarkPicture(0).has_value());
    testing::FillCandidates(rows, {"S"});
    EXPECT_EQ(grid.MarkPicture(0), CheckPicture::Check);
}

TEST_F(MarkGrid, ColumnsHaveTitlesWidthsAndIndiceCol) {
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(), "4");
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal).toString(), "Doc./Série");
    EXPECT_EQ(grid.columnWidth(0), 24);
    EXPECT_GE(grid.columnWidth(1), 72); // at least; its title may need more
    EXPECT_EQ(IndiceCol(grid, "IDMARCADO"), 0);
    EXPECT_EQ(IndiceCol(grid, "vrfinalbpag"), 2);
    EXPECT_EQ(IndiceCol(grid, "DTENTRSAID"), -1);
    EXPECT_EQ(grid.model()->index(0, 2).data().toString(), "10");
}

TEST_F(MarkGrid, FollowsTheRecordSetAndMovesIt) {
    rows.Last();
    EXPECT_EQ(grid.currentIndex().row(), 2);
    const QRect cell = grid.visualRect(grid.model()->index(1, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(rows.RecNo(), 1);
}

// Screens re-derive edit masks after every move; that must not throw the cursor back.
TEST_F(MarkGrid, ClickStaysOnTheRowWhenTheScrollHandlerChangesAMask) {
    QObject::connect(&rows, &RecordSet::afterScroll, [this] {
        rows.FieldByName("DOCUMENTO").SetEditMask(rows.RecNo() == 1 ? "999;0; " : QString());
    });
    const QRect cell = grid.visualRect(grid.model()->index(1, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(rows.RecNo(), 1);
    EXPECT_EQ(grid.currentIndex().row(), 1);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(rows.RecNo(), 2);
}

TEST_F(MarkGrid, ClickStaysOnTheRowWhenTheScrollHandlerRefreshesTheList) {
    bool refreshing = false;
    QObject::connect(&rows, &RecordSet::afterScroll, [&] {
        if (std::exchange(refreshing, true))
            return;
        rows.Refresh();
        refreshing = false;
    });
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                      grid.visualRect(grid.model()->index(2, 1)).center());
    EXPECT_EQ(rows.RecNo(), 2);
    EXPECT_EQ(grid.currentIndex().row(), 2);
}

TEST_F(MarkGrid, CellClickAndTitleClickReportTheColumn) {
    QList<int> cells;
    QList<int> titles;
    grid.OnCellClick.Set([&](int column) { cells << column; });
    grid.OnTitleClick.Set([&](int column) { titles << column; });
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                      grid.visualRect(grid.model()->index(2, 0)).center());
    const QHeaderView* header = grid.horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
    EXPECT_EQ(cells, QList<int>{0});
    EXPECT_EQ(titles, QList<int>{1});
    EXPECT_EQ(rows.RecNo(), 2);
}

TEST_F(MarkGrid, KeyHandlerSwallowsAKeyBySettingItToZero) {
    grid.setFocus();
    rows.First();
    QList<int> keys;
    grid.OnKeyDown.Set([&](int& key, Qt::KeyboardModifiers) {
        keys << key;
        if (key == Qt::Key_Down)
            key = 0;
    });
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(rows.RecNo(), 0);
    EXPECT_EQ(keys, QList<int>{Qt::Key_Down});
    grid.OnKeyDown.Set({});
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(rows.RecNo(), 1);
}

// Given widths are least widths: titles and texts widen their columns in the grid's font. A text
// too long even for that stays cut and shows whole as the cell's tooltip.
TEST(GridWidths, FollowTheFontAndCutCellsShowTheirText) {
    RecordSet rows;
    rows.SetFieldDefs({{.name = "NMRAZSOCFORN", .type = FieldType::String, .size = 200},
                       {.name = "VRFINALBPAG", .type = FieldType::Float}});
    rows.CreateDataSet();
    const QString longName = QStringLiteral("Comercial ").repeated(12);
    rows.AppendRow({QStringLiteral("Alfa"), 10.0});
    rows.AppendRow({longName, 1234567.89});
    rows.Refresh();
    TDataSource source;
    source.SetDataSet(&rows);
    TDBGrid grid;
    grid.SetDataSource(&source);
    grid.SetColumns({{.fieldName = "VRFINALBPAG", .title = "Valor Final da Conta", .width = 8},
                     {.fieldName = "NMRAZSOCFORN", .width = 8}});
    grid.resize(900, 200);
    grid.show();
    const QFontMetrics metrics = grid.fontMetrics();
    const auto fits = [&](int row, int column) {
        const QString text = grid.model()->index(row, column).data().toString();
        return grid.columnWidth(column) > metrics.horizontalAdvance(text);
    };
    EXPECT_GT(grid.columnWidth(0),
              grid.horizontalHeader()->fontMetrics().horizontalAdvance("Valor Final da Conta"));
    EXPECT_TRUE(fits(0, 0));
    EXPECT_TRUE(fits(1, 0));
    EXPECT_TRUE(fits(0, 1));
    ASSERT_FALSE(fits(1, 1));

    const auto tipAt = [&](int row, int column) {
        const QPoint at = grid.visualRect(grid.model()->index(row, column)).center();
        QHelpEvent help(QEvent::ToolTip, at, grid.viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid.viewport(), &help);
        return help.isAccepted() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(tipAt(1, 1), longName);
    EXPECT_EQ(tipAt(1, 0), QString());
}

TEST_F(MarkGrid, ClickSelectsTheWholeRow) {
    const QRect cell = grid.visualRect(grid.model()->index(1, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(1, QModelIndex()));
}

} // namespace
} // namespace host
