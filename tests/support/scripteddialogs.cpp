#include "tests/support/scripteddialogs.h"

#include "data/recordset.h"

#include <QDialog>
#include <gtest/gtest.h>

namespace host::testing {

ScriptedDialogs::ScriptedDialogs() : m_previous(SetDialogs(this)) {}

ScriptedDialogs::~ScriptedDialogs() {
    SetDialogs(m_previous);
}

void ScriptedDialogs::AnswerYes() {
    m_script.emplace_back(YesNo{true});
}
void ScriptedDialogs::AnswerNo() {
    m_script.emplace_back(YesNo{false});
}
void ScriptedDialogs::PickRow(int row) {
    m_script.emplace_back(Row{row});
}
void ScriptedDialogs::PickWhere(QString field, QString value) {
    m_script.emplace_back(Where{std::move(field), std::move(value)});
}
void ScriptedDialogs::PickKeys(QStringList keys) {
    m_script.emplace_back(Keys{std::move(keys)});
}
void ScriptedDialogs::FindRow(int row) {
    m_script.emplace_back(Found{row});
}
void ScriptedDialogs::Cancel() {
    m_script.emplace_back(Cancelled{});
}
void ScriptedDialogs::RunModal(std::function<int(QDialog&)> action) {
    m_script.emplace_back(Modal{std::move(action)});
}

void ScriptedDialogs::SaveAs(QString path) {
    m_script.emplace_back(SavePath{std::move(path)});
}

QStringList ScriptedDialogs::Texts(ShownDialog::Kind kind) const {
    QStringList texts;
    for (const ShownDialog& shown : m_shown)
        if (shown.kind == kind)
            texts << shown.text;
    return texts;
}

template <class T> std::optional<T> ScriptedDialogs::Next(const char* what, bool cancellable) {
    if (!m_script.empty()) {
        if (T* answer = std::get_if<T>(&m_script.front())) {
            T result = std::move(*answer);
            m_script.pop_front();
            return result;
        }
        if (cancellable && std::holds_alternative<Cancelled>(m_script.front())) {
            m_script.pop_front();
            return std::nullopt;
        }
    }
    ADD_FAILURE() << "unscripted dialog: " << what;
    return std::nullopt;
}

void ScriptedDialogs::ShowError(const QString& text) {
    m_shown.push_back({ShownDialog::Kind::Error, text, MessageKind::Error, {}});
}

void ScriptedDialogs::ErrorBox(const QString& text) {
    m_shown.push_back({ShownDialog::Kind::ErrorBox, text, MessageKind::Error, {}});
}

int ScriptedDialogs::Message(const QString& text, MessageKind kind, MessageButtons buttons) {
    m_shown.push_back({ShownDialog::Kind::Message, text, kind, {}});
    if (buttons == MessageButtons::Ok)
        return mrOk;
    const std::optional<YesNo> answer =
        Next<YesNo>(qUtf8Printable(QStringLiteral("question \"%1\"").arg(text)), false);
    return answer && answer->yes ? mrYes : mrNo;
}

bool ScriptedDialogs::Procura(RecordSet& rows) {
    m_shown.push_back({ShownDialog::Kind::Find, {}, MessageKind::Information, {}});
    const std::optional<Found> answer = Next<Found>("find", true);
    if (!answer)
        return false;
    rows.SetRecNo(answer->row);
    return true;
}

int ScriptedDialogs::ExecModal(QDialog& dialog) {
    m_shown.push_back(
        {ShownDialog::Kind::Modal, dialog.objectName(), MessageKind::Information, {}});
    const std::optional<Modal> answer =
        Next<Modal>(qUtf8Printable(QStringLiteral("modal %1").arg(dialog.objectName())), false);
    return answer ? answer->action(dialog) : int(QDialog::Rejected);
}

std::optional<QString> ScriptedDialogs::SaveFileName(const QString&, const QString& proposed,
                                                     const QString&) {
    m_shown.push_back({ShownDialog::Kind::SaveFile, proposed, MessageKind::Information, {}});
    const std::optional<SavePath> answer = Next<SavePath>("save file", true);
    if (!answer)
        return std::nullopt;
    return answer->path;
}

std::optional<int> ScriptedDialogs::ChooseRow(RecordSet& rows, const QString& caption) {
    m_shown.push_back({ShownDialog::Kind::Search, caption, MessageKind::Information, {}});
    if (!m_script.empty())
        if (const Where* where = std::get_if<Where>(&m_script.front())) {
            const Where wanted = *where;
            m_script.pop_front();
            const Field& field = rows.FieldByName(wanted.field);
            for (int row = 0; row < rows.RecordCount(); ++row)
                if (field.ValueAt(row).toString() == wanted.value)
                    return row;
            ADD_FAILURE() << "search \"" << qPrintable(caption) << "\" has no row with "
                          << qPrintable(wanted.field) << " = " << qPrintable(wanted.value);
            return std::nullopt;
        }
    const std::optional<Row> answer =
        Next<Row>(qUtf8Printable(QStringLiteral("search \"%1\"").arg(caption)), true);
    if (!answer)
        return std::nullopt;
    return answer->row;
}

std::optional<QStringList> ScriptedDialogs::ChooseKeys(RecordSet&, const QString& keyField,
                                                       const QString& caption, const QStringList&) {
    m_shown.push_back({ShownDialog::Kind::SearchList, caption, MessageKind::Information, keyField});
    const std::optional<Keys> answer =
        Next<Keys>(qUtf8Printable(QStringLiteral("list \"%1\"").arg(caption)), true);
    if (!answer)
        return std::nullopt;
    return answer->keys;
}

} // namespace host::testing
