#pragma once

#include <QString>

#include <map>
#include <memory>

class QLibrary;

// Loads modules (lib<code>.so from the suite's library folder) on demand and opens them through
// their one entry, IniProc.
class ModuleLoader {
public:
    explicit ModuleLoader(QString libraryDir);
    ~ModuleLoader();
    ModuleLoader(const ModuleLoader&) = delete;
    ModuleLoader& operator=(const ModuleLoader&) = delete;

    // Loads the module the first time and calls its IniProc. Throws host::EFailure when the
    // module cannot be loaded, and lets through what IniProc throws (same compiler and C++
    // runtime on both sides of the entry).
    void Open(const QString& code);

    // Unloads every module. The windows their code drew must be gone by then.
    void UnloadAll();

private:
    QLibrary& Load(const QString& code);

    QString m_libraryDir;
    std::map<QString, std::unique_ptr<QLibrary>> m_loaded;
};
