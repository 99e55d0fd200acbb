#include "shell/moduleloader.h"

#include <QDir>
#include <QLibrary>

#include <stdexcept>

ModuleLoader::ModuleLoader(QString libraryDir) : m_libraryDir(std::move(libraryDir)) {}

ModuleLoader::~ModuleLoader() {
    UnloadAll();
}

QLibrary& ModuleLoader::Load(const QString& code) {
    auto found = m_loaded.find(code);
    if (found != m_loaded.end())
        return *found->second;
    auto library = std::make_unique<QLibrary>(
        QDir(m_libraryDir).filePath(QStringLiteral("lib%1.so").arg(code.toLower())));
    if (!library->load())
        throw std::runtime_error("Módulo " + code.toStdString() +
                                 " não carregado: " + library->errorString().toStdString());
    return *m_loaded.emplace(code, std::move(library)).first->second;
}

void ModuleLoader::Open(const QString& code) {
    using Entry = void (*)();
    QLibrary& library = Load(code);
    const auto entry = reinterpret_cast<Entry>(library.resolve("IniProc"));
    if (!entry)
        throw std::runtime_error("Módulo " + code.toStdString() + " sem a entrada IniProc");
    entry();
}

void ModuleLoader::UnloadAll() {
    for (auto& [code, library] : m_loaded)
        library->unload();
    m_loaded.clear();
}
