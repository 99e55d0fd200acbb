// What the form page shows of stored compensations as the list moves, how often it asks the
// server for it, and what the toolbar may not do meanwhile.

#include "data/recordset.h"
#include "host/widgets/button_flat.h"
#include "register/frmcompcontrec.h"
#include "tests/register/screenfixture.h"

#include <QApplication>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include <condition_variable>
#include <mutex>

namespace register_testing {
namespace {

class ItemsTest : public ScreenTest {
protected:
    // A payables compensation and a credits one, viewed on the form page.
    void ViewBothKinds() {
        AddCompensation(Compensation("0000000001", "P", "0"));
        AddCompensation(Compensation("0000000002", "P", "1"));
        server.On("GetContaItensComp", [this](const QJsonArray& params) {
            const bool credits = params.at(2).toString() == "1";
            const host::RecordSetTable items =
                credits ? Table("cdsCreditos", {{{"IDMARCADO", "N"}, {"VRMOVICRED", 300.0}}})
                        : Table("cdsBoletosPag", {{{"IDMARCADO", "N"}, {"VRFINALBPAG", 400.0}},
                                                  {{"IDMARCADO", "N"}, {"VRFINALBPAG", 350.0}}});
            return FakeServer::Result("[" + host::codec::Encode(bill) + "," +
                                      host::codec::Encode(items) + "]");
        });
        OpenScreen();
        ChooseCompany("01");
        ShowFormPage();
    }
    int Page() const { return Find<QStackedWidget>("ntbItens")->currentIndex(); }
};

// Regression: a credit compensation viewed after a payables one stayed on the payables page,
// showing the other compensation's payables under its own total.
TEST_F(ItemsTest, EachCompensationShowsThePageOfItsKindWithOnlyItsItems) {
    ViewBothKinds();
    EXPECT_EQ(Page(), 0);
    EXPECT_EQ(screen->cdsBoletosPag->RecordCount(), 2);
    List().Next();
    EXPECT_EQ(Page(), 1);
    EXPECT_EQ(screen->cdsCreditos->RecordCount(), 1);
    EXPECT_EQ(screen->cdsBoletosPag->RecordCount(), 0);
    List().Prior();
    EXPECT_EQ(Page(), 0);
    EXPECT_EQ(screen->cdsBoletosPag->RecordCount(), 2);
    EXPECT_EQ(screen->cdsCreditos->RecordCount(), 0);
}

enum class Action { MoveToNext, Refresh, Delete };

class ItemLoadCountTest : public ScreenTest, public ::testing::WithParamInterface<Action> {};

// Regression: a refresh or a deletion loaded the items two or three times over.
TEST_P(ItemLoadCountTest, OneLoadPerChangeOfTheCompensationShown) {
    for (const char* number : {"0000000001", "0000000002", "0000000003"})
        AddCompensation(Compensation(number));
    OpenScreen();
    ChooseCompany("01");
    ShowFormPage();
    server.ClearCalls();
    switch (GetParam()) {
    case Action::MoveToNext:
        List().Next();
        break;
    case Action::Refresh:
        Click("sbtVerificar");
        break;
    case Action::Delete:
        dialogs.AnswerYes();
        Click("sbtExcluir");
        break;
    }
    const auto loads = server.CallsOf("GetContaItensComp");
    ASSERT_EQ(loads.size(), 1u);
    EXPECT_EQ(loads[0].params.at(1).toString(), CurrentNumber());
}

std::string NameOf(const ::testing::TestParamInfo<Action>& info) {
    static const char* const names[] = {"MoveToNext", "Refresh", "Delete"};
    return names[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Actions, ItemLoadCountTest,
                         ::testing::Values(Action::MoveToNext, Action::Refresh, Action::Delete),
                         NameOf);

// Regression: the base confirmation posted the new row locally, a blank compensation the server
// never saw.
TEST_F(ScreenTest, ConfirmingANewCompensationFakesNoSave) {
    AddCompensation(Compensation("0000000001"));
    OpenScreen();
    ChooseCompany("01");
    server.ClearCalls();
    Click("sbtIncluir");
    Click("sbtConfirmar");
    EXPECT_EQ(List().State(), host::DataSetState::Insert);
    EXPECT_TRUE(server.Calls().empty());
    dialogs.AnswerYes();
    Click("sbtCancelar");
    EXPECT_EQ(List().RecordCount(), 1);
}

// Regression: the wait for the server spins an event loop; a click or timer queued meanwhile ran
// a second action of the screen in the middle of the first.
TEST_F(ScreenTest, NothingQueuedDuringASlowCallRunsTheScreen) {
    AddCompensation(Compensation("0000000001"));
    OpenScreen();
    ChooseCompany("01");
    std::mutex mutex;
    std::condition_variable queued;
    bool released = false;
    server.On("GetCompensacao", [&](const QJsonArray&) {
        std::unique_lock lock(mutex);
        queued.wait(lock, [&] { return released; });
        return FakeServer::Result(ListJson());
    });
    QTimer::singleShot(0, [&] {
        QMetaObject::invokeMethod(Find<QWidget>("sbtIncluir"), "click", Qt::QueuedConnection);
        QMetaObject::invokeMethod(Find<QWidget>("sbtVerificar"), "click", Qt::QueuedConnection);
        const std::lock_guard lock(mutex);
        released = true;
        queued.notify_all();
    });
    server.ClearCalls();
    // A direct click: nothing queued may run before the call starts.
    Find<host::TButtonFlat>("sbtVerificar")->click();
    QApplication::processEvents();
    EXPECT_EQ(List().State(), host::DataSetState::Browse);
    EXPECT_EQ(server.CallsOf("GetCompensacao").size(), 1u);
    EXPECT_TRUE(dialogs.Shown().empty());
}

} // namespace
} // namespace register_testing
