#include "host/services/dialogs.h"

#include "data/keylist.h"
#include "data/recordset.h"
#include "data/text.h"

#include <atomic>
#include <stdexcept>

namespace host {

namespace {

std::atomic<Dialogs*> g_dialogs{nullptr};

} // namespace

Dialogs::~Dialogs() = default;

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

SearchTitle SearchTitle::Parse(const QString& title) {
    const qsizetype bar = title.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return {title, QString()};
    return {title.left(bar), title.mid(bar + 1)};
}

} // namespace host
