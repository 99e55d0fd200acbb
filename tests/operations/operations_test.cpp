// The server and the database tool run as an administrator runs them, as processes: a backup
// taken while clients confirm compensations holds sound books; SIGTERM with calls under way
// stops the server at once, and every compensation it wrote was answered; /metrics counted
// them; a database of another schema version is refused.
#include "db/check.h"
#include "db/demo.h"
#include "db/migrate.h"
#include "store/connection.h"
#include "store/sql.h"
#include "tests/server/confirmation.h"

#include <QDate>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <simdjson.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using testing::HasSubstr;

constexpr int kClients = 4;
constexpr int kEach = 60; // bills each client may confirm

// The server on a free loopback port, which it tells on stderr.
struct ServerProcess {
    QProcess process;
    int port = 0;

    explicit ServerProcess(const QString& url) {
        process.setReadChannel(QProcess::StandardError);
        process.start(QStringLiteral(REC18000_SERVER),
                      {"--config", "/dev/null", "--database", url, "--listen", "127.0.0.1:0",
                       "--log-level", "error"});
        QByteArray told;
        while (port == 0 && process.waitForReadyRead(10000)) {
            told += process.readAllStandardError();
            const auto match = QRegularExpression(QStringLiteral("listening on [^:]+:(\\d+)"))
                                   .match(QString::fromUtf8(told));
            port = match.hasMatch() ? match.captured(1).toInt() : 0;
        }
    }
    ~ServerProcess() {
        process.kill();
        process.waitForFinished();
    }
};

QSqlDatabase DemoBooks(const QString& url) {
    const QSqlDatabase db = store::ThreadConnection(store::DbUrl::Parse(url));
    db::Migrate(db);
    db::LoadDemo(db, QDate::currentDate());
    return db;
}

qint64 Compensations(const QSqlDatabase& db) {
    QSqlQuery query = store::Run(db, QStringLiteral("SELECT COUNT(*) FROM COMPCONTREC"));
    return store::NextRow(query) ? query.value(0).toLongLong() : -1;
}

TEST(Operations, BackupUnderLoadIsSoundAndTermAnswersEveryCallUnderWay) {
    const QTemporaryDir dir;
    const QString url = QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("books.db"));
    const QString copy = dir.filePath(QStringLiteral("copy.db"));
    const QSqlDatabase db = DemoBooks(url);
    std::vector<std::vector<std::string>> params(kClients);
    for (int i = 0; i < kClients * kEach; ++i) {
        const auto items = testserver::AddOpenItems(db, 9500000000 + i * 10, 10000, {10000}, {});
        params[size_t(i % kClients)].push_back(testserver::GenerationParams(
            testserver::Confirm(db, items.bill, true, items.payables)));
    }
    const qint64 before = Compensations(db);
    ServerProcess server(url);
    ASSERT_GT(server.port, 0);

    std::atomic<int> answered{0};
    std::vector<std::thread> clients;
    for (const auto& mine : params)
        clients.emplace_back([&] {
            httplib::Client client("127.0.0.1", server.port);
            const auto login = client.Post(
                "/session", R"({"operator":"ADMIN","password":"admin123"})", "application/json");
            std::string_view token;
            simdjson::dom::parser parser;
            ASSERT_TRUE(login && parser.parse(login->body)["token"].get(token) == 0);
            const httplib::Headers headers{{"Authorization", "Bearer " + std::string(token)}};
            for (const std::string& call : mine) {
                const auto status = testserver::StatusOf(client.Post(
                    "/REC18000.rdmCompContRec", headers,
                    R"({"jsonrpc":"2.0","id":1,"method":"SetGeraCompensacao","params":)" + call +
                        "}",
                    "application/json"));
                if (!status.answered)
                    return; // the server stopped before reading the call
                EXPECT_EQ(status.status, "OK") << status.text;
                ++answered;
            }
        });
    const auto reach = [&answered](int count) {
        for (int i = 0; i < 3000 && answered < count; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    };

    reach(kClients * kEach / 4);
    const int atBackup = answered;
    QProcess backup;
    backup.start(QStringLiteral(REC18000_DB), {"--database", url, "backup", copy});
    ASSERT_TRUE(backup.waitForFinished(30000));
    EXPECT_EQ(backup.exitCode(), 0) << backup.readAllStandardError().toStdString();

    reach(kClients * kEach / 2);
    const int atScrape = answered;
    const auto metrics = httplib::Client("127.0.0.1", server.port).Get("/metrics");
    ASSERT_TRUE(metrics);
    const auto counted =
        QRegularExpression(QStringLiteral(R"(calls_total\{method="SetGeraCompensacao"\} (\d+))"))
            .match(QString::fromStdString(metrics->body));
    EXPECT_GE(counted.captured(1).toInt(), atScrape);
    EXPECT_THAT(metrics->body,
                HasSubstr("rec18000_rpc_failures_total{method=\"SetGeraCompensacao\"} 0"));

    const auto term = std::chrono::steady_clock::now();
    server.process.terminate();
    ASSERT_TRUE(server.process.waitForFinished(5000));
    EXPECT_LT(std::chrono::steady_clock::now() - term, std::chrono::seconds(3));
    EXPECT_EQ(server.process.exitCode(), 0) << server.process.readAllStandardError().toStdString();
    for (auto& client : clients)
        client.join();
    EXPECT_LT(answered, kClients * kEach) << "the load ended before the server was stopped";
    EXPECT_EQ(Compensations(db), before + answered);
    EXPECT_THAT(db::CheckBooks(db), testing::IsEmpty());

    const QSqlDatabase copied = store::ThreadConnection(store::DbUrl::Parse("sqlite:" + copy));
    EXPECT_THAT(db::CheckBooks(copied), testing::IsEmpty());
    EXPECT_GE(Compensations(copied), before + atBackup);
    EXPECT_LE(Compensations(copied), before + answered);
}

// An empty database, and one a migration behind, as an upgraded server finds them.
class SchemaTest : public testing::TestWithParam<bool> {};

TEST_P(SchemaTest, TheServerRefusesAndTellsToRunInit) {
    const QTemporaryDir dir;
    const QString url = QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("old.db"));
    if (GetParam())
        store::Run(DemoBooks(url), QStringLiteral("DELETE FROM SCHEMA_VERSAO WHERE NRVERSAO = "
                                                  "(SELECT MAX(NRVERSAO) FROM SCHEMA_VERSAO)"));
    QProcess server;
    server.start(QStringLiteral(REC18000_SERVER), {"--config", "/dev/null", "--database", url});
    ASSERT_TRUE(server.waitForFinished(10000));
    EXPECT_EQ(server.exitCode(), 2);
    EXPECT_THAT(server.readAllStandardError().toStdString(),
                HasSubstr(("rec18000-db --database " + url + " init").toStdString()));
}

INSTANTIATE_TEST_SUITE_P(Server, SchemaTest, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "OneBehind" : "Empty"; });

} // namespace
