#include "log/LogFacade.h"

#include "base/FilePath.h"
#include "base/FileSystem.h"
#include "base/MessageBox.h"
#include "lang/FormatMsg.h"
#include "lang/MessageTexts.h"
#include "log/LogError.h"
#include "plugin/OstrelConstVars.h"

namespace ostrel {

namespace {

void ReportLogError(const std::string& logFileName, const ELogError& error)
{
    std::string folder = ExtractFileDir(logFileName);
    std::string dirNote;
    if (!DirectoryExists(folder)) {
        dirNote = "\r\n" + Format(MessageText(MessageKey::SDirNotExists), {folder});
    }
    std::string body = FormatMsg(MessageText(MessageKey::SLogError),
                                 {logFileName, error.ClassName(), error.Message()}) +
                       dirNote;
    ShowErrorBox(body, MessageText(MessageKey::SError));
}

}  // namespace

void WriteLog(const std::string& text, int32_t level)
{
    PluginState& plugin = Plugin();
    ConfigValues settings = plugin.Config.Values();
    if (!settings.Logging || settings.LogFileName.empty() || OstrelStatus == StatusNotConfigured ||
        level > settings.MaxLogLevel) {
        return;
    }
    try {
        plugin.Log.DoLog(text);
    } catch (const ELogError& error) {
        ReportLogError(settings.LogFileName, error);
    }
}

void WriteLogFmt(const std::string& format, const FormatArgs& args, int32_t level)
{
    WriteLog(FormatMsg(format, args), level);
}

void TrimLogFile()
{
    PluginState& plugin = Plugin();
    std::string logFileName = plugin.Config.Values().LogFileName;
    if (!logFileName.empty() && FileExists(logFileName)) {
        plugin.Log.TrimToMaxLines();
    }
}

}  // namespace ostrel
