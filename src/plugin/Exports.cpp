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
#include "settings/ParameterRules.h"
#include "ui/dialogs/OstrelCfg.h"

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
    OstrelStatus = PluginStatus::Failed;
    try {
        ErrorDescription error = DescribeCurrentException();
        ShowErrorBox(FormatMsg(std::string("Fehler in ") + entryPoint + ":\\n%s\\n%s",
                               {error.className, error.message}),
                     ApplicationTitle);
    } catch (...) {
    }
    return HostValue(HostResult::Error);
}

}  // namespace

extern "C" {

int32_t WINAPI BAV_ComNeeded()
{
    return HostValue(HostResult::Error);
}

int32_t WINAPI BAV_ConfigNeeded()
{
    return HostValue(HostResult::Ok);
}

int32_t WINAPI BAV_SetCfgData()
{
    return HostValue(HostResult::NotSupported);
}

int32_t WINAPI BAV_GetCfgData()
{
    return HostValue(HostResult::NotSupported);
}

int32_t WINAPI BAV_MemoryChecking()
{
    return HostValue(HostResult::NotSupported);
}

int32_t WINAPI BAV_FileChecking()
{
    return HostValue(HostResult::Ok);
}

int32_t WINAPI BAV_StreamChecking()
{
    return HostValue(HostResult::NotSupported);
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
    return HostValue(OstrelStatus.load());
}

int32_t WINAPI BAV_Initialize()
{
    try {
        PluginState& plugin = Plugin();
        plugin.Config.Load();
        ConfigValues settings = plugin.Config.Values();
        ApplyLanguageFile(settings.LanguageFileName, nullptr, plugin.Messages);
        if (!SettingsComplete(settings)) {
            OstrelStatus = PluginStatus::NotConfigured;
        }
        if (OstrelStatus == PluginStatus::NotConfigured) {
            return HostValue(HostResult::Ok);
        }
        plugin.Log.SetFileName(settings.LogFileName);
        plugin.LogFacade.TrimLogFile();
        PluginLog().WriteLog(std::string(80, '-'), LogAlways);
        PluginLog().WriteLog("BAV_Initialize: Log.FileName", LogAlways);
        return HostValue(HostResult::Ok);
    } catch (...) {
        return FailWithBox("BAV_Initialize");
    }
}

int32_t WINAPI BAV_Uninitialize()
{
    try {
        // First, so a failing log cannot keep a cure running.
        Plugin().CureGrace.EndAll();
        PluginLog().WriteLog("BAV_Uninitialize", LogAlways);
        PluginLog().WriteLogFmt("OstrelStatus=%d", {OstrelStatus.load()}, LogAlways);
        return HostValue(HostResult::Ok);
    } catch (...) {
        OstrelStatus = PluginStatus::Failed;
        return HostValue(HostResult::Error);
    }
}

int32_t WINAPI BAV_Setup()
{
    LogQuietly("BAV_Setup", LogCalls);
    try {
        PluginState& plugin = Plugin();
        ShowConfigDialog({plugin.Config, plugin.LogFacade, plugin.Messages, plugin.PluginFileName,
                          plugin.PluginVersion, TestCheck});
        ConfigValues settings = plugin.Config.Values();
        PluginStatus notConfigured = PluginStatus::NotConfigured;
        if (SettingsComplete(settings)) {
            OstrelStatus.compare_exchange_strong(notConfigured, PluginStatus::Ready);
        }
        if (OstrelStatus != PluginStatus::NotConfigured) {
            plugin.Log.SetFileName(settings.LogFileName);
        }
        PluginLog().WriteLog("BAV_Setup: After Setup", LogCalls);
        return HostValue(HostResult::Ok);
    } catch (...) {
        return FailWithBox("BAV_Setup");
    }
}

int32_t WINAPI BAV_CheckFile(const char* fileName, char* message)
{
    try {
        return HostValue(CheckRequest(fileName, message));
    } catch (...) {
        return HostValue(HostResult::Error);
    }
}

int32_t WINAPI BAV_CureFile(const char* fileName, void*)
{
    try {
        return HostValue(CureRequest(fileName));
    } catch (...) {
        return HostValue(HostResult::Error);
    }
}

}  // extern "C"
