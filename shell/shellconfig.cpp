#include "shell/shellconfig.h"

#include "data/version.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <stdexcept>

namespace {

const QString kDefaultDatabase = QStringLiteral("sqlite:rec18000.db");
const QString kDefaultHost = QStringLiteral("127.0.0.1");
constexpr int kDefaultPort = 18000;
constexpr int kDefaultCallTimeout = 30;
constexpr int kLongestCallTimeout = 3600;

QString DefaultConfigFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("rec18000/suite.ini"));
}

int ParsePort(const QString& text) {
    bool ok = false;
    const int port = text.toInt(&ok);
    if (!ok || port <= 0 || port > 65535)
        throw std::invalid_argument("porta do servidor inválida: " + text.toStdString());
    return port;
}

int ParseCallTimeout(const QString& text) {
    bool ok = false;
    const int seconds = text.trimmed().toInt(&ok);
    if (!ok || seconds <= 0 || seconds > kLongestCallTimeout)
        throw std::invalid_argument("tempo limite das chamadas inválido (segundos, de 1 a 3600): " +
                                    text.toStdString());
    return seconds;
}

// The suite's own options besides the login's; both the start and --help read them from here.
struct Options {
    QCommandLineParser parser;
    QCommandLineOption module{QStringLiteral("module"),
                              QStringLiteral("Módulo a abrir após o login, ex. REC18000."),
                              QStringLiteral("code")};
    QCommandLineOption version{QStringLiteral("version"),
                               QStringLiteral("Mostra a versão e a revisão.")};

    explicit Options(const QStringList& arguments) {
        parser.setApplicationDescription(QStringLiteral("Suite: módulos da retaguarda"));
        parser.addHelpOption();
        ShellConfig::AddOptions(parser);
        parser.addOptions({module, version});
        if (!parser.parse(arguments))
            throw std::invalid_argument(parser.errorText().toStdString());
    }
};

} // namespace

QString ShellConfig::HelpOrVersion(const QStringList& arguments) {
    const Options options(arguments);
    if (options.parser.isSet(QStringLiteral("help")))
        return options.parser.helpText();
    if (options.parser.isSet(options.version))
        return QStringLiteral("suite %1 (%2)\n")
            .arg(QLatin1String(host::Version()), QLatin1String(host::Revision()));
    return {};
}

void ShellConfig::AddOptions(QCommandLineParser& parser) {
    parser.addOptions(
        {{QStringLiteral("config"), QStringLiteral("Arquivo de configuração (ini)."),
          QStringLiteral("file"), DefaultConfigFile()},
         {QStringLiteral("database"), QStringLiteral("Banco: sqlite:PATH ou postgresql://..."),
          QStringLiteral("url")},
         {QStringLiteral("server-host"), QStringLiteral("Servidor de aplicação."),
          QStringLiteral("host")},
         {QStringLiteral("server-port"), QStringLiteral("Porta do servidor de aplicação."),
          QStringLiteral("port")},
         {QStringLiteral("operator"), QStringLiteral("Operador."), QStringLiteral("code")},
         {QStringLiteral("password"),
          QStringLiteral("Senha (ou a variável de ambiente REC18000_PASSWORD)."),
          QStringLiteral("password")}});
}

ShellConfig ShellConfig::FromParser(const QCommandLineParser& parser) {
    const QString config = QStringLiteral("config");
    const QString database = QStringLiteral("database");
    const QString host = QStringLiteral("server-host");
    const QString port = QStringLiteral("server-port");
    const QString password = QStringLiteral("password");
    ShellConfig result;
    result.configFile = parser.value(config);
    if (parser.isSet(config) && !QFileInfo::exists(result.configFile))
        throw std::invalid_argument("arquivo de configuração não encontrado: " +
                                    result.configFile.toStdString());
    const QSettings settings(result.configFile, QSettings::IniFormat);
    result.databaseUrl =
        parser.isSet(database)
            ? parser.value(database)
            : settings.value(QStringLiteral("database/url"), kDefaultDatabase).toString();
    result.serverHost =
        parser.isSet(host) ? parser.value(host)
                           : settings.value(QStringLiteral("server/host"), kDefaultHost).toString();
    result.serverPort =
        ParsePort(parser.isSet(port)
                      ? parser.value(port)
                      : settings.value(QStringLiteral("server/port"), kDefaultPort).toString());
    const QString timeout = qEnvironmentVariable("REC18000_CALL_TIMEOUT");
    result.callTimeout = ParseCallTimeout(
        !timeout.isEmpty()
            ? timeout
            : settings.value(QStringLiteral("server/timeout"), kDefaultCallTimeout).toString());
    result.operador = parser.value(QStringLiteral("operator"));
    result.password =
        parser.isSet(password) ? parser.value(password) : qEnvironmentVariable("REC18000_PASSWORD");
    return result;
}

ShellConfig ShellConfig::FromArguments(const QStringList& arguments) {
    const Options options(arguments);
    if (options.parser.isSet(QStringLiteral("help")))
        throw std::invalid_argument(options.parser.helpText().toStdString());
    ShellConfig result = FromParser(options.parser);
    result.module = options.parser.value(options.module).toUpper();
    return result;
}
