#pragma once
// Keeps the read modes of the configuration store and the model's loading
// flag for the length of a scope and puts them back when it ends, however it
// ends:
//
//     ConfigReadGuard guard;          // remembers the modes and the flag
//     file->emitInitialDefault = false;
//     PackageCreator::instance()->loading = true;
//     if (!file->loadFile(path))
//         return false;               // both back as they were
//
// The modes are ConfigFile's emitInitialDefault, globalOnly, insertionCount,
// overrideIndex and overrideSubIndex.

class ConfigFile;
class PackageCreator;

class ConfigReadGuard
{
public:
    explicit ConfigReadGuard(ConfigFile *file = nullptr, PackageCreator *model = nullptr);
    ~ConfigReadGuard();
    ConfigReadGuard(const ConfigReadGuard &) = delete;
    ConfigReadGuard &operator=(const ConfigReadGuard &) = delete;

private:
    ConfigFile *m_file;
    PackageCreator *m_model;
    bool m_emitInitialDefault;
    bool m_globalOnly;
    int m_insertionCount;
    int m_overrideIndex;
    int m_overrideSubIndex;
    bool m_loading;
};
