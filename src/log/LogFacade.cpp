#include "log/LogFacade.h"

#include "base/FilePath.h"
#include "base/FileSystem.h"
#include "base/MessageBox.h"
#include "lang/FormatMsg.h"
#include "lang/MessageTexts.h"
#include "log/LogError.h"

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

void LogSink::WriteLogFmt(const std::string& format, const FormatArgs& args, int32_t level)
{
    WriteLog(FormatMsg(format, args), level);
}

TLogFacade::TLogFacade(TConfig& config, TOstrelLog& log, std::function<bool()> configured)
    : config_(config), log_(log), configured_(std::move(configured))
{
}

void TLogFacade::WriteLog(const std::string& text, int32_t level)
{
    const ConfigValues settings = config_.Values();
    if (!settings.Logging || settings.LogFileName.empty() || !configured_()) {
        return;
    }
    try {
        LogMessageFallbacks(log_);
        if (level > settings.MaxLogLevel) {
            return;
        }
        log_.DoLog(text);
    } catch (const ELogError& error) {
        ReportLogError(settings.LogFileName, error);
    }
}

void TLogFacade::TrimLogFile()
{
    const std::string logFileName = config_.Values().LogFileName;
    if (!logFileName.empty() && FileExists(logFileName)) {
        log_.TrimToMaxLines();
    }
}

}  // namespace ostrel
