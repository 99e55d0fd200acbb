#pragma once

// A screen's record set by its object name, as the tests find widgets: the screen keeps its
// record sets to itself.

#include "data/recordset.h"

#include <QObject>
#include <QString>

#include <gtest/gtest.h>

inline host::RecordSet* RecordSetOf(const QObject* screen, const char* name) {
    auto* recordSet = screen->findChild<host::RecordSet*>(QString::fromLatin1(name));
    if (!recordSet)
        ADD_FAILURE() << "no record set " << name;
    return recordSet;
}
