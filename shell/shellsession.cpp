#include "shell/shellsession.h"

#include "host/sql/connection.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <stdexcept>

namespace {

// Runs a statement on the shared connection with its named parameters bound; the query stands
// on its first row, if any.
QSqlQuery Run(const QString& sql, const QVariantMap& params) {
    QSqlQuery query(QSqlDatabase::database(host::SharedConnectionName()));
    if (!query.prepare(sql))
        throw std::runtime_error(query.lastError().text().toStdString());
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        query.bindValue(QLatin1Char(':') + it.key(), it.value());
    if (!query.exec())
        throw std::runtime_error(query.lastError().text().toStdString());
    query.next();
    return query;
}

// Dates come as QDate from PostgreSQL and as ISO text from SQLite.
QDate ToDate(const QVariant& value) {
    if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
        return value.toDate();
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

} // namespace

ShellSession::ShellSession(const QString& operador, QString serverHost, int serverPort,
                           QString token)
    : m_serverHost(std::move(serverHost)), m_serverPort(serverPort), m_token(std::move(token)) {
    const QSqlQuery query =
        Run(QStringLiteral("SELECT CDOPERADOR, NMOPERADOR, CDFILIPROC FROM OPERADOR "
                           "WHERE CDOPERADOR = :CDOPERADOR"),
            {{QStringLiteral("CDOPERADOR"), operador}});
    if (!query.isValid())
        throw std::runtime_error("Operador não cadastrado: " + operador.toStdString());
    m_operador = query.value(0).toString();
    m_nomeOperador = query.value(1).toString();
    m_filiProc = query.value(2).toString();
}

QDate ShellSession::DataProc(const QString& branch) const {
    const QSqlQuery query =
        Run(QStringLiteral("SELECT DTPROCFILI FROM FILIAL WHERE CDFILIAL = :CDFILIAL"),
            {{QStringLiteral("CDFILIAL"), branch}});
    return query.isValid() ? ToDate(query.value(0)) : QDate();
}

bool ShellSession::AcessoOperEmpresa(const QString& operador, const QString& company) const {
    const QSqlQuery query =
        Run(QStringLiteral("SELECT 1 FROM OPERADOR_EMPRESA "
                           "WHERE CDOPERADOR = :CDOPERADOR "
                           "AND CDEMPRESA = :CDEMPRESA"),
            {{QStringLiteral("CDOPERADOR"), operador}, {QStringLiteral("CDEMPRESA"), company}});
    return query.isValid();
}
