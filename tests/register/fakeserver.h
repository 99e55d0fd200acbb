#pragma once

// A scripted application server for the screen tests: answers the remote object's methods from
// handlers a test sets, on an OS-chosen loopback port, and records every call.

#include <QByteArray>
#include <QJsonArray>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace register_testing {

struct RecordedCall {
    QString method;
    QJsonArray params;
};

class FakeServer {
public:
    // The JSON text of the "result", or of an "error" object when refused is set.
    struct Answer {
        QByteArray json;
        bool refused = false;
    };
    using Handler = std::function<Answer(const QJsonArray& params)>;

    FakeServer();
    ~FakeServer();
    FakeServer(const FakeServer&) = delete;
    FakeServer& operator=(const FakeServer&) = delete;

    int Port() const { return m_port; }
    void On(const QString& method, Handler handler);
    std::vector<RecordedCall> Calls() const;
    std::vector<RecordedCall> CallsOf(const QString& method) const;
    void ClearCalls();

    static Answer Result(QByteArray json) { return {std::move(json), false}; }
    static Answer Text(const QString& text);
    static Answer Refusal(const QString& message);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
    int m_port = 0;
    mutable std::mutex m_mutex;
    std::map<QString, Handler> m_handlers;
    std::vector<RecordedCall> m_calls;
};

} // namespace register_testing
