#include "shell/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

QtTranslations::QtTranslations() {
    m_loaded = m_translator.load(QLocale(QLocale::Portuguese, QLocale::Brazil),
                                 QStringLiteral("qtbase"), QStringLiteral("_"),
                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
               QCoreApplication::installTranslator(&m_translator);
}

QtTranslations::~QtTranslations() {
    if (m_loaded)
        QCoreApplication::removeTranslator(&m_translator);
}
