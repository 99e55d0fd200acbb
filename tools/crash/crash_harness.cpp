// rec18000-crash-harness: rec18000-server processes on one database, SIGKILLed at random and
// restarted, while clients race for a few bills, payables and credits, confirming and deleting
// compensations with an Idempotency-Key on every write. Afterwards the books must hold exactly
// what the servers acknowledged. See README.md beside this file.
#include "data/rpccodes.h"
#include "db/check.h"
#include "store/connection.h"
#include "store/sql.h"
#include "tests/server/confirmation.h"
#include "tests/support/cells.h"
#include "tests/support/testdatabase.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <fcntl.h>
#include <httplib.h>
#include <simdjson.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kSkipped = 77; // ctest's SKIP_RETURN_CODE
constexpr auto kUsage =
    "usage: rec18000-crash-harness [--backend sqlite|postgresql] [--servers N] [--kills K]\n"
    "                              [--clients C] [--pause-ms MAX] [--threads T] [--seed S]\n"
    "  PostgreSQL: a new database on the cluster REC18000_TEST_PG_URL names\n";
constexpr auto kPath = "/REC18000.rdmCompContRec";
constexpr qint64 kFirstNumber = 7700000000;
constexpr int kBills = 4;
constexpr int kItems = 6; // payables, and as many credits
constexpr double kDeleteChance = 0.35;
constexpr double kRepeatChance = 0.12;
constexpr auto kAnswerWithin = 60s;

struct Options {
    bool postgres = false;
    int servers = 0; // 0: 1 on SQLite, 3 on PostgreSQL
    int kills = 15;
    int clients = 6;
    int pauseMs = 400; // longest pause between two kills
    int threads = 4;   // each server's database workers
    unsigned seed = std::random_device{}();
};

std::optional<Options> Parse(const QStringList& args) {
    Options o;
    for (qsizetype i = 0; i + 1 < args.size(); i += 2) {
        const QString& name = args[i];
        const QString& value = args[i + 1];
        bool ok = true;
        if (name == QLatin1String("--backend")) {
            o.postgres = value == QLatin1String("postgresql");
            ok = o.postgres || value == QLatin1String("sqlite");
        } else if (name == QLatin1String("--servers")) {
            o.servers = value.toInt(&ok);
            ok = ok && o.servers >= 1 && o.servers <= 16;
        } else if (name == QLatin1String("--kills")) {
            o.kills = value.toInt(&ok);
            ok = ok && o.kills >= 0;
        } else if (name == QLatin1String("--clients")) {
            o.clients = value.toInt(&ok);
            ok = ok && o.clients >= 1 && o.clients <= 64;
        } else if (name == QLatin1String("--pause-ms")) {
            o.pauseMs = value.toInt(&ok);
            ok = ok && o.pauseMs >= 1;
        } else if (name == QLatin1String("--threads")) {
            o.threads = value.toInt(&ok);
            ok = ok && o.threads >= 1 && o.threads <= 64;
        } else if (name == QLatin1String("--seed")) {
            o.seed = value.toUInt(&ok);
        } else {
            ok = false;
        }
        if (!ok)
            return std::nullopt;
    }
    if (args.size() % 2 != 0)
        return std::nullopt;
    if (o.servers == 0)
        o.servers = o.postgres ? 3 : 1;
    return o;
}

// At most n bytes, not cutting a UTF-8 character.
std::string Cut(const std::string& text, size_t n) {
    if (text.size() <= n)
        return text;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    return text.substr(0, n);
}

QString UrlText(const store::DbUrl& url) {
    if (url.dialect == store::Dialect::Sqlite)
        return QStringLiteral("sqlite:") + url.path;
    const QString user = url.password.isEmpty() ? url.user : url.user + ':' + url.password;
    return QStringLiteral("postgresql://%1@%2:%3/%4")
        .arg(user, url.host, QString::number(url.port), url.database);
}

std::string ReadFrom(const std::string& path, std::streamoff offset) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(offset);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::streamoff SizeOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    return in ? std::streamoff(in.tellg()) : 0;
}

// Starts a program with stdout and stderr appended to log. Called from the main thread only:
// the death signal follows the thread that forked, and the main thread outlives every server.
pid_t Spawn(const std::vector<std::string>& args, const std::string& log) {
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    // Other threads run in the harness: only async-signal-safe calls until exec.
    const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd < 0)
        _exit(127);
    dup2(fd, 1);
    dup2(fd, 2);
    prctl(PR_SET_PDEATHSIG, SIGKILL); // a harness that dies takes its servers along
    if (getppid() != parent)
        _exit(127);
    execv(argv[0], argv.data());
    _exit(127);
}

bool RunTool(const std::vector<std::string>& args, const std::string& log) {
    int status = 0;
    const pid_t pid = Spawn(args, log);
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// The server processes; each keeps the port it was first given across restarts.
class Fleet {
public:
    Fleet(const QString& url, const QString& folder, const Options& o) {
        for (int i = 0; i < o.servers; ++i)
            m_slots.push_back(
                {-1, 0, folder.toStdString() + "/server-" + std::to_string(i + 1) + ".log"});
        m_url = url.toStdString();
        m_threads = std::to_string(o.threads);
    }
    ~Fleet() { Stop(); }
    Fleet(const Fleet&) = delete;
    Fleet& operator=(const Fleet&) = delete;

    size_t Size() const { return m_slots.size(); }
    int Port(size_t i) const { return m_slots[i].port; }
    const std::string& Log(size_t i) const { return m_slots[i].log; }

    // Starts server i and waits until it listens; the log's tail in *why when it does not.
    bool Start(size_t i, std::string* why) {
        Slot& slot = m_slots[i];
        const std::streamoff from = SizeOf(slot.log);
        slot.pid = Spawn({REC18000_SERVER_BIN, "--database", m_url, "--listen",
                          "127.0.0.1:" + std::to_string(slot.port), "--threads", m_threads},
                         slot.log);
        const auto deadline = Clock::now() + 30s;
        std::string text;
        while (Clock::now() < deadline) {
            text = ReadFrom(slot.log, from);
            const size_t at = text.find("listening on ");
            const size_t end = text.find(',', at);
            if (at != std::string::npos && end != std::string::npos) {
                const std::string address = text.substr(at, end - at);
                slot.port = std::stoi(address.substr(address.rfind(':') + 1));
                return true;
            }
            int status = 0;
            if (waitpid(slot.pid, &status, WNOHANG) == slot.pid) {
                slot.pid = -1;
                break;
            }
            std::this_thread::sleep_for(5ms);
        }
        *why = "server " + std::to_string(i + 1) + " did not start: " + text.substr(0, 600);
        return false;
    }

    void Kill(size_t i) {
        Slot& slot = m_slots[i];
        kill(slot.pid, SIGKILL);
        waitpid(slot.pid, nullptr, 0);
        slot.pid = -1;
        std::ofstream(slot.log, std::ios::app) << "crash-harness: SIGKILL\n";
    }

    // SIGTERM, as an operator stops them; a server still running after 10 s is killed.
    void Stop() {
        for (Slot& slot : m_slots)
            if (slot.pid > 0)
                kill(slot.pid, SIGTERM);
        const auto deadline = Clock::now() + 10s;
        for (Slot& slot : m_slots) {
            while (slot.pid > 0 && waitpid(slot.pid, nullptr, WNOHANG) == 0) {
                if (Clock::now() > deadline) {
                    std::fprintf(stderr, "crash harness: %s ignored SIGTERM\n", slot.log.c_str());
                    Kill(size_t(&slot - m_slots.data()));
                    break;
                }
                std::this_thread::sleep_for(10ms);
            }
            slot.pid = -1;
        }
    }

private:
    struct Slot {
        pid_t pid;
        int port; // 0 until the first start tells it
        std::string log;
    };
    std::vector<Slot> m_slots;
    std::string m_url;
    std::string m_threads;
};

// What a compensation holds: its bill and items ("P number" payable, "C number" credit).
struct Compensation {
    QString bill;
    std::set<QString> items;
    bool operator==(const Compensation&) const = default;
};
using Books = std::map<QString, Compensation>; // by number

// Company 01's compensations as the database holds them.
Books ReadCompensations(const QSqlDatabase& db) {
    QSqlQuery query = store::Run(
        db,
        QStringLiteral("SELECT C.NRLANCCOMPREC, C.NRLANBOLREC, I.NRLANBOLPAG, I.NRMOVICRED "
                       "FROM COMPCONTREC C LEFT JOIN ITCOMPCONTREC I ON I.CDEMPRESA = "
                       "C.CDEMPRESA AND I.NRLANCCOMPREC = C.NRLANCCOMPREC WHERE "
                       "C.CDEMPRESA = :EMPRESA"),
        {{"EMPRESA", QStringLiteral("01")}});
    Books books;
    while (query.next()) {
        Compensation& c = books[query.value(0).toString()];
        c.bill = query.value(1).toString();
        if (!query.value(2).isNull())
            c.items.insert("P " + query.value(2).toString());
        if (!query.value(3).isNull())
            c.items.insert("C " + query.value(3).toString());
    }
    store::CheckFetched(query);
    return books;
}

// The contested pool: bills of customer 4, payables on branch 0001 and credits on IT1.
struct Pool {
    std::vector<QString> bills;
    QString firstPayable, lastPayable, firstCredit, lastCredit;
};

Pool AddPool(const QSqlDatabase& db) {
    std::vector<store::Cents> payables;
    std::vector<store::Cents> credits;
    for (int i = 0; i < kItems; ++i) {
        payables.push_back(10000 + 37 * i);
        credits.push_back(15000 + 53 * i);
    }
    // Bills far above what the items can take at once, so a bill never runs out.
    constexpr store::Cents kBill = 100000000;
    const testserver::OpenItems items =
        testserver::AddOpenItems(db, kFirstNumber, kBill, payables, credits);
    Pool pool{{items.bill},
              items.payables.front(),
              items.payables.back(),
              items.credits.front(),
              items.credits.back()};
    for (int b = 1; b < kBills; ++b)
        pool.bills.push_back(
            testserver::AddOpenItems(db, kFirstNumber + b * 100, kBill, {}, {}).bill);
    return pool;
}

struct Figures {
    std::atomic<long> requests{0}, logins{0}, generated{0}, deleted{0}, refused{0}, dbErrors{0},
        lost{0}, unreachable{0}, repeats{0}, replays{0}, kills{0};
};

// What the clients were told, shared by all of them.
class Ledger {
public:
    void Fail(const std::string& what) {
        const std::lock_guard lock(m_mutex);
        if (m_failures.size() < 50)
            m_failures.push_back(what);
        m_failed = true;
    }
    bool Failed() const { return m_failed; }

    void Generated(const QString& numero, const Compensation& c) {
        const std::lock_guard lock(m_mutex);
        if (!m_acked.emplace(numero, c).second)
            return FailLocked("number " + numero.toStdString() + " acknowledged twice");
        m_live.push_back(numero);
    }
    void Deleted(const QString& numero) {
        const std::lock_guard lock(m_mutex);
        if (!m_deleted.insert(numero).second)
            return FailLocked("deletion of " + numero.toStdString() + " acknowledged twice");
        std::erase(m_live, numero);
    }
    std::optional<QString> AnyLive(std::mt19937& random) {
        const std::lock_guard lock(m_mutex);
        if (m_live.empty())
            return std::nullopt;
        return m_live[std::uniform_int_distribution<size_t>(0, m_live.size() - 1)(random)];
    }
    void Tally(bool dbError, const std::string& text) {
        const std::lock_guard lock(m_mutex);
        ++(dbError ? m_dbErrors : m_refusals)[Cut(text, 110)];
    }

    // The books as acknowledged: what was there before, plus every acknowledged generation
    // that no acknowledged deletion removed.
    void Check(const Books& before, const Books& found) {
        Books expected = before;
        for (const auto& [numero, c] : m_acked)
            if (!m_deleted.contains(numero))
                expected[numero] = c;
        for (const auto& [numero, c] : expected) {
            const auto f = found.find(numero);
            if (f == found.end())
                Fail("acknowledged compensation " + numero.toStdString() + " is missing");
            else if (f->second != c)
                Fail("compensation " + numero.toStdString() + " is not what was acknowledged");
        }
        std::map<QString, int> uses;
        for (const auto& [numero, c] : found) {
            if (!expected.contains(numero))
                Fail("compensation " + numero.toStdString() +
                     (m_deleted.contains(numero) ? " is there after its acknowledged deletion"
                                                 : " was never acknowledged"));
            if (!before.contains(numero))
                for (const QString& item : c.items)
                    if (++uses[item] == 2)
                        Fail(item.toStdString() + " is in more than one live compensation");
        }
    }

    void Print(const Figures& f) const {
        std::printf("  acknowledged: %ld compensations, %ld deletions (%zu live at the end)\n",
                    f.generated.load(), f.deleted.load(), m_live.size());
        std::printf("  refusals: %ld\n", f.refused.load());
        PrintTally(m_refusals, 4);
        std::printf("  database errors answered (-32000, sent again with the same key): %ld\n",
                    f.dbErrors.load());
        PrintTally(m_dbErrors, 10);
        for (const std::string& failure : m_failures)
            std::printf("FAILED: %s\n", failure.c_str());
    }

private:
    void FailLocked(const std::string& what) {
        m_failures.push_back(what);
        m_failed = true;
    }
    static void PrintTally(const std::map<std::string, long>& tally, size_t most) {
        std::vector<std::pair<long, std::string>> byCount;
        for (const auto& [text, count] : tally)
            byCount.emplace_back(count, text);
        std::sort(byCount.rbegin(), byCount.rend());
        for (size_t i = 0; i < byCount.size() && i < most; ++i)
            std::printf("    %6ld × %s\n", byCount[i].first, byCount[i].second.c_str());
    }

    std::mutex m_mutex;
    std::atomic<bool> m_failed{false};
    std::vector<std::string> m_failures;
    std::map<QString, Compensation> m_acked;
    std::set<QString> m_deleted;
    std::vector<QString> m_live; // acknowledged, not yet deleted
    std::map<std::string, long> m_refusals, m_dbErrors;
};

// A write as sent; sent again, same key and body, until it is answered.
struct Write {
    std::string method;
    std::string params;
    std::string key;
};

// A JSON-RPC answer: the result's strings (one, or an array of them), or the error.
struct Reply {
    int code = 0;
    std::vector<std::string> values;
    std::string text;
    bool operator==(const Reply&) const = default;
};

std::optional<Reply> ParseReply(const std::string& body) {
    simdjson::dom::parser parser;
    simdjson::dom::element root;
    if (parser.parse(body).get(root) != simdjson::SUCCESS)
        return std::nullopt;
    Reply reply;
    simdjson::dom::element result;
    std::string_view text;
    if (root["result"].get(result) == simdjson::SUCCESS) {
        if (result.get(text) == simdjson::SUCCESS) {
            reply.values.emplace_back(text);
            return reply;
        }
        simdjson::dom::array array;
        if (result.get(array) != simdjson::SUCCESS)
            return std::nullopt;
        for (simdjson::dom::element value : array) {
            if (value.get(text) != simdjson::SUCCESS)
                return std::nullopt;
            reply.values.emplace_back(text);
        }
        return reply;
    }
    int64_t code = 0;
    if (root["error"]["code"].get(code) != simdjson::SUCCESS ||
        root["error"]["message"].get(text) != simdjson::SUCCESS)
        return std::nullopt;
    reply.code = int(code);
    reply.text = std::string(text);
    return reply;
}

std::string Describe(const Reply& reply) {
    std::string text = reply.code ? "error " + std::to_string(reply.code) + " " + reply.text : "";
    for (const std::string& value : reply.values)
        text += (text.empty() ? "" : " ") + value;
    return text;
}

// A database failure told in words: nothing of that attempt was written, but an earlier one
// with the same key may have been, so the key is sent again.
bool DatabaseError(const Reply& reply) {
    return reply.code == rpc::kRefused && (reply.text.starts_with("O banco de dados") ||
                                           reply.text.starts_with("A conexão com o banco"));
}

struct Shared {
    const Options& options;
    const Pool& pool;
    const store::DbUrl& url;
    std::vector<int> ports;
    Ledger& ledger;
    Figures& figures;
    std::atomic<bool>& stop;
    std::atomic<int>& loggedIn;
};

// An operator at the screen: confirms and deletes until told to stop, then replays the keys it
// kept.
class Client {
public:
    Client(int id, Shared& shared)
        : m_id(id), m_shared(shared), m_random(shared.options.seed + unsigned(id)) {
        static const char* const operators[] = {"ADMIN", "MARIA", "JOAO"};
        m_operador = operators[id % 3];
        m_filial = m_operador == "JOAO" ? "0003" : "0001"; // the operator's processing branch
        for (const int port : shared.ports) {
            auto client = std::make_unique<httplib::Client>("127.0.0.1", port);
            client->set_keep_alive(true);
            client->set_tcp_nodelay(true);
            client->set_connection_timeout(2);
            client->set_read_timeout(30);
            m_http.push_back(std::move(client));
        }
    }

    void Run() {
        const bool in = LogIn();
        ++m_shared.loggedIn;
        if (!in)
            return;
        try {
            const QSqlDatabase db = store::ThreadConnection(m_shared.url);
            while (!m_shared.stop && !m_shared.ledger.Failed()) {
                if (Chance(kDeleteChance))
                    Delete();
                else
                    Generate(db);
            }
        } catch (const std::exception& error) {
            m_shared.ledger.Fail(std::string("client: ") + error.what());
        }
        for (const auto& [write, first] : m_answered) {
            const std::optional<Sent> again = Send(write, std::nullopt);
            ++m_shared.figures.replays;
            if (again && again->reply != first)
                m_shared.ledger.Fail("replay of " + write.key + " answered " +
                                     Describe(again->reply) + ", first " + Describe(first));
        }
    }

private:
    struct Sent {
        Reply reply;
        size_t server;
    };

    bool Chance(double p) { return std::bernoulli_distribution(p)(m_random); }
    size_t Uniform(size_t last) { return std::uniform_int_distribution<size_t>(0, last)(m_random); }
    std::string NextKey() {
        return "crash-" + std::to_string(m_id) + "-" + std::to_string(++m_sequence);
    }

    bool LogIn() {
        std::string password = m_operador;
        for (char& c : password)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        const std::string body =
            R"({"operator":")" + m_operador + R"(","password":")" + password + R"(123"})";
        const auto deadline = Clock::now() + kAnswerWithin;
        while (Clock::now() < deadline) {
            ++m_shared.figures.logins;
            const auto result =
                m_http[Uniform(m_http.size() - 1)]->Post("/session", body, "application/json");
            simdjson::dom::parser parser;
            std::string_view token;
            if (result && result->status == 200 &&
                parser.parse(result->body)["token"].get(token) == simdjson::SUCCESS) {
                m_token = "Bearer " + std::string(token);
                return true;
            }
            std::this_thread::sleep_for(20ms);
        }
        m_shared.ledger.Fail(m_operador + " could not log in");
        return false;
    }

    // Sends until answered, on any server but avoid: a lost answer (no answer, 5xx) or a
    // database error is sent again with the same key.
    std::optional<Sent> Send(const Write& write, std::optional<size_t> avoid) {
        const std::string body = R"({"jsonrpc":"2.0","id":1,"method":")" + write.method +
                                 R"(","params":)" + write.params + "}";
        const httplib::Headers headers{{"Authorization", m_token}, {"Idempotency-Key", write.key}};
        Figures& figures = m_shared.figures;
        const auto deadline = Clock::now() + kAnswerWithin;
        while (Clock::now() < deadline) {
            size_t server = Uniform(m_http.size() - 1);
            if (avoid && m_http.size() > 1)
                server = (*avoid + 1 + Uniform(m_http.size() - 2)) % m_http.size();
            ++figures.requests;
            const auto result = m_http[server]->Post(kPath, headers, body, "application/json");
            if (!result || result->status >= 500) {
                ++(!result && result.error() == httplib::Error::Connection ? figures.unreachable
                                                                           : figures.lost);
                std::this_thread::sleep_for(20ms);
                continue;
            }
            const std::optional<Reply> reply =
                result->status == 200 ? ParseReply(result->body) : std::nullopt;
            if (!reply) {
                m_shared.ledger.Fail(write.method + " " + write.key + ": HTTP " +
                                     std::to_string(result->status) + " " + result->body);
                return std::nullopt;
            }
            if (DatabaseError(*reply)) {
                ++figures.dbErrors;
                m_shared.ledger.Tally(true, write.method + ": " + reply->text);
                std::this_thread::sleep_for(5ms);
                continue;
            }
            return Sent{*reply, server};
        }
        m_shared.ledger.Fail(write.method + " " + write.key + ": no answer within 60 s");
        return std::nullopt;
    }

    // Keeps every acknowledgement, and a tenth of the refusals, for the replay; now and then
    // sends the same key at once to another server, which must answer the same.
    void Answered(const Write& write, const Sent& sent) {
        if ((!sent.reply.values.empty() && sent.reply.values.front() == "OK") || Chance(0.1))
            m_answered.emplace_back(write, sent.reply);
        if (!Chance(kRepeatChance))
            return;
        const std::optional<Sent> again = Send(write, sent.server);
        ++m_shared.figures.repeats;
        if (again && again->reply != sent.reply)
            m_shared.ledger.Fail("repeat of " + write.key + " answered " + Describe(again->reply) +
                                 ", first " + Describe(sent.reply));
    }

    // Items of the pool that look free now; others are looking at the same ones.
    std::vector<QString> FreeItems(const QSqlDatabase& db, bool payables) {
        const Pool& pool = m_shared.pool;
        QSqlQuery query =
            payables
                ? store::Run(db,
                             QStringLiteral("SELECT NRLANBOLPAG FROM BOLETOPAG WHERE CDFILIBPAG = "
                                            "'0001' AND NRLANBOLPAG BETWEEN :FIRST AND :LAST AND "
                                            "VRSALDOBPAG > 0"),
                             {{"FIRST", pool.firstPayable}, {"LAST", pool.lastPayable}})
                : store::Run(db,
                             QStringLiteral("SELECT M.NRMOVICRED FROM MOVCREDBANC M WHERE "
                                            "M.CDEMPRESA = '01' AND M.CDREDUCONT = 'IT1' AND "
                                            "M.NRMOVICRED BETWEEN :FIRST AND :LAST AND NOT EXISTS "
                                            "(SELECT 1 FROM ITCOMPCONTREC I WHERE I.CDEMPRESA = "
                                            "M.CDEMPRESA AND I.CDREDUCONT = M.CDREDUCONT AND "
                                            "I.NRMOVICRED = M.NRMOVICRED)"),
                             {{"FIRST", pool.firstCredit}, {"LAST", pool.lastCredit}});
        std::vector<QString> items;
        while (query.next())
            items.push_back(query.value(0).toString());
        store::CheckFetched(query);
        return items;
    }

    void Generate(const QSqlDatabase& db) {
        const bool payables = Chance(0.5);
        std::vector<QString> items = FreeItems(db, payables);
        if (items.empty())
            return Delete();
        std::shuffle(items.begin(), items.end(), m_random);
        items.resize(std::min(items.size(), 1 + Uniform(1)));
        const QString& bill = m_shared.pool.bills[Uniform(m_shared.pool.bills.size() - 1)];
        testserver::Confirmation c = testserver::Confirm(db, bill, payables, items);
        // A bill takes one adjustment of each type: two qualifying types, two at a time.
        testserver::Cell(c.nova, 0, "CDAJUCTREC") =
            Chance(0.5) ? QStringLiteral("0001") : QStringLiteral("0002");
        const Write write{"SetGeraCompensacao", testserver::GenerationParams(c, "01", m_filial),
                          NextKey()};
        const std::optional<Sent> sent = Send(write, std::nullopt);
        if (!sent)
            return;
        const Reply& reply = sent->reply;
        if (reply.code == 0 && reply.values.size() == 2 && reply.values[0] == "OK") {
            Compensation c{bill, {}};
            for (const QString& item : items)
                c.items.insert((payables ? "P " : "C ") + item);
            ++m_shared.figures.generated;
            m_shared.ledger.Generated(QString::fromStdString(reply.values[1]), c);
        } else if (reply.code == 0 && reply.values.size() == 2 && reply.values[0] == "ERRO") {
            ++m_shared.figures.refused;
            m_shared.ledger.Tally(false, reply.values[1]);
        } else {
            m_shared.ledger.Fail("SetGeraCompensacao " + write.key + ": " + Describe(reply));
        }
        Answered(write, *sent);
    }

    void Delete() {
        const std::optional<QString> numero = m_shared.ledger.AnyLive(m_random);
        if (!numero)
            return;
        // Only company and number are read from the screen's row.
        host::RecordSetTable comp;
        for (const char* name : {"CDEMPRESA", "NRLANCCOMPREC"}) {
            host::FieldDef field;
            field.name = QString::fromLatin1(name);
            field.size = 10;
            comp.fields.append(field);
        }
        comp.rows = {{QStringLiteral("01"), *numero}};
        const Write write{"SetExcluiCompensacao",
                          "[" + host::codec::Encode(comp).toStdString() + "]", NextKey()};
        const std::optional<Sent> sent = Send(write, std::nullopt);
        if (!sent)
            return;
        const Reply& reply = sent->reply;
        if (reply.code == 0 && reply.values == std::vector<std::string>{"OK"}) {
            ++m_shared.figures.deleted;
            m_shared.ledger.Deleted(*numero);
        } else if (reply.code == 0 && reply.values.size() == 1) {
            ++m_shared.figures.refused;
            m_shared.ledger.Tally(false, reply.values[0]);
        } else {
            m_shared.ledger.Fail("SetExcluiCompensacao " + write.key + ": " + Describe(reply));
        }
        Answered(write, *sent);
    }

    int m_id;
    Shared& m_shared;
    std::mt19937 m_random;
    std::string m_operador;
    std::string m_filial;
    std::string m_token;
    long m_sequence = 0;
    std::vector<std::unique_ptr<httplib::Client>> m_http; // one per server
    std::vector<std::pair<Write, Reply>> m_answered;
};

// Failed calls and retried writes in the servers' logs, grouped by what they say, and lines
// that are neither.
void PrintLogs(const Fleet& fleet) {
    std::map<std::string, long> said;
    std::map<std::string, long> other;
    for (size_t i = 0; i < fleet.Size(); ++i) {
        std::ifstream in(fleet.Log(i));
        for (std::string line; std::getline(in, line);) {
            const size_t outcome = line.find(" outcome=error");
            if (line.starts_with("rpc note operator="))
                ++said["note" + Cut(line.substr(std::min(line.find(' ', 18), line.size())), 240)];
            else if (outcome != std::string::npos)
                ++said[line.substr(4, line.find(' ', 4) - 4) + Cut(line.substr(outcome), 240)];
            else if (!line.empty() && !line.starts_with("rpc ") &&
                     !line.starts_with("crash-harness:") &&
                     line.find("listening on") == std::string::npos)
                ++other[Cut(line, 240)];
        }
    }
    std::printf(said.empty() ? "  server logs: no failed call, no retried write\n"
                             : "  server logs: failed calls and retried writes:\n");
    for (const auto& [text, count] : said)
        std::printf("    %6ld × %s\n", count, text.c_str());
    for (const auto& [text, count] : other)
        std::printf("    %6ld × other: %s\n", count, text.c_str());
}

int Run(const Options& o) {
    const auto began = Clock::now();
    std::unique_ptr<testdb::TestDatabase> database =
        o.postgres ? testdb::TestDatabase::Postgres() : testdb::TestDatabase::Sqlite();
    if (!database) {
        std::printf("crash harness: REC18000_TEST_PG_URL is not set, skipped\n");
        return kSkipped;
    }
    QTemporaryDir folder;
    const QString url = UrlText(database->Url());
    const std::string toolLog = folder.filePath(QStringLiteral("db.log")).toStdString();
    for (const char* command : {"init", "demo"})
        if (!RunTool({REC18000_DB_BIN, "--database", url.toStdString(), command}, toolLog)) {
            std::printf("crash harness: rec18000-db %s failed:\n%s", command,
                        ReadFrom(toolLog, 0).c_str());
            return 1;
        }
    const QSqlDatabase db = database->Db();
    const Pool pool = AddPool(db);
    const Books before = ReadCompensations(db);
    std::printf("crash harness: %s, %d server(s), %d clients, %d kills, seed %u\n",
                o.postgres ? "PostgreSQL" : "SQLite", o.servers, o.clients, o.kills, o.seed);

    Ledger ledger;
    Figures figures;
    Fleet fleet(url, folder.path(), o);
    std::string why;
    for (size_t i = 0; i < fleet.Size(); ++i)
        if (!fleet.Start(i, &why)) {
            std::printf("crash harness: %s\n", why.c_str());
            return 1;
        }
    std::atomic<bool> stop{false};
    std::atomic<int> loggedIn{0};
    Shared shared{o, pool, database->Url(), {}, ledger, figures, stop, loggedIn};
    for (size_t i = 0; i < fleet.Size(); ++i)
        shared.ports.push_back(fleet.Port(i));
    std::vector<std::thread> clients;
    for (int c = 0; c < o.clients; ++c)
        clients.emplace_back([&shared, c] { Client(c, shared).Run(); });
    while (loggedIn < o.clients)
        std::this_thread::sleep_for(10ms);

    // The killer: a random server at a random moment, restarted on its port after a moment.
    const auto chaos = Clock::now();
    std::mt19937 random(o.seed);
    const auto pause = [&](int maxMs) {
        std::this_thread::sleep_for(
            std::chrono::milliseconds(std::uniform_int_distribution<int>(0, maxMs)(random)));
    };
    while (figures.kills < o.kills && !ledger.Failed()) {
        pause(o.pauseMs);
        const size_t victim = std::uniform_int_distribution<size_t>(0, fleet.Size() - 1)(random);
        fleet.Kill(victim);
        ++figures.kills;
        pause(std::max(1, o.pauseMs / 10));
        if (!fleet.Start(victim, &why)) {
            ledger.Fail(why);
            break;
        }
    }
    pause(o.pauseMs);
    const double chaosSeconds = std::chrono::duration<double>(Clock::now() - chaos).count();
    stop = true;
    for (std::thread& client : clients)
        client.join();
    fleet.Stop();

    ledger.Check(before, ReadCompensations(db));
    for (const QString& fault : db::CheckBooks(db))
        ledger.Fail("books: " + fault.toStdString());

    std::printf("  kills: %ld in %.1f s; requests: %ld writes sent, %ld logins\n",
                figures.kills.load(), chaosSeconds, figures.requests.load(), figures.logins.load());
    ledger.Print(figures);
    std::printf("  lost answers sent again: %ld (and %ld sends to a server that was down)\n",
                figures.lost.load(), figures.unreachable.load());
    std::printf("  same key on another server at once: %ld; replays after the run: %ld\n",
                figures.repeats.load(), figures.replays.load());
    PrintLogs(fleet);
    std::printf("  wall: %.1f s\n", std::chrono::duration<double>(Clock::now() - began).count());
    if (ledger.Failed()) {
        folder.setAutoRemove(false);
        std::printf("crash harness: FAILED; server logs kept in %s\n", qPrintable(folder.path()));
        return 1;
    }
    std::printf("crash harness: the books hold what was acknowledged, and are sound\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::optional<Options> options = Parse(app.arguments().mid(1));
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        return Run(*options);
    } catch (const std::exception& error) {
        std::printf("crash harness: %s\n", error.what());
        return 1;
    }
}
