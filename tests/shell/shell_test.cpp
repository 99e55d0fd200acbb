#include "host/app/mainwindow.h"
#include "host/net/netconnection.h"
#include "host/net/serversession.h"
#include "shell/logindialog.h"
#include "shell/moduleloader.h"
#include "shell/shareddatabase.h"
#include "shell/shellsession.h"
#include "tests/support/booksserver.h"
#include "tests/support/scripteddialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "host/sql/connection.h"

#include <gtest/gtest.h>

namespace {

const QString kLoopback = QStringLiteral("127.0.0.1");

// One demo server and the suite's shared connection for every test here.
class ShellTest : public testserver::ServerFixture {
protected:
    static void SetUpTestSuite() {
        ServerFixture::SetUpTestSuite();
        OpenSharedDatabase(Server().DatabaseUrl());
    }
    static void TearDownTestSuite() {
        CloseSharedDatabase();
        ServerFixture::TearDownTestSuite();
    }

    static QString Login(const QString& operador, const QString& password) {
        return host::OpenServerSession(kLoopback, Server().Port(), operador, password);
    }
};

TEST_F(ShellTest, LoginIsRefusedWithAWrongPassword) {
    EXPECT_THROW(Login(QStringLiteral("ADMIN"), QStringLiteral("admin124")), host::ELoginRefused);
    EXPECT_THROW(Login(QStringLiteral("NINGUEM"), QStringLiteral("admin123")), host::ELoginRefused);
    EXPECT_FALSE(Login(QStringLiteral("ADMIN"), QStringLiteral("admin123")).isEmpty());
}

TEST_F(ShellTest, LoginDialogStaysOpenWithTheReasonUntilTheServerAccepts) {
    LoginDialog dialog([](const QString& op, const QString& pw) { return Login(op, pw); },
                       QStringLiteral("MARIA"));
    auto* password = dialog.findChild<QLineEdit*>(QStringLiteral("edtSenha"));
    password->setText(QStringLiteral("errada"));
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblErro"))->text(),
              QStringLiteral("Operador ou senha inválidos."));
    EXPECT_TRUE(password->text().isEmpty());
    password->setText(QStringLiteral("maria123"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.Token().isEmpty());
}

TEST_F(ShellTest, SessionComesFromTheOperatorAndItsBranch) {
    const ShellSession session(QStringLiteral("JOAO"), kLoopback, 1234, QStringLiteral("t"));
    EXPECT_EQ(session.NomeOperador().isEmpty(), false);
    EXPECT_EQ(session.FiliProc(), QStringLiteral("0003"));
    EXPECT_EQ(session.DataProc(session.FiliProc()), QDate::currentDate());
    EXPECT_FALSE(session.DataProc(QStringLiteral("9999")).isValid());
    EXPECT_EQ(session.WebURL(), kLoopback);
    EXPECT_EQ(session.WebPort(), 1234);
    EXPECT_EQ(session.Token(), QStringLiteral("t"));
    EXPECT_THROW(ShellSession(QStringLiteral("NINGUEM"), kLoopback, 1, {}), std::runtime_error);
}

struct AccessCase {
    const char* operador;
    const char* company;
    bool allowed;
};

class CompanyAccess : public ShellTest, public ::testing::WithParamInterface<AccessCase> {};

TEST_P(CompanyAccess, FollowsTheOperatorCompanyTable) {
    const ShellSession session(QStringLiteral("ADMIN"), kLoopback, 1, {});
    EXPECT_EQ(session.AcessoOperEmpresa(QString::fromLatin1(GetParam().operador),
                                        QString::fromLatin1(GetParam().company)),
              GetParam().allowed);
}

INSTANTIATE_TEST_SUITE_P(Demo, CompanyAccess,
                         ::testing::Values(AccessCase{"MARIA", "01", true},
                                           AccessCase{"MARIA", "03", false},
                                           AccessCase{"ADMIN", "03", true},
                                           AccessCase{"ADMIN", "99", false},
                                           AccessCase{"ADMIN", "", false}));

TEST_F(ShellTest, SharedConnectionIsReadOnly) {
    QSqlQuery update(QSqlDatabase::database(host::SharedConnectionName()));
    EXPECT_FALSE(update.exec(QStringLiteral("UPDATE EMPRESA SET NMEMPRESA = 'X'")));
    QSqlQuery nvl(QSqlDatabase::database(host::SharedConnectionName()));
    ASSERT_TRUE(nvl.exec(QStringLiteral("SELECT NVL(NULL, 'a')"))) << "look-ups need NVL";
}

TEST_F(ShellTest, SharedDatabaseThatDoesNotExistIsNotCreated) {
    EXPECT_THROW(OpenSharedDatabase(QStringLiteral("sqlite:/nonexistent/rec18000.db")),
                 std::runtime_error);
}

TEST_F(ShellTest, LoaderOpensTheModuleConnectedToTheServer) {
    ShellSession session(QStringLiteral("ADMIN"), kLoopback, Server().Port(),
                         Login(QStringLiteral("ADMIN"), QStringLiteral("admin123")));
    host::Session* previous = host::SetSession(&session);
    QMdiArea area;
    host::SetMdiArea(&area);
    {
        ModuleLoader modules(QStringLiteral(REC18000_LIBDIR));
        EXPECT_THROW(modules.Open(QStringLiteral("NAO0000")), std::runtime_error);
        modules.Open(QStringLiteral("REC18000"));
        ASSERT_EQ(area.subWindowList().size(), 1);
        auto* net = area.subWindowList().first()->findChild<host::TNetConnection*>(
            QStringLiteral("netCompContRec"));
        ASSERT_NE(net, nullptr);
        EXPECT_TRUE(net->Connected());
        EXPECT_EQ(net->Token(), session.Token());
        qDeleteAll(area.subWindowList());
    }
    host::SetMdiArea(nullptr);
    host::SetSession(previous);
}

} // namespace
