#pragma once

#include <QString>
#include <QStringList>

class QCommandLineParser;

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

    // For another program that logs in as the suite does: the suite's options on its parser
    // (all but --module and --version), and the configuration once the parser has parsed;
    // throws as above.
    static void AddOptions(QCommandLineParser& parser);
    static ShellConfig FromParser(const QCommandLineParser& parser);
};
