#include "shell/moduleloader.h"

#include "host/services/failure.h"

#include <QDir>
#include <QLibrary>

namespace {

QString CannotOpen(const QString& code) {
    return QStringLiteral("Não foi possível abrir o módulo %1. Avise o suporte.").arg(code);
}

} // namespace

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
        throw host::EFailure(CannotOpen(code), library->errorString().toStdString());
    return *m_loaded.emplace(code, std::move(library)).first->second;
}

void ModuleLoader::Open(const QString& code) {
    using Entry = void (*)();
    QLibrary& library = Load(code);
    const auto entry = reinterpret_cast<Entry>(library.resolve("IniProc"));
    if (!entry)
        throw host::EFailure(CannotOpen(code), code.toStdString() + " has no IniProc");
    entry();
}

void ModuleLoader::UnloadAll() {
    for (auto& [code, library] : m_loaded)
        library->unload();
    m_loaded.clear();
}
