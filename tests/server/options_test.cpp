// rec18000-server's configuration: the file, the command line over it, REC18000_DATABASE over
// both, and a bad file refused naming its line and why.
#include "server/options.h"

#include <QFile>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using rec18000::ParseServerOptions;
using testing::HasSubstr;

QString Write(const QTemporaryDir& dir, const char* text) {
    const QString path = dir.filePath(QStringLiteral("server.conf"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return path;
}

struct BadFile {
    const char* name;
    const char* text;
    const char* told; // after the file's path
};
const BadFile kBadFiles[] = {
    {"NoEquals", "listen 127.0.0.1:1\n", ":1: esperado chave = valor"},
    {"UnknownKey", "# port of the server\n\nport = 1\n", ":3: chave desconhecida \"port\""},
    {"Repeated", "threads = 4\n; again\nthreads = 5\n", ":3: chave repetida \"threads\""},
    {"BadPort", "listen = localhost:65536\n", ":1: endereço inválido"},
    {"NoHost", "listen = :18000\n", ":1: endereço inválido"},
    {"BadThreads", "threads = 0\n", ":1: número de threads inválido"},
    {"BadLevel", "log_level = debug\n", ":1: nível de log inválido"},
    {"BadDatabase", "database = mysql://host/db\n", ":1: URL do banco inválida"},
};

class BadFileTest : public testing::TestWithParam<BadFile> {};

TEST_P(BadFileTest, IsRefusedWithItsLineAndReason) {
    const QTemporaryDir dir;
    const QString path = Write(dir, GetParam().text);
    try {
        ParseServerOptions({QStringLiteral("--config"), path}, {}, {});
        ADD_FAILURE() << "accepted";
    } catch (const rec18000::OptionsError& error) {
        EXPECT_THAT(error.what(),
                    HasSubstr((path + QString::fromUtf8(GetParam().told)).toStdString()));
        EXPECT_FALSE(error.Usage());
    }
}

INSTANTIATE_TEST_SUITE_P(Server, BadFileTest, testing::ValuesIn(kBadFiles),
                         [](const auto& info) { return info.param.name; });

TEST(ServerOptions, TheCommandLineOverridesTheFileAndTheEnvironmentTheDatabase) {
    const QTemporaryDir dir;
    const QString file = Write(dir, "listen = 0.0.0.0:9000\n database = sqlite:/a.db\n"
                                    "threads = 4\nlog_level = warning\n");
    // The default file is read when no --config names one.
    auto options =
        ParseServerOptions({QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0")}, file, {});
    EXPECT_EQ(options.host, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(options.port, 0);
    EXPECT_EQ(options.threads, 4);
    EXPECT_EQ(options.logLevel, http::LogLevel::Warning);
    EXPECT_EQ(options.database, QStringLiteral("sqlite:/a.db"));
    options = ParseServerOptions({QStringLiteral("--database"), QStringLiteral("sqlite:/b.db")},
                                 file, QStringLiteral("sqlite:/c.db"));
    EXPECT_EQ(options.database, QStringLiteral("sqlite:/c.db"));
    options = ParseServerOptions({QStringLiteral("--database"), QStringLiteral("sqlite:/b.db")},
                                 dir.filePath(QStringLiteral("none.conf")), {});
    EXPECT_EQ(options.port, 18000);
    EXPECT_TRUE(options.configFile.isEmpty());
    EXPECT_THROW(ParseServerOptions({QStringLiteral("--threads")}, {}, {}), rec18000::OptionsError);
}

} // namespace
