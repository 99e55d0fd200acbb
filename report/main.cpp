// rec18000-report: the compensation notice and the compensation list, written to files from the
// application server's answers without a display, logged in as the suite logs in.

#include "data/codec.h"
#include "data/formtext.h"
#include "data/recordset.h"
#include "documents/compensationlist.h"
#include "documents/csv.h"
#include "documents/notice.h"
#include "documents/table.h"
#include "documents/tablepdf.h"
#include "host/net/netconnection.h"
#include "host/net/neterror.h"
#include "host/net/serversession.h"
#include "host/services/formdata.h"
#include "host/widgets/gridcolumns.h"
#include "shell/shellconfig.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QSaveFile>

#include <cstdio>
#include <stdexcept>

namespace {

const QString kServerName = QStringLiteral("REC18000.rdmCompContRec");
const QString kForm = QStringLiteral(":/report/rec18000/rec18000.form");
const QString kGrids = QStringLiteral(":/report/rec18000/rec18000.grids");
const QString kListGrid = QStringLiteral("dbgPadrao");
const QString kListFields = QStringLiteral("cdsCompensacao");
// A grid column of no width of its own is as wide as its field's characters on screen.
constexpr int kPixelsPerCharacter = 7;
constexpr int kUsage = 2;

const host::MessageList& Texts() {
    static const host::MessageList texts =
        host::MessageList::Load(QStringLiteral(":/report/report/report.msg"));
    return texts;
}
QString Msg(const char* key) {
    return Texts().Msg(QLatin1String(key));
}

// What stops the report, told on stderr; usage faults exit 2, all others 1.
struct Stop : std::runtime_error {
    Stop(const QString& text, int code = 1) : std::runtime_error(text.toStdString()), code(code) {}
    int code;
};

QDate DateOption(const QCommandLineParser& parser, const QString& name) {
    const QDate date = QDate::fromString(parser.value(name), Qt::ISODate);
    if (!date.isValid())
        throw Stop(Msg("DATA").arg(parser.value(name)), kUsage);
    return date;
}

void Save(const QString& path, const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !write(file) || !file.commit())
        throw Stop(Msg("GRAVAR").arg(path));
}

void SavePdf(const QString& path, const QString& title,
             const std::function<bool(QPdfWriter&)>& render) {
    Save(path, [&](QIODevice& file) {
        QPdfWriter writer(&file);
        writer.setTitle(title);
        writer.setCreator(QCoreApplication::applicationName());
        return render(writer);
    });
}

host::NetAnswer Call(host::TNetConnection& server, const QString& method,
                     const QVariantList& params) {
    const host::NetAnswer answer =
        server.Call(method, params, host::TNetConnection::Animation::None);
    if (answer.Refused())
        throw Stop(answer.ErrorMessage());
    return answer;
}

void Notice(host::TNetConnection& server, const QString& key, const QString& pdf) {
    const qsizetype colon = key.indexOf(QLatin1Char(':'));
    if (colon <= 0 || colon == key.size() - 1)
        throw Stop(Msg("CHAVE"), kUsage);
    const host::NetAnswer answer =
        Call(server, QStringLiteral("GetTermoCompensacao"), {key.left(colon), key.mid(colon + 1)});
    std::vector<host::RecordSetTable> tables;
    for (const host::NetAnswer& part : answer.Elements())
        tables.push_back(host::codec::Decode(part.Json()));
    const documents::Notice notice = documents::NoticeOf(tables);
    SavePdf(pdf, notice.number, [&](QPdfWriter& writer) {
        documents::RenderNotice(writer, notice, QDate::currentDate());
        return true;
    });
    std::printf("%s\n", qUtf8Printable(Msg("TERMO").arg(pdf)));
}

// The list with the screen's fields, columns, captions and texts.
void List(host::TNetConnection& server, const documents::ListFilter& filter, const QString& csv,
          const QString& pdf) {
    const host::NetAnswer answer =
        Call(server, QStringLiteral("GetCompensacao"),
             {filter.company, filter.compFrom.startOfDay(), filter.compTo.startOfDay(), QVariant(),
              QVariant(), QString(), QString()});
    host::RecordSet rows;
    rows.SetFieldDefs(host::FormData::Load(kForm).RecordSetFields(kListFields));
    documents::ShowCompensationTexts(rows, QLocale());
    host::codec::DecodeInto(answer.Json(), rows);
    QList<documents::ColumnOf> columns;
    for (const host::GridColumn& column : host::LoadGridColumns(kGrids, kListGrid)) {
        const host::Field& field = rows.FieldByName(column.fieldName);
        columns.append(
            {column.fieldName, column.title.isEmpty() ? field.DisplayLabel() : column.title,
             column.width > 0 ? column.width : field.DisplayWidth() * kPixelsPerCharacter});
    }
    documents::Table table = documents::TableOf(rows, columns);
    table.title = documents::ListTitle();
    table.filter = documents::FilterText(filter);
    if (!csv.isEmpty())
        Save(csv, [&](QIODevice& file) { return documents::WriteCsv(file, table); });
    else
        SavePdf(pdf, table.title,
                [&](QPdfWriter& writer) { return documents::RenderTable(writer, table); });
    std::printf(
        "%s\n",
        qUtf8Printable(
            Msg("GRAVADO").arg(csv.isEmpty() ? pdf : csv).arg(qulonglong(table.rows.size()))));
}

int Run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(Msg("DESCRICAO"));
    parser.addHelpOption();
    ShellConfig::AddOptions(parser);
    const QCommandLineOption pdf(QStringLiteral("pdf"), Msg("PDF"), QStringLiteral("file"));
    const QCommandLineOption csv(QStringLiteral("csv"), Msg("CSV"), QStringLiteral("file"));
    const QCommandLineOption from(QStringLiteral("from"), Msg("DE"), QStringLiteral("date"));
    const QCommandLineOption to(QStringLiteral("to"), Msg("ATE"), QStringLiteral("date"));
    parser.addOptions({pdf, csv, from, to});
    parser.addPositionalArgument(QStringLiteral("command"), Msg("COMANDO"));
    if (!parser.parse(arguments))
        throw Stop(parser.errorText() + QLatin1Char('\n') + Msg("USO"), kUsage);
    if (parser.isSet(QStringLiteral("help"))) {
        std::printf("%s", qUtf8Printable(parser.helpText()));
        return 0;
    }
    const QStringList positional = parser.positionalArguments();
    const QString command = positional.value(0);
    const bool notice = command == QLatin1String("notice");
    const bool outputsOne = parser.isSet(pdf) != parser.isSet(csv);
    if (positional.size() != 2 || (!notice && command != QLatin1String("list")) || !outputsOne ||
        (notice && !parser.isSet(pdf)) || (!notice && !(parser.isSet(from) && parser.isSet(to))))
        throw Stop(outputsOne ? Msg("USO") : Msg("SAIDA") + QLatin1Char('\n') + Msg("USO"), kUsage);
    documents::ListFilter filter{.company = positional[1]};
    if (!notice) {
        filter.compFrom = DateOption(parser, QStringLiteral("from"));
        filter.compTo = DateOption(parser, QStringLiteral("to"));
        if (filter.compTo < filter.compFrom)
            throw Stop(Msg("PERIODO").arg(parser.value(from), parser.value(to)), kUsage);
    }

    ShellConfig config;
    try {
        config = ShellConfig::FromParser(parser);
    } catch (const std::invalid_argument& bad) {
        throw Stop(QString::fromUtf8(bad.what()), kUsage);
    }
    if (config.operador.isEmpty() || config.password.isEmpty())
        throw Stop(Msg("LOGIN"), kUsage);
    host::SetCallTimeout(std::chrono::seconds(config.callTimeout));
    host::TNetConnection server;
    server.SetServerName(kServerName);
    server.SetHost(config.serverHost);
    server.SetPort(config.serverPort);
    try {
        server.SetToken(host::OpenServerSession(config.serverHost, config.serverPort,
                                                config.operador, config.password));
        server.SetConnected(true);
    } catch (const host::ELoginRefused& refused) {
        throw Stop(Msg("RECUSADO").arg(QString::fromUtf8(refused.what())));
    } catch (const host::ENetError& failed) {
        throw Stop(Msg("INACESSIVEL")
                       .arg(config.serverHost)
                       .arg(config.serverPort)
                       .arg(QString::fromUtf8(failed.what())));
    }
    if (notice)
        Notice(server, positional[1], parser.value(pdf));
    else
        List(server, filter, parser.value(csv), parser.value(pdf));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Documents need fonts, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("rec18000-report"));
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    try {
        return Run(QGuiApplication::arguments());
    } catch (const Stop& stop) {
        std::fprintf(stderr, "rec18000-report: %s\n", stop.what());
        return stop.code;
    } catch (const host::ENetError& failed) {
        std::fprintf(stderr, "rec18000-report: %s\n", failed.what());
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "rec18000-report: %s\n",
                     qUtf8Printable(Msg("RESPOSTA").arg(QString::fromUtf8(error.what()))));
        return 1;
    }
}
