#pragma once

#include "host/services/dialogs.h"

class QWidget;

namespace host {

// The suite's dialogs: message boxes, the search dialog with incremental filtering, the
// multi-select picker and the find dialog, each modal over the active window.
class QtDialogs : public Dialogs {
public:
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
};

} // namespace host
