#include "host/services/dialogs.h"

#include "host/data/recordset.h"
#include "host/services/text.h"

#include <atomic>
#include <stdexcept>

namespace host {

namespace {

std::atomic<Dialogs*> g_dialogs{nullptr};

const QChar kQuote = QLatin1Char('\'');
const QChar kComma = QLatin1Char(',');

} // namespace

Dialogs::~Dialogs() = default;

bool Dialogs::Ask(const QString& text) {
    return Message(text, MessageKind::Confirmation, MessageButtons::YesNo) == mrYes;
}

bool Dialogs::Pesquisar(RecordSet& rows, const QString& title) {
    const SearchTitle t = SearchTitle::Parse(title);
    if (!rows.Active() || rows.IsEmpty()) {
        if (!EmptyString(t.emptyText))
            Message(t.emptyText, MessageKind::Information, MessageButtons::Ok);
        return false;
    }
    const std::optional<int> row = ChooseRow(rows, t.caption);
    if (!row || *row < 0 || *row >= rows.RecordCount())
        return false;
    rows.SetRecNo(*row);
    return true;
}

bool Dialogs::PesquisaLista(RecordSet& rows, const QString& keyField, const QString& title,
                            QString& list) {
    const SearchTitle t = SearchTitle::Parse(title);
    if (!rows.Active() || rows.IsEmpty()) {
        if (!EmptyString(t.emptyText))
            Message(t.emptyText, MessageKind::Information, MessageButtons::Ok);
        return false;
    }
    const std::optional<QStringList> keys =
        ChooseKeys(rows, keyField, t.caption, DecodeKeyList(list).value_or(QStringList()));
    if (!keys)
        return false;
    list = EncodeKeyList(*keys);
    return true;
}

Dialogs& dialogs() {
    Dialogs* installed = g_dialogs.load();
    if (installed == nullptr)
        throw std::logic_error("no dialogs installed");
    return *installed;
}

Dialogs* SetDialogs(Dialogs* dialogs) {
    return g_dialogs.exchange(dialogs);
}

QString EncodeKeyList(const QStringList& keys) {
    QStringList quoted;
    quoted.reserve(keys.size());
    for (const QString& key : keys) {
        QString escaped = key;
        escaped.replace(kQuote, QStringLiteral("''"));
        quoted << kQuote + escaped + kQuote;
    }
    return quoted.join(kComma);
}

std::optional<QStringList> DecodeKeyList(const QString& list) {
    QStringList keys;
    qsizetype i = 0;
    const qsizetype n = list.size();
    if (n == 0)
        return keys;
    while (true) {
        if (i >= n || list.at(i) != kQuote)
            return std::nullopt;
        ++i;
        QString key;
        while (true) {
            if (i >= n)
                return std::nullopt; // unterminated
            if (list.at(i) == kQuote) {
                if (i + 1 < n && list.at(i + 1) == kQuote) {
                    key += kQuote;
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            key += list.at(i++);
        }
        keys << key;
        if (i == n)
            return keys;
        if (list.at(i) != kComma)
            return std::nullopt;
        ++i;
    }
}

SearchTitle SearchTitle::Parse(const QString& title) {
    const qsizetype bar = title.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return {title, QString()};
    return {title.left(bar), title.mid(bar + 1)};
}

} // namespace host
