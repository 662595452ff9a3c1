#pragma once

#include "TestFiles.h"

#include "base/UniqueResource.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace ostrel::test {

// A private copy of the built plug-in, loaded as the mail client loads it,
// so each test has its own ini file beside the module and fresh globals.
class PluginLibrary {
public:
    using NoArgs = int32_t(WINAPI*)();
    using TextQuery = int32_t(WINAPI*)(char*, int32_t);
    using FileRequest = int32_t(WINAPI*)(const char*, char*);

    PluginLibrary();
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    void Load();
    void Unload();

    std::string ModulePath() const { return folder_.File("Ostrel.bav"); }
    std::string IniPath() const { return folder_.File("Ostrel.ini"); }
    std::string File(const std::string& name) const { return folder_.File(name); }
    const TempDir& Folder() const { return folder_; }

    FARPROC Export(const char* name) const;
    int32_t Call(const char* name) const;
    std::string Name() const;
    std::string Version() const;
    int32_t TextCall(const char* name, char* buffer, int32_t size) const;
    int32_t Check(const char* fileName, char* message) const;
    // BAV_Setup, with `user` acting on the configuration dialog, found by
    // its caption, from another thread; by default the dialog is closed as
    // with Cancel.
    int32_t Setup(const std::function<void(HWND dialog)>& user = nullptr,
                  const std::string& caption = "Configuration of Ostrel") const;

private:
    TempDir folder_;
    UniqueModule module_;
};

}  // namespace ostrel::test
