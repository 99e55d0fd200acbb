#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace host {

class RecordSet;

// Find over a record set: a field ("cbxCampo"), a text ("edtTexto") and "Próximo"
// ("btnProximo"), which moves the record set to the next row, after the current one and
// wrapping around, whose shown text of the field contains the text (case-insensitive).
class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(RecordSet& rows, QWidget* parent = nullptr);

    // Moves to the next matching row; false (and the row unchanged) when none matches.
    bool FindNext();
    bool Moved() const { return m_moved; }

    QComboBox* FieldBox() const { return m_field; }
    QLineEdit* TextEdit() const { return m_text; }

private:
    RecordSet& m_rows;
    QComboBox* m_field = nullptr;
    QLineEdit* m_text = nullptr;
    bool m_moved = false;
};

} // namespace host
