#include "log/LogFacade.h"

#include "base/FilePath.h"
#include "base/FileSystem.h"
#include "base/MessageBox.h"
#include "base/UniqueResource.h"

namespace ostrel {

TLogFacade::TLogFacade(TConfig& config, TOstrelLog& log, TMessageTexts& texts, std::function<bool()> configured)
    : config_(config), log_(log), texts_(texts), configured_(std::move(configured))
{
}

void TLogFacade::WriteLog(const std::string& text, int32_t level)
{
    const ConfigValues settings = config_.Values();
    if (!settings.Logging || settings.LogFileName.empty() || !configured_() || level > settings.MaxLogLevel ||
        reportingThread_ == GetCurrentThreadId()) {
        return;
    }
    try {
        log_.DoLog(text);
    } catch (const ELogError& error) {
        ReportLogError(settings.LogFileName, error);
    }
}

void TLogFacade::ReportLogError(const std::string& logFileName, const ELogError& error)
{
    std::string body;
    std::string caption;
    {
        reportingThread_ = GetCurrentThreadId();
        ScopeExit reported([this] { reportingThread_ = 0; });
        const std::string folder = ExtractFileDir(logFileName);
        std::string dirNote;
        if (!DirectoryExists(folder)) {
            dirNote = "\r\n" + texts_.Format(MessageKey::SDirNotExists, {folder});
        }
        body = texts_.Format(MessageKey::SLogError, {logFileName, error.ClassName(), error.Message()}) + dirNote;
        caption = texts_.Text(MessageKey::SError);
    }
    ShowErrorBox(body, caption);
}

void TLogFacade::TrimLogFile()
{
    const std::string logFileName = config_.Values().LogFileName;
    if (!logFileName.empty() && FileExists(logFileName)) {
        log_.TrimToMaxLines();
    }
}

}  // namespace ostrel
