#include "data/recordset.h"
#include "host/forms/form_life.h"
#include "host/forms/tfrmpadrao.h"
#include "host/widgets/button_flat.h"
#include "host/widgets/data_source.h"
#include "host/widgets/db_grid.h"
#include "tests/host/widgets/candidates.h"
#include "tests/support/scripteddialogs.h"

#include <QAction>
#include <QLayout>
#include <QPointer>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace host {
namespace {

using testing::ScriptedDialogs;
using Kind = testing::ShownDialog::Kind;

// A screen as the module writes one: its overrides run the base step first and note what they
// found when their own step began.
class TfrmExemplo : public TfrmPadrao {
public:
    explicit TfrmExemplo(QStringList* log) : m_log(log) {
        testing::FillCandidates(cdsExemplo, {"N", "N"});
        dtsPadrao->SetDataSet(&cdsExemplo);
    }

    RecordSet cdsExemplo;

protected:
    void FormCreate() override {
        TfrmPadrao::FormCreate();
        *m_log << "FormCreate on " + ActivePage()->objectName();
        SetActivePage(tshFormulario);
    }
    void FormDestroy() override {
        TfrmPadrao::FormDestroy();
        *m_log << "FormDestroy";
    }
    void pgcPadraoChange() override {
        TfrmPadrao::pgcPadraoChange();
        *m_log << "pgcPadraoChange to " + ActivePage()->objectName();
    }
    void sbtIncluirClick() override {
        TfrmPadrao::sbtIncluirClick();
        *m_log << QStringLiteral("sbtIncluirClick in insert: %1")
                      .arg(cdsExemplo.State() == DataSetState::Insert);
    }
    void sbtProcurarClick() override {
        TfrmPadrao::sbtProcurarClick();
        *m_log << QStringLiteral("sbtProcurarClick on row %1").arg(cdsExemplo.RecNo());
    }

private:
    QStringList* m_log;
};

class BaseScreen : public ::testing::Test {
protected:
    void SetUp() override { form.reset(CreateForm<TfrmExemplo>(&log)); }
    template <class T> T* Find(const char* name) { return form->findChild<T*>(name); }

    ScriptedDialogs dialogs;
    QStringList log;
    std::unique_ptr<TfrmExemplo> form;
};

class BaseScreenObjects : public BaseScreen, public ::testing::WithParamInterface<const char*> {};

TEST_P(BaseScreenObjects, EachToolbarButtonHasItsMenuEntry) {
    const QString stem = QString::fromLatin1(GetParam());
    EXPECT_NE(Find<TButtonFlat>(qPrintable("sbt" + stem)), nullptr);
    EXPECT_NE(Find<QAction>(qPrintable("mnu" + stem)), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Toolbar, BaseScreenObjects,
                         ::testing::Values("Incluir", "Alterar", "Excluir", "Procurar", "Verificar",
                                           "Confirmar", "Cancelar", "Imprimir"));

TEST_F(BaseScreen, HasPagesGridNavigatorTitleAndDataSource) {
    auto* pages = Find<QTabWidget>("pgcPadrao");
    ASSERT_NE(pages, nullptr);
    auto* list = Find<QWidget>("tshFolhaDados");
    auto* record = Find<QWidget>("tshFormulario");
    ASSERT_NE(list, nullptr);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(pages->indexOf(list), 0);
    EXPECT_EQ(pages->indexOf(record), 1);
    auto* grid = Find<TDBGrid>("dbgPadrao");
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(list->isAncestorOf(grid));
    EXPECT_NE(Find<QWidget>("dbnPadrao"), nullptr);
    EXPECT_NE(Find<QWidget>("dbtNome"), nullptr);
    auto* source = Find<TDataSource>("dtsPadrao");
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(grid->DataSource(), source);
    EXPECT_EQ(grid->model()->rowCount(), 2);
}

TEST_F(BaseScreen, ScreensOwnButtonJoinsTheToolbarAfterTheBaseButtons) {
    auto* filtro = new TButtonFlat;
    filtro->setObjectName("sbtFiltro");
    form->AddToolButton(filtro);
    auto* toolbar = Find<QWidget>("panBotoes");
    ASSERT_EQ(Find<TButtonFlat>("sbtFiltro"), filtro);
    EXPECT_EQ(filtro->parentWidget(), toolbar);
    EXPECT_EQ(toolbar->layout()->indexOf(filtro),
              toolbar->layout()->indexOf(Find<QWidget>("sbtImprimir")) + 1);
}

TEST_F(BaseScreen, FormCreateRunsTheOverrideAfterTheBaseStep) {
    EXPECT_EQ(log, QStringList{"FormCreate on tshFolhaDados"});
    EXPECT_EQ(form->ActivePage()->objectName(), "tshFormulario");
}

TEST_F(BaseScreen, FormDestroyRunsTheOverrideBeforeTheScreenGoes) {
    form.reset();
    EXPECT_EQ(log.last(), "FormDestroy");
}

TEST_F(BaseScreen, IncluirAppendsBeforeTheScreensStepFromButtonAndMenu) {
    QTest::mouseClick(Find<TButtonFlat>("sbtIncluir"), Qt::LeftButton);
    EXPECT_EQ(log.last(), "sbtIncluirClick in insert: 1");
    EXPECT_EQ(form->cdsExemplo.RecordCount(), 3);
    form->cdsExemplo.Cancel();
    Find<QAction>("mnuIncluir")->trigger();
    EXPECT_EQ(log.last(), "sbtIncluirClick in insert: 1");
}

TEST_F(BaseScreen, ProcurarFindsOverTheRecordSetFirst) {
    dialogs.FindRow(1);
    Find<QAction>("mnuProcurar")->trigger();
    EXPECT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Shown().front().kind, Kind::Find);
    EXPECT_EQ(log.last(), "sbtProcurarClick on row 1");
}

TEST_F(BaseScreen, PageChangeRunsForTheOperatorNotForTheScreensOwnMove) {
    log.clear();
    auto* list = form->findChild<QWidget*>("tshFolhaDados");
    form->SetActivePage(list);
    form->SetPageEnabled(list, false);
    EXPECT_TRUE(log.isEmpty());
    form->SetPageEnabled(list, true);
    Find<QTabWidget>("pgcPadrao")->setCurrentIndex(0);
    EXPECT_EQ(log, QStringList{"pgcPadraoChange to tshFolhaDados"});
}

TEST_F(BaseScreen, DetachedButtonReactionDetachesItsMenuEntryToo) {
    auto* button = Find<TButtonFlat>("sbtIncluir");
    const Reaction::Detached quiet(button->OnClick);
    Find<QAction>("mnuIncluir")->trigger();
    EXPECT_EQ(form->cdsExemplo.RecordCount(), 2);
}

struct Question {
    const char* button;
    bool yes;
    int rowsAfter;
};

class BaseQuestions : public BaseScreen, public ::testing::WithParamInterface<Question> {};

// Cancelling asks "Canc" while inserting; deleting asks "Excl" while browsing.
TEST_P(BaseQuestions, AskTheBaseMessageAndActOnlyOnYes) {
    const bool cancelling = QString::fromLatin1(GetParam().button) == "sbtCancelar";
    if (cancelling)
        form->cdsExemplo.Append();
    GetParam().yes ? dialogs.AnswerYes() : dialogs.AnswerNo();
    QTest::mouseClick(Find<TButtonFlat>(GetParam().button), Qt::LeftButton);
    ASSERT_EQ(dialogs.Texts(Kind::Message).size(), 1);
    EXPECT_EQ(dialogs.Texts(Kind::Message).front(),
              form->msgPadraoBase().Msg(cancelling ? "Canc" : "Excl"));
    EXPECT_EQ(form->cdsExemplo.RecordCount(), GetParam().rowsAfter);
}

INSTANTIATE_TEST_SUITE_P(CancelAndDelete, BaseQuestions,
                         ::testing::Values(Question{"sbtCancelar", true, 2},
                                           Question{"sbtCancelar", false, 3},
                                           Question{"sbtExcluir", true, 1},
                                           Question{"sbtExcluir", false, 2}));

} // namespace
} // namespace host
