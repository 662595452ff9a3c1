#include "ui/support/SupportInfoText.h"

#include "base/AnsiString.h"
#include "base/FilePath.h"

namespace ostrel {

namespace {

constexpr int FolderAppData = 0x1A;        // CSIDL_APPDATA
constexpr int FolderCommonAppData = 0x23;  // CSIDL_COMMON_APPDATA

std::string PadRight(std::string_view text, std::size_t width)
{
    std::string result(text.substr(0, width));
    result.resize(width, ' ');
    return result;
}

std::string PadLeft(std::string text, std::size_t width)
{
    if (text.size() < width) {
        text.insert(0, width - text.size(), ' ');
    }
    return text;
}

}  // namespace

std::string FormatGroupedNumber(uint64_t value, std::string_view thousandSeparator)
{
    std::string digits = std::to_string(value);
    std::string result;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            result += thousandSeparator;
        }
        result += digits[i];
    }
    return result;
}

std::string FormatMegabytes(uint64_t bytes, std::string_view thousandSeparator)
{
    const uint64_t megabytes = bytes / 1048576;
    return (megabytes == 0 ? std::string() : FormatGroupedNumber(megabytes, thousandSeparator)) +
           " MB";
}

std::string FormatReportDateTime(std::string_view picture, const LocalDateTime& moment,
                                 std::string_view timeSeparator)
{
    // Digits never contain a colon, so the separator goes in afterwards and
    // cannot be taken for a picture token.
    std::string text = FormatDateTime(picture, moment);
    return ReplaceTextNoCase(text, ":", timeSeparator);
}

std::string FormatListingLine(std::string_view name, uint64_t size, const LocalDateTime& lastWrite,
                              const ReportSeparators& separators)
{
    return "    " + PadRight(name, 20) +
           PadLeft(FormatGroupedNumber(size, separators.thousand), 12) + "   " +
           FormatReportDateTime("dd.mm.yyyy   hh:nn:ss", lastWrite, separators.time);
}

std::string ReplaceTextNoCase(std::string_view text, std::string_view from, std::string_view to)
{
    if (from.empty()) {
        return std::string(text);
    }
    const std::string upperText = AnsiUpperCase(text);
    const std::string upperFrom = AnsiUpperCase(from);
    std::string result;
    std::size_t start = 0;
    for (std::size_t found = upperText.find(upperFrom); found != std::string::npos;
         found = upperText.find(upperFrom, start)) {
        result.append(text.substr(start, found - start));
        result.append(to);
        start = found + from.size();
    }
    result.append(text.substr(start));
    return result;
}

std::string ExpandWorkingDirectory(std::string_view directory, const FolderQuery& folderPath)
{
    std::string result(directory);
    std::string folder;
    if (AnsiUpperCase(result).find("%APPDATA%") != std::string::npos &&
        folderPath(FolderAppData, folder)) {
        result = ReplaceTextNoCase(result, "%APPDATA%", folder);
    }
    // The all-users profile is the parent of its application-data folder.
    if (AnsiUpperCase(result).find("%ALLUSERSPROFILE%") != std::string::npos &&
        folderPath(FolderCommonAppData, folder)) {
        result = ReplaceTextNoCase(result, "%ALLUSERSPROFILE%", ExtractFileDir(folder));
    }
    return result;
}

}  // namespace ostrel
