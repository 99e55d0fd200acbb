#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QDialog;

namespace host {

class RecordSet;

// Kinds and buttons of a message dialog, and the answers it gives (6 Yes, 7 No).
enum class MessageKind { Information, Warning, Error, Confirmation };
enum class MessageButtons { Ok, YesNo };
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;
inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;

// Everything that blocks on a person goes through this seam: the suite installs the Qt
// dialogs, tests install scripted ones.
//
// Search titles are "Caption|EmptyText": the dialog's caption, and the text shown instead of
// the dialog when the look-up has no rows.
//
// PesquisaLista gives its choice as a list string (see keylist.h).
class Dialogs {
public:
    virtual ~Dialogs();

    // Error text of an aborted action (MensErro).
    virtual void ShowError(const QString& text) = 0;
    // Error message box for unexpected failures (reported by the entry wrapper).
    virtual void ErrorBox(const QString& text) = 0;
    // Message with buttons; gives mrOk, mrYes or mrNo.
    virtual int Message(const QString& text, MessageKind kind, MessageButtons buttons) = 0;

    // Single choice over the record set's rows; on a choice the record set stands on the
    // chosen row and the answer is true. An empty record set shows the empty text instead.
    bool Pesquisar(RecordSet& rows, const QString& title);
    // Several rows chosen; list (in: the keys chosen before, out: the new choice) is a list
    // string of keyField's values. False, list untouched, when cancelled or empty.
    bool PesquisaLista(RecordSet& rows, const QString& keyField, const QString& title,
                       QString& list);
    // Find dialog over the record set: true when it moved to a found row.
    virtual bool Procura(RecordSet& rows) = 0;
    // Runs a filter dialog modally; gives its result code (QDialog::Accepted or Rejected).
    virtual int ExecModal(QDialog& dialog) = 0;
    // The file to save to, proposed first (a name, or a path); filter as the file dialog takes
    // it ("CSV (*.csv)"). Nothing when cancelled.
    virtual std::optional<QString> SaveFileName(const QString& caption, const QString& proposed,
                                                const QString& filter) = 0;

protected:
    // Caption and the non-empty record set; the chosen row, or nothing when cancelled.
    virtual std::optional<int> ChooseRow(RecordSet& rows, const QString& caption) = 0;
    // The chosen keys, or nothing when cancelled; preselected keys start checked.
    virtual std::optional<QStringList> ChooseKeys(RecordSet& rows, const QString& keyField,
                                                  const QString& caption,
                                                  const QStringList& preselected) = 0;
};

// The installed seam; throws std::logic_error when none is installed.
Dialogs& dialogs();
// Installs a seam (not owned) and gives the one it replaces.
Dialogs* SetDialogs(Dialogs* dialogs);

// Splits a search title "Caption|EmptyText".
struct SearchTitle {
    QString caption;
    QString emptyText;
    static SearchTitle Parse(const QString& title);
};

} // namespace host
