#include "shell/shellconfig.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct ConfigCase {
    const char* name;
    const char* ini;
    QStringList arguments;
    const char* database;
    const char* host;
    int port;
};

class IniFile : public ::testing::Test {
protected:
    QString WriteIni(const char* text) {
        const QString path = dir.filePath(QStringLiteral("suite.ini"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }

    QTemporaryDir dir;
};

class ShellConfigTest : public IniFile, public ::testing::WithParamInterface<ConfigCase> {};

TEST_P(ShellConfigTest, CommandLineOverridesTheFile) {
    const QStringList arguments =
        QStringList{QStringLiteral("suite"), QStringLiteral("--config"), WriteIni(GetParam().ini)} +
        GetParam().arguments;
    const ShellConfig config = ShellConfig::FromArguments(arguments);
    EXPECT_EQ(config.databaseUrl, QString::fromUtf8(GetParam().database));
    EXPECT_EQ(config.serverHost, QString::fromUtf8(GetParam().host));
    EXPECT_EQ(config.serverPort, GetParam().port);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, ShellConfigTest,
    ::testing::Values(
        ConfigCase{"Defaults", "", {}, "sqlite:rec18000.db", "127.0.0.1", 18000},
        ConfigCase{"File",
                   "[database]\nurl=sqlite:/srv/a.db\n[server]\nhost=app1\nport=18100\n",
                   {},
                   "sqlite:/srv/a.db",
                   "app1",
                   18100},
        ConfigCase{"CommandLine",
                   "[database]\nurl=sqlite:/srv/a.db\n[server]\nhost=app1\nport=18100\n",
                   {QStringLiteral("--database"), QStringLiteral("sqlite:/tmp/b.db"),
                    QStringLiteral("--server-port"), QStringLiteral("18200")},
                   "sqlite:/tmp/b.db",
                   "app1",
                   18200}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShellConfigTest, PasswordFromTheEnvironmentUnlessGiven) {
    const QString ini = WriteIni("");
    qputenv("REC18000_PASSWORD", "segredo");
    const QStringList base{
        QStringLiteral("suite"),      QStringLiteral("--config"), ini,
        QStringLiteral("--operator"), QStringLiteral("MARIA"),    QStringLiteral("--module"),
        QStringLiteral("rec18000")};
    const ShellConfig fromEnvironment = ShellConfig::FromArguments(base);
    EXPECT_EQ(fromEnvironment.password, QStringLiteral("segredo"));
    EXPECT_EQ(fromEnvironment.module, QStringLiteral("REC18000"));
    const ShellConfig given = ShellConfig::FromArguments(
        base + QStringList{QStringLiteral("--password"), QStringLiteral("outra")});
    EXPECT_EQ(given.password, QStringLiteral("outra"));
    qunsetenv("REC18000_PASSWORD");
}

TEST_F(ShellConfigTest, RefusesWhatItCannotUse) {
    const QString badPort = WriteIni("[server]\nport=http\n");
    EXPECT_THROW(
        ShellConfig::FromArguments({QStringLiteral("suite"), QStringLiteral("--config"), badPort}),
        std::invalid_argument);
    EXPECT_THROW(ShellConfig::FromArguments({QStringLiteral("suite"), QStringLiteral("--config"),
                                             dir.filePath(QStringLiteral("missing.ini"))}),
                 std::invalid_argument);
    EXPECT_THROW(ShellConfig::FromArguments({QStringLiteral("suite"), QStringLiteral("--nope")}),
                 std::invalid_argument);
}

struct TimeoutCase {
    const char* name;
    const char* ini;
    const char* environment; // REC18000_CALL_TIMEOUT; empty: unset
    int seconds;             // 0: refused
};

class CallTimeoutTest : public IniFile, public ::testing::WithParamInterface<TimeoutCase> {};

TEST_P(CallTimeoutTest, FromTheFileOverriddenByTheEnvironment) {
    if (*GetParam().environment)
        qputenv("REC18000_CALL_TIMEOUT", GetParam().environment);
    const QStringList arguments{QStringLiteral("suite"), QStringLiteral("--config"),
                                WriteIni(GetParam().ini)};
    if (GetParam().seconds == 0)
        EXPECT_THROW(ShellConfig::FromArguments(arguments), std::invalid_argument);
    else
        EXPECT_EQ(ShellConfig::FromArguments(arguments).callTimeout, GetParam().seconds);
    qunsetenv("REC18000_CALL_TIMEOUT");
}

INSTANTIATE_TEST_SUITE_P(Sources, CallTimeoutTest,
                         ::testing::Values(TimeoutCase{"Default", "", "", 30},
                                           TimeoutCase{"File", "[server]\ntimeout=12\n", "", 12},
                                           TimeoutCase{"Environment", "[server]\ntimeout=12\n", "5",
                                                       5},
                                           TimeoutCase{"Zero", "[server]\ntimeout=0\n", "", 0},
                                           TimeoutCase{"NotANumber", "", "meio minuto", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
