#pragma once

#include "server/http/server.h"

#include <QString>
#include <QStringList>

#include <stdexcept>

namespace rec18000 {

// What rec18000-server runs with: a configuration file (key = value lines), the command line over
// it, and REC18000_DATABASE over both for the database.
struct ServerOptions {
    QString database;
    QString host = QStringLiteral("127.0.0.1");
    int port = 18000; // 0: a free port, told on the "listening on" line
    int threads = 16;
    http::LogLevel logLevel = http::LogLevel::Info;
    QString configFile; // the file that was read; empty when none
    bool help = false;
    bool version = false;
};

// A refused start; what() is the administrator's text, a file's fault with its file and line.
class OptionsError : public std::runtime_error {
public:
    OptionsError(const QString& text, bool usage)
        : std::runtime_error(text.toStdString()), m_usage(usage) {}
    bool Usage() const { return m_usage; } // the command line is at fault: show the usage

private:
    bool m_usage;
};

// args without the program name. defaultConfig is read when no --config is given and it exists;
// environmentDatabase is REC18000_DATABASE's value. Throws OptionsError.
ServerOptions ParseServerOptions(const QStringList& args, const QString& defaultConfig,
                                 const QString& environmentDatabase);

} // namespace rec18000
