#include "host/app/mainwindow.h"
#include "host/net/netconnection.h"
#include "host/net/serversession.h"
#include "host/services/abort.h"
#include "host/services/qtdialogs.h"
#include "host/services/session.h"
#include "shell/logindialog.h"
#include "shell/moduleloader.h"
#include "shell/qttranslations.h"
#include "shell/shareddatabase.h"
#include "shell/shellconfig.h"
#include "shell/shellsession.h"
#include "shell/shutdown.h"
#include "shell/suitewindow.h"
#include "shell/termsignals.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace {

// A host service installed for the length of a scope, however it is left.
template <class Service, Service* (*Install)(Service*)> class Installed {
public:
    explicit Installed(Service* service) : m_previous(Install(service)) {}
    ~Installed() { Install(m_previous); }
    Installed(const Installed&) = delete;
    Installed& operator=(const Installed&) = delete;

private:
    Service* m_previous;
};

// Logs in with the scripted operator and password, or asks for them. Empty when the user gave
// up; throws when a scripted login is refused.
std::optional<std::pair<QString, QString>> LogIn(const ShellConfig& config) {
    const auto authenticate = [&config](const QString& operador, const QString& password) {
        return host::OpenServerSession(config.serverHost, config.serverPort, operador, password);
    };
    if (!config.operador.isEmpty() && !config.password.isEmpty())
        return std::pair{config.operador, authenticate(config.operador, config.password)};
    LoginDialog dialog(authenticate, config.operador);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return std::pair{dialog.Operador(), dialog.Token()};
}

int Run(const ShellConfig& config) {
    host::QtDialogs dialogs;
    const Installed<host::Dialogs, host::SetDialogs> dialogsInstalled(&dialogs);
    host::SetCallTimeout(std::chrono::seconds(config.callTimeout));
    OpenSharedDatabase(config.databaseUrl);
    const auto login = LogIn(config);
    if (!login)
        return 0;
    ShellSession session(login->first, config.serverHost, config.serverPort, login->second);
    const Installed<host::Session, host::SetSession> sessionInstalled(&session);

    ModuleLoader modules(
        QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("../lib")));
    SuiteWindow window(
        [&modules](const QString& code) { host::guarded([&] { modules.Open(code); }); });
    host::SetMdiArea(window.MdiArea());
    // Without a window manager (a virtual display) maximizing is not honoured: fill the screen.
    window.setGeometry(window.screen()->availableGeometry());
    window.showMaximized();
    if (!config.module.isEmpty())
        QTimer::singleShot(0, &window,
                           [&] { host::guarded([&] { modules.Open(config.module); }); });

    const int status = QApplication::exec();
    CloseModules(window);
    modules.UnloadAll();
    host::SetMdiArea(nullptr);
    CloseSharedDatabase();
    return status;
}

// --help and --version are answered before the GUI application exists: they need no display.
std::optional<int> AnswerWithoutDisplay(int& argc, char** argv) {
    bool asked = false;
    for (int i = 1; i < argc; ++i)
        asked = asked || !std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h") ||
                !std::strcmp(argv[i], "--version");
    if (!asked)
        return std::nullopt;
    const QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("suite"));
    const QtTranslations qtTexts; // the parser's own words ("Uso:") in Portuguese
    try {
        std::fputs(qPrintable(ShellConfig::HelpOrVersion(QCoreApplication::arguments())), stdout);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "suite: %s\n", error.what());
        return 2;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> status = AnswerWithoutDisplay(argc, argv))
        return *status;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("suite"));
    QApplication::setWindowIcon(SuiteIcon());
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    const QtTranslations qtTexts;
    if (!qtTexts.Loaded())
        std::fprintf(stderr,
                     "suite: traduções do Qt (pt_BR) não encontradas; textos do Qt em inglês\n");
    try {
        // A stop asked from outside leaves every event loop, then takes the menu's way out.
        const TermSignals stop([] { QCoreApplication::exit(0); });
        return Run(ShellConfig::FromArguments(QApplication::arguments()));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "suite: %s\n", error.what());
        return 1;
    }
}
