#include "ui/support/OstrelSupportInfo.h"

#include "base/Exception.h"
#include "base/FilePath.h"
#include "base/FileSystem.h"
#include "base/Format.h"
#include "base/TextLines.h"
#include "base/UniqueResource.h"
#include "base/WinError.h"
#include "settings/RegistryKey.h"
#include "settings/SettingsTable.h"
#include "sysinfo/SystemQueries.h"
#include "ui/support/SupportInfoText.h"

#include <windows.h>

#include <optional>
#include <type_traits>

namespace ostrel {

namespace {

constexpr const char* MailClientKey = "Software\\RIT\\The Bat!";

std::string Dashes(std::size_t count)
{
    return std::string(count, '-');
}

const char* BoolText(bool value)
{
    return value ? "True" : "False";
}

// One setting under the report's own label, each kind in its own form.
std::string ReportLine(const char* label, const ConfigValues& values, SettingField field)
{
    return label + std::visit(
                       [&](auto member) -> std::string {
                           const auto& value = values.*member;
                           using Value = std::decay_t<decltype(value)>;
                           if constexpr (std::is_same_v<Value, bool>) {
                               return BoolText(value);
                           } else if constexpr (std::is_same_v<Value, int32_t>) {
                               return std::to_string(value);
                           } else {
                               return value;
                           }
                       },
                       field);
}

std::string LocaleText(LCTYPE item, const char* fallback)
{
    char buffer[16];
    int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, item, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, length - 1) : std::string(fallback);
}

ReportSeparators UserSeparators()
{
    return {LocaleText(LOCALE_STHOUSAND, ","), LocaleText(LOCALE_STIME, ":")};
}

LocalDateTime ToLocalDateTime(const SYSTEMTIME& time)
{
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

// A time that cannot be converted shows as zeros rather than losing the
// whole report.
LocalDateTime LocalFileTime(const FILETIME& fileTime)
{
    SYSTEMTIME universal = {};
    SYSTEMTIME local = {};
    if (!FileTimeToSystemTime(&fileTime, &universal) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) {
        return {};
    }
    return ToLocalDateTime(local);
}

void AppendHeader(std::vector<std::string>& lines, const TDialogContext& context, const ConfigValues& values,
                  const ReportSeparators& separators)
{
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    lines.push_back("Supportinfo zu: " + context.PluginFileName);
    lines.push_back("Version: " + context.PluginVersion);
    lines.push_back(
        FormatReportDateTime("dd.mm.yyyy, hh:nn", ToLocalDateTime(now), separators.time));
    lines.push_back("Aufrufer: " + ModuleFileName(nullptr));
    lines.push_back(Dashes(78));
    lines.push_back("");
    lines.push_back("Einstellungen:");
    lines.push_back(Dashes(14));
    lines.push_back(ReportLine("AVP                 =", values, &ConfigValues::AVPExeName));
    lines.push_back(ReportLine("Scan-Parameter         =", values, &ConfigValues::AVPScanParam));
    lines.push_back(ReportLine("Cure-Parameter         =", values, &ConfigValues::AVPCureParam));
    lines.push_back(ReportLine("Hilfedatei             =", values, &ConfigValues::HelpFileName));
    lines.push_back(ReportLine("Ausgeschaltet          =", values, &ConfigValues::Disabled));
    lines.push_back("");
    lines.push_back("");
    lines.push_back(ReportLine("Protokoll aktiv        =", values, &ConfigValues::Logging));
    lines.push_back(ReportLine("Protokolldatei         =", values, &ConfigValues::LogFileName));
    lines.push_back(std::string("Pfad existiert         =") +
                    BoolText(DirectoryExists(ExtractFileDir(values.LogFileName))));
    lines.push_back(ReportLine("Protokolltiefe         =", values, &ConfigValues::MaxLogLevel));
    lines.push_back(ReportLine("Ausgabe protokollieren =", values, &ConfigValues::LogAVPOutput));
    lines.push_back("");
}

void AppendFolderListing(std::vector<std::string>& lines, const std::string& folder,
                         const ReportSeparators& separators)
{
    WIN32_FIND_DATAA entry;
    UniqueFindHandle search(FindFirstFileA((folder + "*.*").c_str(), &entry));
    if (!search) {
        RaiseLastOSError("FindFirstFileA");
    }
    do {
        uint64_t size = (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        lines.push_back(FormatListingLine(entry.cFileName, size,
                                          LocalFileTime(entry.ftLastWriteTime), separators));
    } while (FindNextFileA(search.get(), &entry));
    if (GetLastError() != ERROR_NO_MORE_FILES) {
        RaiseLastOSError("FindNextFileA");
    }
}

void AppendScanner(std::vector<std::string>& lines, const ConfigValues& values,
                   const ReportSeparators& separators)
{
    lines.push_back(Dashes(78));
    lines.push_back("");
    lines.push_back("Informationen zu AVP:");
    lines.push_back(Dashes(24));
    lines.push_back(ExtractFileDir(values.AVPExeName));
    if (FileExists(values.AVPExeName)) {
        AppendFolderListing(lines, ExtractFilePath(values.AVPExeName), separators);
    } else {
        lines.push_back("Nicht gefunden: " + values.AVPExeName);
    }
    lines.push_back("");
}

// The whole file is read before a line of it is added, so a read error
// leaves a single line.
void AppendConfigFile(std::vector<std::string>& lines, const std::string& workingDirectory)
{
    lines.push_back("");
    lines.push_back("Inhalt von AVConfig.ini:");
    lines.push_back(Dashes(24));
    // The mail client keeps its folder with a trailing backslash.
    const std::string path = workingDirectory + "AVConfig.ini";
    if (!FileExists(path)) {
        lines.push_back("Nicht gefunden: " + path);
        return;
    }
    std::vector<std::string> content;
    try {
        content = SplitFileLines(ReadWholeFile(path));
    } catch (...) {
        ErrorDescription error = DescribeCurrentException();
        lines.push_back(
            Format("Fehler beim Lesen von %s: %s / %s", {path, error.className, error.message}));
        return;
    }
    for (const std::string& line : content) {
        lines.push_back("  " + line);
    }
}

void AppendMailClient(std::vector<std::string>& lines)
{
    lines.push_back(Dashes(78));
    lines.push_back("");
    lines.push_back("Informationen zu The Bat!:");
    lines.push_back(Dashes(26));
    std::optional<RegistryKey> key =
        RegistryKey::Open(HKEY_CURRENT_USER, MailClientKey, KEY_READ, false);
    if (!key) {
        lines.push_back("Informationen zu The Bat! nicht in Registry gefunden");
    } else {
        if (key->HasValue("EXE path")) {
            lines.push_back("Pfad zu The Bat!: " + key->ReadString("EXE path"));
        }
        if (key->HasValue("Version")) {
            lines.push_back("Version:          " + key->ReadString("Version"));
        }
        if (key->HasValue("Working Directory")) {
            std::string directory =
                ExpandWorkingDirectory(key->ReadString("Working Directory"),
                                       [](int folderId, std::string& path) {
                                           return GetSpecialFolderPath(folderId, false, path);
                                       });
            lines.push_back("Nachrichtenpfad:  " + directory);
            AppendConfigFile(lines, directory);
        }
    }
    lines.push_back("");
}

void AppendSystem(std::vector<std::string>& lines, const ReportSeparators& separators)
{
    lines.push_back(Dashes(78));
    lines.push_back("");
    lines.push_back("Systeminformationen:");
    lines.push_back(Dashes(20));
    WindowsVersionInfo version = GetWindowsVersionInfo();
    // Widened so that no number of the record can show as negative.
    lines.push_back(Format("Betriebssystem: %s, Version: %d.%d Build %d",
                           {version.Name, int64_t{version.Major}, int64_t{version.Minor},
                            int64_t{version.Build}}));
    lines.push_back(version.ServicePack);
    lines.push_back("");
    PhysicalMemory memory = GetPhysicalMemory();
    lines.push_back("phys. Arbeitsspeicher: Total: " +
                    FormatMegabytes(memory.Total, separators.thousand) +
                    ", verfügbar: " + FormatMegabytes(memory.Available, separators.thousand));
    lines.push_back("");
    lines.push_back(Format("Bildschirmauflösung: %d * %d",
                           {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
    lines.push_back("");
    lines.push_back("Temp-Dir: " + GetTempDirectory());
}

}  // namespace

void BuildSupportInfo(const TDialogContext& context, std::vector<std::string>& lines)
{
    const ConfigValues values = context.Config.Values();
    const ReportSeparators separators = UserSeparators();
    AppendHeader(lines, context, values, separators);
    AppendScanner(lines, values, separators);
    AppendMailClient(lines);
    AppendSystem(lines, separators);
}

}  // namespace ostrel
