#include "host/services/finddialog.h"

#include "data/recordset.h"
#include "host/services/dialogs.h"
#include "host/services/hostmessages.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace host {

FindDialog::FindDialog(RecordSet& rows, QWidget* parent) : QDialog(parent), m_rows(rows) {
    const TMessages& texts = HostMessages();
    setObjectName(QStringLiteral("hostFindDialog"));
    setWindowTitle(texts.Msg(QStringLiteral("PROCTITULO")));

    m_field = new QComboBox(this);
    m_field->setObjectName(QStringLiteral("cbxCampo"));
    for (int i = 0; i < rows.FieldCount(); ++i) {
        const Field& field = rows.FieldAt(i);
        if (field.Visible())
            m_field->addItem(field.DisplayLabel().isEmpty() ? field.FieldName()
                                                            : field.DisplayLabel(),
                             field.FieldName());
    }
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("edtTexto"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* next =
        buttons->addButton(texts.Msg(QStringLiteral("PROCPROX")), QDialogButtonBox::ActionRole);
    next->setObjectName(QStringLiteral("btnProximo"));
    next->setDefault(true);
    buttons->addButton(texts.Msg(QStringLiteral("PESQCANC")), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("btnCancelar"));
    connect(next, &QPushButton::clicked, this, [this] {
        if (!FindNext())
            dialogs().Message(HostMessages().Msg(QStringLiteral("PROCNAOENC")),
                              MessageKind::Information, MessageButtons::Ok);
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(texts.Msg(QStringLiteral("PROCCAMPO")), m_field);
    form->addRow(texts.Msg(QStringLiteral("PROCTEXTO")), m_text);
    form->addRow(buttons);
}

bool FindDialog::FindNext() {
    const QString text = m_text->text().trimmed();
    const int count = m_rows.RecordCount();
    const Field* field = m_rows.FindField(m_field->currentData().toString());
    if (text.isEmpty() || count == 0 || field == nullptr)
        return false;
    const int start = m_rows.RecNo();
    for (int step = 1; step <= count; ++step) {
        const int row = (start + step) % count;
        if (field->DisplayTextAt(row).contains(text, Qt::CaseInsensitive) ||
            field->PlainTextAt(row).contains(text, Qt::CaseInsensitive)) {
            m_rows.SetRecNo(row);
            m_moved = true;
            return true;
        }
    }
    return false;
}

} // namespace host
