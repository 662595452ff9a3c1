#include "log/TextLog.h"

#include "base/FileSystem.h"
#include "log/LogError.h"
#include "base/TextLines.h"
#include "log/LogLines.h"

#include <windows.h>

namespace ostrel {

namespace {

constexpr std::size_t MessageBlockSize = 1 << 20;
constexpr const char* StampFormat = "yyyy-mm-dd, hh:nn:ss";
constexpr const char* NoFileName = "Es muß ein Dateiname für FileName angegeben werden";

LocalDateTime Now()
{
    SYSTEMTIME time;
    GetLocalTime(&time);
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

}  // namespace

void TCustomLog::DoLog(const std::string&)
{
    throw ELogError("Die Methode DoLog ist in CustomLog noch nicht implementiert");
}

void TCustomLog::DoLogFmt(const std::string&, const FormatArgs&)
{
    throw ELogError("Die Methode DoLogFmt ist in CustomLog noch nicht implementiert");
}

std::string TCustomLog::Stamp() const
{
    return FormatDateTime(StampFormat, Now());
}

void TTextLog::DoLog(const std::string& text)
{
    CriticalSectionLock guard(lock_);
    if (fileName_.empty()) {
        throw ELogError(NoFileName);
    }
    try {
        // In blocks: the scanner's output may be a message of many megabytes.
        TAppendFile file(fileName_);
        WriteMessageLines(Stamp(), text, MessageBlockSize,
                          [&](std::string_view block) { file.Write(block); });
    } catch (...) {
        ErrorDescription error = DescribeCurrentException();
        throw ELogError(Format("Fehler in DoLog der Klasse %s\r\n%s\r\n%s",
                               {ClassName(), error.className, error.message}));
    }
}

void TTextLog::DoLogFmt(const std::string& format, const FormatArgs& args)
{
    DoLog(Format(format, args));
}

void TTextLog::LoadLines(std::vector<std::string>& lines) const
{
    std::string fileName = FileName();
    if (fileName.empty()) {
        throw ELogError(NoFileName);
    }
    if (!FileExists(fileName)) {
        throw ELogError(Format("Die Datei %s existiert nicht", {fileName}));
    }
    lines = SplitFileLines(ReadWholeFile(fileName));
}

void TTextLog::TrimToMaxLines()
{
    CriticalSectionLock guard(lock_);
    if (fileName_.empty()) {
        throw ELogError("Der Eigenschaft FileName wurde kein Wert zugewiesen");
    }
    if (!FileExists(fileName_)) {
        return;
    }
    // Two breaks more than the lines kept: the tail's first line may be cut,
    // or be the LF of a CR LF whose CR stayed unread.
    std::vector<std::string> lines = SplitFileLines(
        maxLines_ >= 0 ? ReadFileTail(fileName_, static_cast<std::size_t>(maxLines_) + 2) : ReadWholeFile(fileName_));
    if (maxLines_ >= 0 && lines.size() > static_cast<std::size_t>(maxLines_)) {
        lines.erase(lines.begin(), lines.end() - maxLines_);
    }
    ReplaceFileContent(fileName_, JoinFileLines(lines));
}

std::string TTextLog::FileName() const
{
    CriticalSectionLock guard(lock_);
    return fileName_;
}

void TTextLog::SetFileName(std::string fileName)
{
    CriticalSectionLock guard(lock_);
    fileName_ = std::move(fileName);
}

int32_t TTextLog::MaxLines() const
{
    CriticalSectionLock guard(lock_);
    return maxLines_;
}

void TTextLog::SetMaxLines(int32_t maxLines)
{
    CriticalSectionLock guard(lock_);
    maxLines_ = maxLines;
}

}  // namespace ostrel
