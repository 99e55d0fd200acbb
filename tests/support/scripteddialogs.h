#pragma once

#include "host/services/dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <variant>
#include <vector>

namespace host::testing {

// What a scripted dialog showed.
struct ShownDialog {
    enum class Kind { Error, ErrorBox, Message, Search, SearchList, Find, Modal, SaveFile };
    Kind kind;
    QString text; // message text, search caption, the modal dialog's objectName, proposed file
    MessageKind messageKind = MessageKind::Information;
    QString keyField; // SearchList only
};

// Dialogs seam for tests: installs itself while alive, records everything shown and answers
// from a script in order. A dialog that needs an answer the script does not hold fails the
// test and is answered No / cancelled.
class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // Script.
    void AnswerYes();
    void AnswerNo();
    void PickRow(int row);                        // Pesquisar picks this row
    void PickWhere(QString field, QString value); // Pesquisar picks the first row holding it
    void PickKeys(QStringList keys);              // PesquisaLista confirms these keys
    void FindRow(int row);                        // Procura moves to this row
    void Cancel();                                // the next search, list or find is cancelled
    void RunModal(std::function<int(QDialog&)> action); // ExecModal runs it
    void SaveAs(QString path);                          // SaveFileName answers it
    bool ScriptDone() const { return m_script.empty(); }

    // Record.
    const std::vector<ShownDialog>& Shown() const { return m_shown; }
    QStringList Texts(ShownDialog::Kind kind) const;
    QStringList Errors() const { return Texts(ShownDialog::Kind::Error); }
    void ClearShown() { m_shown.clear(); }

    void ShowError(const QString& text) override;
    void ErrorBox(const QString& text) override;
    int Message(const QString& text, MessageKind kind, MessageButtons buttons) override;
    bool Procura(RecordSet& rows) override;
    int ExecModal(QDialog& dialog) override;
    std::optional<QString> SaveFileName(const QString& caption, const QString& proposed,
                                        const QString& filter) override;

protected:
    std::optional<int> ChooseRow(RecordSet& rows, const QString& caption) override;
    std::optional<QStringList> ChooseKeys(RecordSet& rows, const QString& keyField,
                                          const QString& caption,
                                          const QStringList& preselected) override;

private:
    struct YesNo {
        bool yes;
    };
    struct Row {
        int row;
    };
    struct Where {
        QString field;
        QString value;
    };
    struct Keys {
        QStringList keys;
    };
    struct Found {
        int row;
    };
    struct Cancelled {};
    struct Modal {
        std::function<int(QDialog&)> action;
    };
    struct SavePath {
        QString path;
    };
    using Answer = std::variant<YesNo, Row, Where, Keys, Found, Cancelled, Modal, SavePath>;

    // The next answer when it is of type T (or a cancel, when allowed); else fails the test.
    template <class T> std::optional<T> Next(const char* what, bool cancellable);

    std::deque<Answer> m_script;
    std::vector<ShownDialog> m_shown;
    Dialogs* m_previous = nullptr;
};

} // namespace host::testing
