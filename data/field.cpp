#include "data/field.h"

#include "data/datatexts.h"
#include "data/recordset.h"

#include <QLocale>

#include <cmath>
#include <stdexcept>

namespace host {

namespace {

[[noreturn]] void Refuse(const FieldDef& def, const QString& why) {
    throw std::invalid_argument(DataMsg(DataText::FieldRefused).arg(def.name, why).toStdString());
}

QVariant NormaliseString(const FieldDef& def, const QVariant& value) {
    if (value.typeId() != QMetaType::QString && !value.canConvert<QString>())
        Refuse(def, DataMsg(DataText::NotText));
    QString text = value.toString();
    if (def.size > 0 && text.size() > def.size)
        Refuse(def, DataMsg(DataText::TextTooLong).arg(text.size()).arg(def.size));
    return text;
}

QVariant NormaliseFloat(const FieldDef& def, const QVariant& value) {
    bool ok = false;
    double number = 0;
    // Text is read as the operator types it (the user's locale), then as C text.
    if (value.typeId() == QMetaType::QString)
        number = QLocale().toDouble(value.toString().trimmed(), &ok);
    if (!ok)
        number = value.toDouble(&ok);
    if (!ok)
        Refuse(def, DataMsg(DataText::NotNumber).arg(value.toString()));
    if (!std::isfinite(number))
        Refuse(def, DataMsg(DataText::NotFinite));
    return number;
}

QVariant NormaliseDateTime(const FieldDef& def, const QVariant& value) {
    QDateTime dateTime;
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        dateTime = value.toDateTime();
        break;
    case QMetaType::QDate:
        dateTime = value.toDate().startOfDay();
        break;
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        dateTime = QDateTime::fromString(text, Qt::ISODate);
        if (!dateTime.isValid())
            dateTime = QDateTime::fromString(text, QStringLiteral("dd/MM/yyyy hh:mm:ss"));
        if (!dateTime.isValid())
            dateTime = QDate::fromString(text, QStringLiteral("dd/MM/yyyy")).startOfDay();
        if (!dateTime.isValid())
            Refuse(def, DataMsg(DataText::NotDate).arg(value.toString()));
        break;
    }
    default:
        Refuse(def, DataMsg(DataText::ValueNotDate));
    }
    return dateTime.isValid() ? QVariant(dateTime) : QVariant();
}

} // namespace

void NormaliseInPlace(const FieldDef& def, QVariant& value) {
    // Bulk loads mostly bring values of the right type already: keep those untouched.
    const int id = value.typeId();
    switch (def.type) {
    case FieldType::String:
    case FieldType::FixedString:
        if (id == QMetaType::QString && !value.isNull() &&
            (def.size <= 0 || static_cast<const QString*>(value.constData())->size() <= def.size))
            return;
        break;
    case FieldType::Float:
        if (id == QMetaType::Double &&
            std::isfinite(*static_cast<const double*>(value.constData())))
            return;
        break;
    case FieldType::DateTime:
        if (id == QMetaType::QDateTime &&
            static_cast<const QDateTime*>(value.constData())->isValid())
            return;
        break;
    }
    if (!value.isValid())
        return;
    value = NormaliseValue(def, value);
}

QVariant NormaliseValue(const FieldDef& def, const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return {};
    // Blank text clears a number or a date: that is what an emptied edit means.
    if (def.type != FieldType::String && def.type != FieldType::FixedString &&
        value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty())
        return {};
    switch (def.type) {
    case FieldType::String:
    case FieldType::FixedString:
        return NormaliseString(def, value);
    case FieldType::Float:
        if (value.typeId() == QMetaType::Double) {
            if (!std::isfinite(value.toDouble()))
                Refuse(def, DataMsg(DataText::NotFinite));
            return value;
        }
        return NormaliseFloat(def, value);
    case FieldType::DateTime:
        return NormaliseDateTime(def, value);
    }
    return {};
}

int Field::DisplayWidth() const {
    if (m_def.displayWidth > 0)
        return m_def.displayWidth;
    switch (m_def.type) {
    case FieldType::String:
    case FieldType::FixedString:
        return m_def.size > 0 ? m_def.size : 20;
    case FieldType::Float:
        return 10;
    case FieldType::DateTime:
        return 10;
    }
    return 10;
}

void Field::SetDisplayLabel(const QString& label) {
    m_def.label = label;
    NotifyChanged();
}

void Field::SetVisible(bool visible) {
    m_def.visible = visible;
    NotifyChanged();
}

void Field::SetDisplayWidth(int width) {
    m_def.displayWidth = width;
    NotifyChanged();
}

void Field::SetEditMask(const QString& mask) {
    m_def.editMask = mask;
    NotifyChanged();
}

void Field::SetRequired(bool required) {
    m_def.required = required;
    NotifyChanged();
}

void Field::NotifyChanged() {
    if (!m_owner->ControlsDisabled())
        emit m_owner->fieldsChanged();
}

QVariant Field::Value() const {
    return ValueAt(m_owner->RecNo());
}

QVariant Field::ValueAt(int row) const {
    if (m_index < 0 || row < 0 || row >= m_owner->RecordCount())
        return {};
    return m_owner->CellAt(row, m_index);
}

bool Field::IsNull() const {
    return !Value().isValid();
}

QString Field::AsString() const {
    const QVariant value = Value();
    if (!value.isValid())
        return {};
    if (m_def.type == FieldType::DateTime)
        return PlainTextAt(m_owner->RecNo());
    return value.toString();
}

double Field::AsFloat() const {
    return Value().toDouble();
}

QDateTime Field::AsDateTime() const {
    return Value().toDateTime();
}

void Field::SetValue(const QVariant& value) {
    if (m_index < 0)
        throw std::logic_error(DataMsg(DataText::FieldDetached).toStdString());
    m_owner->SetFieldValue(m_index, NormaliseValue(m_def, value));
}

void Field::SetAsString(const QString& value) {
    SetValue(value);
}

void Field::SetAsFloat(double value) {
    SetValue(value);
}

void Field::SetAsDateTime(const QDateTime& value) {
    SetValue(value);
}

void Field::Clear() {
    SetValue(QVariant());
}

QString Field::DisplayText() const {
    return DisplayTextAt(m_owner->RecNo());
}

QString Field::DisplayTextAt(int row) const {
    if (m_onGetText)
        return m_onGetText(*this, row);
    return PlainTextAt(row);
}

QString Field::PlainTextAt(int row) const {
    const QVariant value = ValueAt(row);
    if (!value.isValid())
        return {};
    switch (m_def.type) {
    case FieldType::String:
    case FieldType::FixedString:
        return value.toString();
    case FieldType::Float: {
        QLocale locale;
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        return locale.toString(value.toDouble(), 'g', 15);
    }
    case FieldType::DateTime: {
        const QDateTime dateTime = value.toDateTime();
        const QString date = dateTime.date().toString(QStringLiteral("dd/MM/yyyy"));
        if (dateTime.time() == QTime(0, 0))
            return date;
        return date + QLatin1Char(' ') + dateTime.time().toString(QStringLiteral("hh:mm:ss"));
    }
    }
    return {};
}

} // namespace host
