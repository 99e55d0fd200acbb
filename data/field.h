#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <functional>

namespace host {

class RecordSet;

enum class FieldType { String, FixedString, Float, DateTime };

// Static description of a field: what the codec exchanges (name, type, size) plus the
// presentation attributes the screens set.
struct FieldDef {
    QString name = {};
    FieldType type = FieldType::String;
    int size = 0; // maximum length of String and FixedString fields
    QString label = {};
    bool visible = true;
    int displayWidth = 0;  // characters; 0 = derived from size
    QString editMask = {}; // host mask syntax "picture;storeLiterals;blank"
    bool required = false;
};

// A field of a record set, reading and writing the record set's current row.
class Field {
public:
    // Display-text hook; gets the row to render so grids can paint rows other than the current.
    using GetTextHook = std::function<QString(const Field& field, int row)>;

    const QString& FieldName() const { return m_def.name; }
    FieldType DataType() const { return m_def.type; }
    int Size() const { return m_def.size; }
    int Index() const { return m_index; } // -1 once a new structure left the field out
    const FieldDef& Def() const { return m_def; }

    // Presentation; changing it emits the record set's fieldsChanged.
    const QString& DisplayLabel() const { return m_def.label; }
    void SetDisplayLabel(const QString& label);
    bool Visible() const { return m_def.visible; }
    void SetVisible(bool visible);
    int DisplayWidth() const; // characters: the set width, else derived from type and size
    void SetDisplayWidth(int width);
    const QString& EditMask() const { return m_def.editMask; }
    void SetEditMask(const QString& mask);
    bool Required() const { return m_def.required; } // Post refuses a null or empty value
    void SetRequired(bool required);

    // Value of the current row; an invalid QVariant is null.
    QVariant Value() const;
    bool IsNull() const;
    QString AsString() const; // "" for null
    double AsFloat() const;   // 0 for null
    QDateTime AsDateTime() const;
    QVariant ValueAt(int row) const;

    // Writing needs the record set in edit or insert state; throws std::logic_error otherwise,
    // and std::invalid_argument for a value that does not fit the field (a string longer than
    // the size, text that is not a number, a non-finite number, text that is not a date).
    // A null or invalid QVariant, an invalid date-time, and blank text for a number or a date
    // write null. Text for numbers: C or the user's locale; for dates: ISO or dd/MM/yyyy.
    void SetValue(const QVariant& value);
    void SetAsString(const QString& value);
    void SetAsFloat(double value);
    void SetAsDateTime(const QDateTime& value);
    void Clear();

    // Text shown for a row: the OnGetText hook when set, else the plain text
    // (floats without grouping, dates dd/MM/yyyy).
    QString DisplayText() const;
    QString DisplayTextAt(int row) const;
    QString PlainTextAt(int row) const;
    void SetOnGetText(GetTextHook hook) { m_onGetText = std::move(hook); }

    const RecordSet& DataSet() const { return *m_owner; }
    RecordSet& DataSet() { return *m_owner; }

private:
    friend class RecordSet;
    Field(RecordSet* owner, FieldDef def, int index)
        : m_owner(owner), m_def(std::move(def)), m_index(index) {}
    void NotifyChanged();

    RecordSet* m_owner;
    FieldDef m_def;
    int m_index;
    GetTextHook m_onGetText;
};

// The value a field of this definition stores for `value`: null for null/invalid input,
// QString, double or QDateTime otherwise. Throws std::invalid_argument when it does not fit.
QVariant NormaliseValue(const FieldDef& def, const QVariant& value);
void NormaliseInPlace(const FieldDef& def, QVariant& value); // same, cheap when already fit

} // namespace host
