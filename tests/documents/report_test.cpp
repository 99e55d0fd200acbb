// rec18000-report against a real server over the demo books: each kind of notice read back from
// its PDF against the items the screen lists, and what it tells when it cannot write one.
#include "data/codec.h"
#include "data/moneytext.h"
#include "host/net/netconnection.h"
#include "host/net/serversession.h"
#include "tests/support/booksserver.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QString err;
};

Outcome Report(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(REPORT_BIN), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

QStringList Login(const testserver::BooksServer& server, const char* operador,
                  const char* password) {
    return {"--server-host", "127.0.0.1", "--server-port", QString::number(server.Port()),
            "--operator",    operador,    "--password",    password};
}

// The PDF's text with every run of blanks and line breaks as one space.
QString PdfText(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput())
        .replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
}

QString Cell(const host::RecordSetTable& table, size_t row, const char* name) {
    for (qsizetype i = 0; i < table.fields.size(); ++i)
        if (table.fields[i].name == QLatin1String(name))
            return table.rows.at(row).at(size_t(i)).toString();
    ADD_FAILURE() << "no field " << name;
    return {};
}

struct Kind {
    const char* name;
    const char* number;
    const char* kind;     // GetContaItensComp's
    const char* document; // an item's field there
    const char* value;
};

class NoticeTest : public testing::TestWithParam<Kind> {
protected:
    const std::unique_ptr<testserver::BooksServer> owned = testserver::BooksServer::Start();
    const testserver::BooksServer& server = *owned;
    QTemporaryDir dir;
};

TEST_P(NoticeTest, NamesTheCustomerTheBillEachItemAndTheTotal) {
    const Kind& k = GetParam();
    const QString pdf = dir.filePath(QStringLiteral("termo.pdf"));
    const Outcome run =
        Report(Login(server, "ADMIN", "admin123") +
               QStringList{"notice", QStringLiteral("01:") + k.number, "--pdf", pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString text = PdfText(pdf);

    host::TNetConnection items;
    items.SetServerName(QStringLiteral("REC18000.rdmCompContRec"));
    items.SetHost(QStringLiteral("127.0.0.1"));
    items.SetPort(server.Port());
    items.SetToken(host::OpenServerSession(QStringLiteral("127.0.0.1"), server.Port(),
                                           QStringLiteral("ADMIN"), QStringLiteral("admin123")));
    items.SetConnected(true);
    const QList<host::NetAnswer> parts =
        items.Call(QStringLiteral("GetContaItensComp"), {"01", k.number, k.kind}).Elements();
    ASSERT_EQ(parts.size(), 2);
    const host::RecordSetTable bill = host::codec::Decode(parts[0].Json());
    const host::RecordSetTable listed = host::codec::Decode(parts[1].Json());
    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    QStringList expected{Cell(bill, 0, "NMRAZSOCCLIE"), Cell(bill, 0, "DOCUMENTO"),
                         "368 a 380 do Código Civil"};
    double total = 0;
    for (size_t r = 0; r < listed.rows.size(); ++r) {
        expected << Cell(listed, r, k.document)
                 << host::MoneyText(Cell(listed, r, k.value).toDouble(), brazil);
        total += Cell(listed, r, k.value).toDouble();
    }
    expected << QStringLiteral("Total compensado ") + host::MoneyText(total, brazil);
    for (const QString& wanted : expected)
        EXPECT_TRUE(text.contains(wanted))
            << wanted.toStdString() << " not in " << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, NoticeTest,
    testing::Values(Kind{"Payables", "0000000001", "0", "DOCUMENTO", "VRITEMCOMPREC"},
                    Kind{"Credits", "0000000006", "1", "NRMOVICRED", "VRMOVICRED"}),
    [](const auto& info) { return std::string(info.param.name); });

struct Refusal {
    const char* name;
    const char* operador;
    const char* password;
    QStringList command;
    bool reachable;
    int exitCode;
    const char* said;
};

class RefusalTest : public testing::TestWithParam<Refusal> {
protected:
    const std::unique_ptr<testserver::BooksServer> owned = testserver::BooksServer::Start();
    const testserver::BooksServer& server = *owned;
};

TEST_P(RefusalTest, ExitsWithTheReason) {
    const Refusal& r = GetParam();
    QStringList arguments = Login(server, r.operador, r.password);
    if (!r.reachable)
        arguments[3] = QStringLiteral("1");
    const Outcome run = Report(arguments + r.command);
    EXPECT_EQ(run.exitCode, r.exitCode);
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(r.said))) << run.err.toStdString();
}

const QStringList kNotice3 = {"notice", "03:1", "--pdf", "/nonexistent/x.pdf"};

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusalTest,
    testing::Values(Refusal{"UnknownCompensation",
                            "ADMIN",
                            "admin123",
                            {"notice", "01:999", "--pdf", "/tmp/x.pdf"},
                            true,
                            1,
                            "não encontrada"},
                    Refusal{"NoAccess", "MARIA", "maria123", kNotice3, true, 1, "empresa"},
                    Refusal{"WrongPassword", "ADMIN", "x", kNotice3, true, 1, "Login recusado"},
                    Refusal{"Unreachable", "ADMIN", "admin123", kNotice3, false, 1, "inacessível"},
                    Refusal{"UnwritableFile",
                            "ADMIN",
                            "admin123",
                            {"notice", "01:1", "--pdf", "/nonexistent/x.pdf"},
                            true,
                            1,
                            "Não foi possível"},
                    Refusal{"ListWithoutOutput",
                            "ADMIN",
                            "admin123",
                            {"list", "01", "--from", "2026-01-01", "--to", "2026-01-31"},
                            true,
                            2,
                            "--csv"},
                    Refusal{"BadDate",
                            "ADMIN",
                            "admin123",
                            {"list", "01", "--from", "2026-13-01", "--to", "2026-12-31", "--csv",
                             "/tmp/x"},
                            true,
                            2,
                            "2026-13-01"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
