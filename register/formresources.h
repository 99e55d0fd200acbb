#pragma once

// Where the compensation register's form data lives (embedded by the register library).

#include <QString>

namespace register_forms {

inline const QString kScreenForm = QStringLiteral(":/rec18000/rec18000.form");
inline const QString kScreenMessages = QStringLiteral(":/rec18000/rec18000.msg");
inline const QString kScreenGrids = QStringLiteral(":/rec18000/rec18000.grids");
inline const QString kFilterForm = QStringLiteral(":/rec18000/rec18002.form");
inline const QString kFilterMessages = QStringLiteral(":/rec18000/rec18002.msg");

} // namespace register_forms
