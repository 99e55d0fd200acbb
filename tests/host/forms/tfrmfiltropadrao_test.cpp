#include "host/forms/form_life.h"
#include "host/forms/tfrmfiltropadrao.h"
#include "host/widgets/button_flat.h"
#include "tests/support/fakesession.h"
#include "tests/support/scripteddialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace host {
namespace {

using testing::FakeSession;

class TfrmFiltroExemplo : public TfrmFiltroPadrao {
public:
    TfrmFiltroExemplo() { setObjectName("frmFiltroExemplo"); }
};

class FilterOptions : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        dialog.reset(CreateForm<TfrmFiltroExemplo>());
    }
    void Click(const char* name) {
        QTest::mouseClick(dialog->findChild<TButtonFlat*>(name), Qt::LeftButton);
    }

    QTemporaryDir dir;
    testing::ScriptedDialogs dialogs;
    FakeSession session;
    std::unique_ptr<TfrmFiltroExemplo> dialog;
};

TEST_F(FilterOptions, SavedOptionsComeBackForTheSameOperatorOnly) {
    dialog->SetOpcao("stOperLanc", "'OPER','ANA'");
    dialog->SetOpcao("stCliente", "");
    Click("btfSaveOpc");

    dialog->SetOpcoes({});
    session.operador = "OUTRO";
    Click("btfLoadOpc");
    EXPECT_TRUE(dialog->Opcoes().isEmpty());

    session.operador = "OPER";
    Click("btfLoadOpc");
    EXPECT_EQ(dialog->Opcoes(), (QStringList{"stOperLanc='OPER','ANA'", "stCliente="}));
    EXPECT_EQ(dialog->Opcao("stOperLanc"), "'OPER','ANA'");
}

TEST_F(FilterOptions, SetOpcaoReplacesTheValueOfAName) {
    dialog->SetOpcao("stTipo", "A=B");
    dialog->SetOpcao("stTipo", "C");
    EXPECT_EQ(dialog->Opcoes(), QStringList{"stTipo=C"});
    EXPECT_EQ(dialog->Opcao("stCCorr"), "");
}

TEST_F(FilterOptions, ClosingHidesAndKeepsTheDialog) {
    QPointer<TfrmFiltroPadrao> alive(dialog.get());
    dialog->show();
    dialog->SetOpcao("stTipo", "1");
    dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(alive.isNull());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->Opcao("stTipo"), "1");
}

TEST_F(FilterOptions, ConfirmAcceptsTheDialog) {
    Click("sbtConfirma");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(FilterOptions, TabReachesEveryButtonAndEnterConfirmsFromAField) {
    auto* field = new QLineEdit(dialog->FilterPanel());
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    field->setFocus();
    QSet<QString> reached;
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName();
    }
    for (const char* name : {"sbtConfirma", "sbtCancela", "btfSaveOpc", "btfLoadOpc"})
        EXPECT_TRUE(reached.contains(QString::fromLatin1(name))) << name;
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

} // namespace
} // namespace host
