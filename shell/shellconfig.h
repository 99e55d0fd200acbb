#pragma once

#include <QString>
#include <QStringList>

// Where the suite finds its database and application server, and how a scripted start logs
// in. Read from an ini file, overridden by the command line.
struct ShellConfig {
    QString configFile;
    QString databaseUrl;
    QString serverHost;
    int serverPort = 0;
    int callTimeout = 0; // seconds a server call may wait for its answer
    QString operador;
    QString password;
    QString module; // code of a module to open right after login

    // Parses the suite's arguments (the first one is the program). The password may come from
    // the environment (REC18000_PASSWORD) so that it stays out of process listings; the call
    // timeout from server/timeout, overridden by REC18000_CALL_TIMEOUT. Throws
    // std::invalid_argument with a text for the user on bad arguments or settings.
    static ShellConfig FromArguments(const QStringList& arguments);
    // The help or version text when the arguments ask for one (--help, -h, --version), else
    // empty. Needs a QCoreApplication, no display.
    static QString HelpOrVersion(const QStringList& arguments);
};
