#pragma once

// Internal to host/net: blocking HTTP/1.1 exchanges with the application server. Meant to run on
// a worker thread; every failure is an ENetError.

#include <QByteArray>
#include <QString>

#include <chrono>
#include <memory>

namespace host::http {

struct Target {
    QString host;
    int port = 0;
    std::chrono::seconds connectTimeout{5};
    std::chrono::seconds readTimeout{30};
};

class Client {
public:
    explicit Client(const Target& target);
    ~Client();
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    struct Reply {
        int status = 0;
        QByteArray body;
    };
    // What a call sends besides its body; empty values are left out.
    struct Headers {
        QString token;          // "Authorization: Bearer"
        QString idempotencyKey; // "Idempotency-Key": a repeat gets the first answer
    };

    // GET path; throws unless the server answers 200.
    void Check(const QString& path);
    // POST of a JSON body; throws only when the exchange itself fails.
    Reply Post(const QString& path, const QByteArray& body, const Headers& headers);
    // Post, giving the body of a 200 answer. Another status throws, carrying the server's
    // JSON-RPC error text when it sent one.
    QByteArray PostJson(const QString& path, const QByteArray& body, const Headers& headers);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace host::http
