// The fifteen functions the mail client calls. No exception leaves them:
// every failure becomes a result code, and where the host expects none,
// it is contained.
#include "base/Exception.h"
#include "base/MessageBox.h"
#include "lang/FormatMsg.h"
#include "lang/LanguageFile.h"
#include "plugin/FileRequests.h"
#include "plugin/HostBuffer.h"
#include "plugin/OstrelConstVars.h"
#include "plugin/PluginName.h"
#include "ui/OstrelCfg.h"

#include <windows.h>

#include <cstdint>
#include <string>

using namespace ostrel;

namespace {

// For the exports the host expects no error from: the answer stands even
// when logging it failed.
void LogQuietly(const char* text, LogLevel level)
{
    try {
        PluginLog().WriteLog(text, level);
    } catch (...) {
    }
}

int32_t FailWithBox(const char* entryPoint)
{
    OstrelStatus = StatusFailed;
    try {
        ErrorDescription error = DescribeCurrentException();
        ShowErrorBox(FormatMsg(std::string("Fehler in ") + entryPoint + ":\\n%s\\n%s",
                               {error.className, error.message}),
                     ApplicationTitle);
    } catch (...) {
    }
    return HostError;
}

bool SettingsComplete(const ConfigValues& settings)
{
    return !settings.AVPExeName.empty() && !settings.AVPScanParam.empty();
}

}  // namespace

extern "C" {

int32_t WINAPI BAV_ComNeeded()
{
    return HostError;
}

int32_t WINAPI BAV_ConfigNeeded()
{
    return HostOk;
}

int32_t WINAPI BAV_SetCfgData()
{
    return HostNotSupported;
}

int32_t WINAPI BAV_GetCfgData()
{
    return HostNotSupported;
}

int32_t WINAPI BAV_MemoryChecking()
{
    return HostNotSupported;
}

int32_t WINAPI BAV_FileChecking()
{
    return HostOk;
}

int32_t WINAPI BAV_StreamChecking()
{
    return HostNotSupported;
}

int32_t WINAPI BAV_GetName(char* buffer, int32_t size)
{
    LogQuietly("BAV_GetName", LogCalls);
    try {
        return CopyToHostBuffer(PluginDisplayName(OstrelStatus, Plugin().Config.Values().Disabled),
                                buffer, size);
    } catch (...) {
        return 0;
    }
}

int32_t WINAPI BAV_GetVersion(char* buffer, int32_t size)
{
    LogQuietly("BAV_GetVersion", LogCalls);
    try {
        return CopyToHostBuffer(Plugin().PluginVersion, buffer, size);
    } catch (...) {
        return 0;
    }
}

int32_t WINAPI BAV_GetStatus()
{
    LogQuietly("BAV_GetStatus", LogCalls);
    return OstrelStatus;
}

int32_t WINAPI BAV_Initialize()
{
    try {
        PluginState& plugin = Plugin();
        plugin.Config.Load();
        ConfigValues settings = plugin.Config.Values();
        ApplyLanguageFile(settings.LanguageFileName, nullptr);
        if (!SettingsComplete(settings)) {
            OstrelStatus = StatusNotConfigured;
        }
        if (OstrelStatus == StatusNotConfigured) {
            return HostOk;
        }
        plugin.Log.SetFileName(settings.LogFileName);
        plugin.LogFacade.TrimLogFile();
        PluginLog().WriteLog(std::string(80, '-'), LogAlways);
        PluginLog().WriteLog("BAV_Initialize: Log.FileName", LogAlways);
        return HostOk;
    } catch (...) {
        return FailWithBox("BAV_Initialize");
    }
}

int32_t WINAPI BAV_Uninitialize()
{
    try {
        PluginLog().WriteLog("BAV_Uninitialize", LogAlways);
        PluginLog().WriteLogFmt("OstrelStatus=%d", {OstrelStatus.load()}, LogAlways);
        return HostOk;
    } catch (...) {
        OstrelStatus = StatusFailed;
        return HostError;
    }
}

int32_t WINAPI BAV_Setup()
{
    LogQuietly("BAV_Setup", LogCalls);
    try {
        PluginState& plugin = Plugin();
        ShowConfigDialog({plugin.Config, plugin.LogFacade, plugin.PluginFileName, plugin.PluginVersion});
        ConfigValues settings = plugin.Config.Values();
        int32_t notConfigured = StatusNotConfigured;
        if (SettingsComplete(settings)) {
            OstrelStatus.compare_exchange_strong(notConfigured, StatusReady);
        }
        if (OstrelStatus != StatusNotConfigured) {
            plugin.Log.SetFileName(settings.LogFileName);
        }
        PluginLog().WriteLog("BAV_Setup: After Setup", LogCalls);
        return HostOk;
    } catch (...) {
        return FailWithBox("BAV_Setup");
    }
}

int32_t WINAPI BAV_CheckFile(const char* fileName, char* message)
{
    try {
        return CheckRequest(fileName, message);
    } catch (...) {
        return HostError;
    }
}

int32_t WINAPI BAV_CureFile(const char* fileName, void*)
{
    try {
        return CureRequest(fileName);
    } catch (...) {
        return HostError;
    }
}

}  // extern "C"
