#include "shell/shellconfig.h"

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

} // namespace

ShellConfig ShellConfig::FromArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Suite: módulos da retaguarda"));
    parser.addHelpOption();
    const QCommandLineOption config(QStringLiteral("config"),
                                    QStringLiteral("Arquivo de configuração (ini)."),
                                    QStringLiteral("file"), DefaultConfigFile());
    const QCommandLineOption database(QStringLiteral("database"),
                                      QStringLiteral("Banco: sqlite:PATH ou postgresql://..."),
                                      QStringLiteral("url"));
    const QCommandLineOption host(QStringLiteral("server-host"),
                                  QStringLiteral("Servidor de aplicação."), QStringLiteral("host"));
    const QCommandLineOption port(QStringLiteral("server-port"),
                                  QStringLiteral("Porta do servidor de aplicação."),
                                  QStringLiteral("port"));
    const QCommandLineOption operador(QStringLiteral("operator"), QStringLiteral("Operador."),
                                      QStringLiteral("code"));
    const QCommandLineOption password(
        QStringLiteral("password"),
        QStringLiteral("Senha (ou a variável de ambiente REC18000_PASSWORD)."),
        QStringLiteral("password"));
    const QCommandLineOption module(QStringLiteral("module"),
                                    QStringLiteral("Módulo a abrir após o login, ex. REC18000."),
                                    QStringLiteral("code"));
    parser.addOptions({config, database, host, port, operador, password, module});
    if (!parser.parse(arguments))
        throw std::invalid_argument(parser.errorText().toStdString());
    if (parser.isSet(QStringLiteral("help")))
        throw std::invalid_argument(parser.helpText().toStdString());

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
    result.operador = parser.value(operador);
    result.password =
        parser.isSet(password) ? parser.value(password) : qEnvironmentVariable("REC18000_PASSWORD");
    result.module = parser.value(module).toUpper();
    return result;
}
