#pragma once

#include <QString>

namespace host {

// Texts of the refusals the data layer raises; they reach the operator when a value does not
// fit its field or a server answer is refused. Kept here rather than in forms/host: the
// message lists are loaded by host/services, which the data library does not link.
enum class DataText {
    FieldRefused, // %1 field, %2 reason
    NotText,
    TextTooLong, // %1 length, %2 size
    NotNumber,   // %1 value
    NotFinite,
    NotDate, // %1 value
    ValueNotDate,
    FieldDetached,
    FieldRequired, // %1 field label
    FieldNotFound, // %1 field
    FieldNoName,
    FieldTwice, // %1 field
    DefsWhileOpen,
    NoFieldsToCreate,
    NotOpen,
    NotEditing,
    AppendWhileEditing,
    DeleteFromEmpty,
    RowOutOfRange,
    BookmarkGone,
    AppendWidth, // %1 values, %2 fields
    RowWidth,    // %1 row, %2 values, %3 fields
    LocateWidth, // %1 values, %2 key fields
    BadJson,     // %1 parser's reason
    NotJsonObject,
    NoFieldsList,
    NoRowsList,
    NoFields,
    FieldNotObject,   // %1 position
    FieldUnnamed,     // %1 position
    FieldNoType,      // %1 field
    FieldUnknownType, // %1 field, %2 type
    FieldNoSize,      // %1 field
    RowNotList,       // %1 row
    RowTooLong,       // %1 row, %2 fields
    Cell,             // %1 row, %2 field, %3 reason
    TextExpected,
    NumberExpected,
    DateExpected,
};

QString DataMsg(DataText key);

} // namespace host
