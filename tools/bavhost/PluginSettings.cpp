#include "bavhost/PluginSettings.h"

#include "base/Exception.h"
#include "base/UniqueResource.h"
#include "settings/Config.h"

#include <windows.h>

#include <optional>

namespace ostrel::bavhost {

namespace {

struct LoadedSettings {
    ConfigValues values;
    std::string iniFile;  // empty when the registry holds them
    std::string keyPath;
};

std::optional<LoadedSettings> Load(const std::string& pluginPath)
{
    try {
        TConfig config;
        config.SetModuleFileName(pluginPath);
        config.Load();
        return LoadedSettings{config.Values(), config.UseIniFile() ? config.IniFileName() : "",
                              config.KeyPath()};
    } catch (const Exception&) {
        // A value of the wrong kind: the plug-in's own load failed the same way.
        return std::nullopt;
    }
}

std::string TimeText(const FILETIME& time)
{
    return std::to_string(time.dwHighDateTime) + ":" + std::to_string(time.dwLowDateTime);
}

std::string LastWritten(const LoadedSettings& settings)
{
    FILETIME time{};
    if (!settings.iniFile.empty()) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (GetFileAttributesExA(settings.iniFile.c_str(), GetFileExInfoStandard, &data)) {
            time = data.ftLastWriteTime;
        }
    } else {
        UniqueRegKey key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, settings.keyPath.c_str(), 0, KEY_READ, key.receive()) ==
            ERROR_SUCCESS) {
            RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr, &time);
        }
    }
    return TimeText(time);
}

}  // namespace

LogSettings ReadLogSettings(const std::string& pluginPath)
{
    LogSettings log;
    const std::optional<LoadedSettings> settings = Load(pluginPath);
    if (!settings) {
        return log;
    }
    log.known = true;
    log.iniFile = !settings->iniFile.empty();
    log.store = log.iniFile ? settings->iniFile : "HKEY_CURRENT_USER\\" + settings->keyPath;
    log.logging = settings->values.Logging;
    log.logFileName = settings->values.LogFileName;
    log.logOutput = settings->values.LogAVPOutput;
    log.maxLogLevel = settings->values.MaxLogLevel;
    log.scanner = settings->values.AVPExeName;
    return log;
}

std::string SettingsStamp(const std::string& pluginPath)
{
    const std::optional<LoadedSettings> settings = Load(pluginPath);
    if (!settings) {
        return {};
    }
    const ConfigValues& v = settings->values;
    const char separator = '\n';
    std::string stamp = LastWritten(*settings);
    for (const std::string* text : {&v.AVPExeName, &v.AVPScanParam, &v.AVPCureParam, &v.LogFileName,
                                    &v.HelpFileName, &v.LanguageFileName, &v.EndString}) {
        stamp += separator + *text;
    }
    for (int32_t number : {int32_t{v.Logging}, int32_t{v.Disabled}, int32_t{v.LogAVPOutput}, v.MaxLogLevel}) {
        stamp += separator + std::to_string(number);
    }
    return stamp;
}

}  // namespace ostrel::bavhost
