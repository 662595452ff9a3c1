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
        dirNote = "\r\n" + FormatMessageText(MessageKey::SDirNotExists, {folder});
    }
    std::string body =
        FormatMessageText(MessageKey::SLogError, {logFileName, error.ClassName(), error.Message()}) + dirNote;
    ShowErrorBox(body, MessageText(MessageKey::SError));
}

// Translations that did not fit their arguments, named once each.
void LogMessageFallbacks(TOstrelLog& log)
{
    for (MessageKey key : TakeMessageFallbacks()) {
        log.DoLog(std::string("The text ") + MessageKeyName(key) +
                  " of the language file does not fit its arguments; the built-in text is used");
    }
}

}  // namespace

void WriteLog(const std::string& text, int32_t level)
{
    PluginState& plugin = Plugin();
    ConfigValues settings = plugin.Config.Values();
    if (!settings.Logging || settings.LogFileName.empty() || OstrelStatus == StatusNotConfigured) {
        return;
    }
    try {
        LogMessageFallbacks(plugin.Log);
        if (level > settings.MaxLogLevel) {
            return;
        }
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
