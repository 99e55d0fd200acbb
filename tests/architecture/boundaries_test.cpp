// Which folder may include which: the boundaries table of ARCHITECTURE.md against the includes
// of every source.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

const QString kRoot = QStringLiteral(REC18000_SOURCE_DIR);

struct Row {
    QStringList folders, mayInclude, qt; // "*" in mayInclude: anything
};

QStringList Backticked(const QString& cell) {
    QStringList found;
    for (auto it = QRegularExpression(QStringLiteral("`([^`]+)`")).globalMatch(cell); it.hasNext();)
        found << it.next().captured(1);
    return found;
}

// The rows of the table headed "| folder | … | may include | Qt |".
std::vector<Row> Table() {
    QFile file(kRoot + QStringLiteral("/ARCHITECTURE.md"));
    file.open(QIODevice::ReadOnly | QIODevice::Text);
    std::vector<Row> rows;
    bool in = false;
    for (QTextStream text(&file); !text.atEnd();) {
        const QStringList cells = text.readLine().split(QLatin1Char('|'));
        if (cells.size() == 6 && cells[3].contains(QLatin1String("may include")))
            in = true;
        else if (in && cells.size() != 6)
            break;
        else if (in && !cells[1].startsWith(QLatin1String("---")))
            rows.push_back({Backticked(cells[1]), Backticked(cells[3]),
                            cells[4].split(QLatin1Char(','), Qt::SkipEmptyParts)});
    }
    for (Row& row : rows)
        for (QString& module : row.qt)
            module = module.trimmed();
    return rows;
}

// The longest folder that holds the source decides its row.
const Row* RowOf(const std::vector<Row>& rows, const QString& path) {
    const Row* best = nullptr;
    qsizetype length = 0;
    for (const Row& row : rows)
        for (const QString& folder : row.folders)
            if (path.startsWith(folder) && folder.size() > length)
                best = &row, length = folder.size();
    return best;
}

// The Qt module of <QLineEdit> or <QtWidgets/QLineEdit>; a Designer form's header is Widgets.
QString QtModule(const QString& header, bool quoted) {
    if (quoted)
        return header.startsWith(QLatin1String("ui_")) ? QStringLiteral("Widgets") : QString();
    if (header.startsWith(QLatin1String("Qt")) && header.contains(QLatin1Char('/')))
        return header.section(QLatin1Char('/'), 0, 0).mid(2);
    const QString headers = QLibraryInfo::path(QLibraryInfo::HeadersPath);
    for (const char* module :
         {"Core", "Gui", "Widgets", "Sql", "Network", "Concurrent", "Test", "PrintSupport"})
        if (QFile::exists(headers + QStringLiteral("/Qt") + QLatin1String(module) +
                          QLatin1Char('/') + header))
            return QLatin1String(module);
    return {};
}

TEST(Boundaries, EveryIncludeIsOneItsFolderMayUse) {
    const std::vector<Row> rows = Table();
    ASSERT_FALSE(rows.empty()) << "no boundaries table in ARCHITECTURE.md";
    const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s*([<"])([^>"]+))"));
    for (QDirIterator it(kRoot, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString path = QDir(kRoot).relativeFilePath(it.next());
        if (path.startsWith(QLatin1String("build")) || path.startsWith(QLatin1Char('.')))
            continue;
        const Row* row = RowOf(rows, path);
        ASSERT_NE(row, nullptr) << path.toStdString() << ": its folder is in no row";
        QFile file(it.filePath());
        file.open(QIODevice::ReadOnly | QIODevice::Text);
        int line = 0;
        for (QTextStream text(&file); !text.atEnd();) {
            const QRegularExpressionMatch match = include.match(text.readLine());
            ++line;
            if (!match.hasMatch())
                continue;
            const QString header = match.captured(2);
            const bool quoted = match.captured(1) == QLatin1String("\"");
            const QString module = QtModule(header, quoted);
            const bool allowed =
                row->mayInclude.contains(QLatin1String("*")) ||
                (!module.isEmpty()
                     ? row->qt.contains(module)
                     : !quoted || std::any_of(row->mayInclude.cbegin(), row->mayInclude.cend(),
                                              [&](const QString& allowedPrefix) {
                                                  return header.startsWith(allowedPrefix);
                                              }));
            EXPECT_TRUE(allowed) << path.toStdString() << ":" << line << " includes "
                                 << header.toStdString() << " " << module.toStdString();
        }
    }
}

} // namespace
