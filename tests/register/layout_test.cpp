// What the operator sees at common screen sizes: grid columns whole, the form page reachable.

#include "register/frmcompcontrec.h"
#include "tests/register/screenfixture.h"

#include "host/widgets/db_grid.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QScrollArea>
#include <QScrollBar>

namespace register_testing {
namespace {

// Wide values in every column: money in the millions, long statuses, two-digit account and
// instalment numbers.
class WideScreen : public ScreenTest {
protected:
    void SetUp() override {
        for (const char* status : {"A", "B", "P"}) {
            QVariantMap row = Compensation(QStringLiteral("000000000") + status[0], status);
            row["VRATUAREC"] = 9888777.66;
            row["VRFINALBREC"] = 9888777.66;
            row["QTITCOMCONTREC"] = 999.0;
            row["NRSEQVENREC"] = "99";
            row["NRPARCELAREC"] = "99";
            row["DTVENBOLREC"] = DateValue(2026, 12, 28);
            AddCompensation(row);
        }
        bill = Table("cdsBoletosRec", {{{"IDMARCADO", "N"},
                                        {"VENCIMENTO", "28/12/2026"},
                                        {"DOCUMENTO", "NF 0000000001/1"},
                                        {"NRINSJURCLIE", "12345678000199"},
                                        {"IDTPIJURCLIE", "J"},
                                        {"NRSEQVENREC", "99"},
                                        {"NRPARCELAREC", "99"},
                                        {"VRORIGREC", 9888777.66},
                                        {"VRFINALBREC", 9888777.66}}});
        items = Table("cdsBoletosPag", {{{"IDMARCADO", "N"},
                                         {"DTVENBOLPAG", DateValue(2026, 12, 28)},
                                         {"NRSEQVENPAG", "99"},
                                         {"NRPARCELAPAG", "99"},
                                         {"VRFINALBPAG", 9888777.66},
                                         {"VRITEMCOMPREC", 9888777.66}}});
        OpenScreen();
        ChooseCompany("01");
        ShowFormPage();
    }
};

class GridWidthTest : public WideScreen, public ::testing::WithParamInterface<const char*> {};

// Titles in their own font, cells in the grid's, each with room for the cell's margins.
TEST_P(GridWidthTest, NoColumnNarrowerThanItsTitleOrItsWidestText) {
    auto* grid = Find<host::TDBGrid>(GetParam());
    ASSERT_NE(grid, nullptr);
    const QAbstractItemModel* model = grid->model();
    for (int column = 0; column < grid->ColumnCount(); ++column) {
        const QVariant titleFont = model->headerData(column, Qt::Horizontal, Qt::FontRole);
        const QFontMetrics titleMetrics(titleFont.isValid() ? titleFont.value<QFont>()
                                                            : grid->horizontalHeader()->font());
        const QString title = model->headerData(column, Qt::Horizontal).toString();
        EXPECT_GE(grid->columnWidth(column), titleMetrics.horizontalAdvance(title) + 6)
            << GetParam() << " " << title.toStdString();
        if (grid->IsMarkColumn(column))
            continue; // a picture, not its flag's text
        for (int row = 0; row < model->rowCount(); ++row) {
            const QString text = model->index(row, column).data().toString();
            EXPECT_GE(grid->columnWidth(column), grid->fontMetrics().horizontalAdvance(text) + 6)
                << GetParam() << " " << title.toStdString() << " " << text.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Grids, GridWidthTest,
                         ::testing::Values("dbgPadrao", "dbgContaRec", "dbgConta", "dbgLancCCorr"));

// The screen inside the suite's window at 1024x768, less its menu, toolbar and status bar.
TEST_F(WideScreen, SmallScreenKeepsTheTotalInViewAndScrollsToTheLastControl) {
    Root()->resize(1024, 640);
    QCoreApplication::processEvents();
    auto* total = Find<QWidget>("panValorComp");
    const QRect totalRect(total->mapTo(Root(), QPoint(0, 0)), total->size());
    EXPECT_TRUE(Root()->rect().contains(totalRect));
    EXPECT_EQ(total->visibleRegion().boundingRect(), total->rect());

    auto* page = Find<QWidget>("panFormulario");
    for (auto* control : page->findChildren<QWidget*>()) {
        if (control->isVisible() && control->focusPolicy() != Qt::NoFocus) {
            EXPECT_GE(control->height(), control->minimumSizeHint().height())
                << control->metaObject()->className() << " " << control->objectName().toStdString()
                << " in " << control->parentWidget()->objectName().toStdString();
        }
    }
    auto* scroll = Find<QScrollArea>("scrFormulario");
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    auto* last = Find<QWidget>("dbgConta");
    const QRect lastRect(last->mapTo(scroll->viewport(), QPoint(0, 0)), last->size());
    EXPECT_TRUE(scroll->viewport()->rect().contains(lastRect));
}

} // namespace
} // namespace register_testing
