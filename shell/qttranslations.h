#pragma once

#include <QTranslator>

// Qt's own texts (standard buttons, context menus, the calendar) in Brazilian Portuguese, from
// the translations installed with Qt; installed for the object's life. Without the installed
// files Qt keeps its English texts.
class QtTranslations {
public:
    QtTranslations();
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    bool Loaded() const { return m_loaded; }

private:
    QTranslator m_translator;
    bool m_loaded = false;
};
