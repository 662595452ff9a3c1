#pragma once

#include "log/LogLines.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ostrel {

// The user's separators that the report's number and time pictures use.
struct ReportSeparators {
    std::string thousand = ",";
    std::string time = ":";
};

// The picture "#,##0": groups of three digits, at least one digit.
std::string FormatGroupedNumber(uint64_t value, std::string_view thousandSeparator);

// The picture "#,###" of whole megabytes, then " MB". Below one megabyte
// the picture leaves no digit at all.
std::string FormatMegabytes(uint64_t bytes, std::string_view thousandSeparator);

// A FormatDateTime picture whose colons stand for the time separator.
std::string FormatReportDateTime(std::string_view picture, const LocalDateTime& moment,
                                 std::string_view timeSeparator);

// One entry of the scanner folder listing: the name cut or padded to 20,
// the size right-aligned in 12 (never cut), the last-write time.
std::string FormatListingLine(std::string_view name, uint64_t size, const LocalDateTime& lastWrite,
                              const ReportSeparators& separators);

// Replaces every occurrence, matching by the upper case of Windows-1252.
std::string ReplaceTextNoCase(std::string_view text, std::string_view from, std::string_view to);

// Asks for a shell folder (a CSIDL) and gives its path on success.
using FolderQuery = std::function<bool(int folderId, std::string& path)>;

// Puts the folders for the mail client's placeholders "%APPDATA%" and
// "%ALLUSERSPROFILE%" into its working directory; a folder that cannot be
// found leaves its placeholder.
std::string ExpandWorkingDirectory(std::string_view directory, const FolderQuery& folderPath);

}  // namespace ostrel
