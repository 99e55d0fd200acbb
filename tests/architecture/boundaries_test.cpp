#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

// One row of the boundaries table: the folders it covers, the folders or files they may
// include (from the repository root; "*" for anything), and the Qt modules they may use.
struct Boundary {
    QStringList folders;
    QStringList mayInclude;
    QStringList qtModules;
};

const QString kRoot = QStringLiteral(REC18000_SOURCE_DIR);
const QStringList kQtModules = {"Core",    "Gui",        "Widgets", "Sql",
                                "Network", "Concurrent", "Test",    "PrintSupport"};

QStringList BacktickedIn(const QString& cell) {
    QStringList found;
    const QRegularExpression backticked(QStringLiteral("`([^`]+)`"));
    for (auto it = backticked.globalMatch(cell); it.hasNext();)
        found << it.next().captured(1);
    return found;
}

// The rows of the table headed "| folder | ... | may include | Qt |" in ARCHITECTURE.md.
std::vector<Boundary> ReadBoundaries() {
    QFile file(kRoot + QStringLiteral("/ARCHITECTURE.md"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    std::vector<Boundary> rows;
    bool inTable = false;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1String("| folder |")) && line.contains(QLatin1String("may include"))) {
            inTable = true;
            continue;
        }
        if (!inTable || line.startsWith(QLatin1String("|---")))
            continue;
        if (!line.startsWith(QLatin1Char('|')))
            break;
        const QStringList cells = line.split(QLatin1Char('|'));
        if (cells.size() < 6)
            break;
        rows.push_back({BacktickedIn(cells[1]), BacktickedIn(cells[3]),
                        cells[4].split(QLatin1Char(','), Qt::SkipEmptyParts)});
        for (QString& module : rows.back().qtModules)
            module = module.trimmed();
    }
    return rows;
}

// The row of a source: the longest folder that holds it.
const Boundary* RowOf(const std::vector<Boundary>& rows, const QString& path) {
    const Boundary* best = nullptr;
    qsizetype bestLength = -1;
    for (const Boundary& row : rows)
        for (const QString& folder : row.folders)
            if (path.startsWith(folder) && folder.size() > bestLength) {
                best = &row;
                bestLength = folder.size();
            }
    return best;
}

// The Qt module of a Qt header ("QLineEdit" or "QtWidgets/QLineEdit"); empty when none.
QString QtModuleOf(const QString& header) {
    static const QString headers = QLibraryInfo::path(QLibraryInfo::HeadersPath);
    if (header.startsWith(QLatin1String("Qt")) && header.contains(QLatin1Char('/')))
        return header.section(QLatin1Char('/'), 0, 0).mid(2);
    for (const QString& module : kQtModules)
        if (QFile::exists(headers + QStringLiteral("/Qt") + module + QLatin1Char('/') + header))
            return module;
    return {};
}

bool MayInclude(const Boundary& row, const QString& header) {
    return std::any_of(row.mayInclude.cbegin(), row.mayInclude.cend(), [&](const QString& allowed) {
        return allowed == QLatin1String("*") || header.startsWith(allowed);
    });
}

QStringList Sources() {
    QStringList sources;
    for (QDirIterator it(kRoot, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString path = QDir(kRoot).relativeFilePath(it.next());
        if (!path.startsWith(QLatin1String("build")) && !path.startsWith(QLatin1Char('.')))
            sources << path;
    }
    return sources;
}

TEST(Boundaries, EveryIncludeIsAllowedByTheTable) {
    const std::vector<Boundary> rows = ReadBoundaries();
    ASSERT_FALSE(rows.empty()) << "no boundaries table in ARCHITECTURE.md";
    const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])"));
    const QStringList sources = Sources();
    ASSERT_FALSE(sources.isEmpty());
    for (const QString& path : sources) {
        const Boundary* row = RowOf(rows, path);
        if (!row) {
            ADD_FAILURE() << path.toStdString() << ": its folder is in no row of the table";
            continue;
        }
        QFile file(kRoot + QLatin1Char('/') + path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
        int number = 0;
        for (QTextStream in(&file); !in.atEnd();) {
            const QString line = in.readLine();
            ++number;
            const QRegularExpressionMatch match = include.match(line);
            if (!match.hasMatch())
                continue;
            const QString header = match.captured(2);
            const bool quoted = match.captured(1) == QLatin1String("\"");
            QString module;
            if (quoted && header.startsWith(QLatin1String("ui_")))
                module = QStringLiteral("Widgets"); // a Designer form
            else if (!quoted)
                module = QtModuleOf(header);
            const bool allowed = module.isEmpty() ? !quoted || MayInclude(*row, header)
                                                  : row->qtModules.contains(module) ||
                                                        row->mayInclude.contains("*");
            EXPECT_TRUE(allowed) << path.toStdString() << ":" << number << " includes "
                                 << header.toStdString()
                                 << (module.isEmpty() ? "" : " (Qt " + module.toStdString() + ")");
        }
    }
}

} // namespace
