#include "ProgramPlaces.h"

#include "base/FilePath.h"
#include "base/FileSystem.h"
#include "settings/RegistryKey.h"
#include "sysinfo/SystemQueries.h"

#include <windows.h>
#include <shlobj.h>

#include <exception>

namespace ostrel::ostrelscan {
namespace {

constexpr char kDefenderKey[] = "SOFTWARE\\Microsoft\\Windows Defender";
constexpr char kWindowsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// A value under HKEY_LOCAL_MACHINE in the 64-bit view, which a 32-bit tool
// would otherwise not see; a 32-bit Windows ignores the flag. Empty when
// missing or not a string.
std::string MachineString(const char* path, const char* name)
{
    const std::optional<RegistryKey> key =
        RegistryKey::Open(HKEY_LOCAL_MACHINE, path, KEY_QUERY_VALUE | KEY_WOW64_64KEY, false);
    if (!key || !key->HasValue(name)) {
        return {};
    }
    try {
        return key->ReadString(name);
    } catch (const std::exception&) {
        return {};
    }
}

bool RunsUnderWow64()
{
    // Bound at run time: Windows XP before SP2 lacks it.
    using Function = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64 = reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
    BOOL wow64 = FALSE;
    return isWow64 != nullptr && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

// The Program Files folder of the system's own architecture, where ClamAV's
// x64 installer puts it. A 32-bit process gets "Program Files (x86)" from
// the known folder, and FOLDERID_ProgramFilesX64 is documented as not
// supported in a 32-bit process; there the folder comes from the value the
// shell keeps for it, ProgramFilesDir, read in the 64-bit registry view.
std::string ProgramFilesFolder()
{
    if (sizeof(void*) == 4 && RunsUnderWow64()) {
        return MachineString(kWindowsKey, "ProgramFilesDir");
    }
    std::string folder;
    return GetSpecialFolderPath(CSIDL_PROGRAM_FILES, false, folder) ? folder : std::string();
}

std::string InFolder(std::string folder, const char* name)
{
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') {
        folder += '\\';
    }
    return folder + name;
}

// The one place, or where it was sought.
ProgramSearch LookAt(const std::string& path)
{
    return FileExists(path) ? ProgramSearch{path, path} : ProgramSearch{{}, path};
}

// Defender records where its current platform version lives; only where
// that record is missing does the copy that came with Windows count.
ProgramSearch FindDefender()
{
    const std::string location = MachineString(kDefenderKey, "InstallLocation");
    if (!location.empty()) {
        if (!IsFullPath(location)) {
            return {{}, "HKEY_LOCAL_MACHINE\\" + std::string(kDefenderKey) + " InstallLocation \"" + location +
                            "\", which is no full path"};
        }
        return LookAt(InFolder(location, "MpCmdRun.exe"));
    }
    const std::string folder = ProgramFilesFolder();
    if (folder.empty()) {
        return {{}, "HKEY_LOCAL_MACHINE\\" + std::string(kDefenderKey) + " InstallLocation, the Program Files folder"};
    }
    return LookAt(InFolder(folder, "Windows Defender\\MpCmdRun.exe"));
}

}  // namespace

ProgramSearch FindInstalledProgram(std::string_view engine)
{
    if (engine == "defender") {
        return FindDefender();
    }
    const char* program = engine == "clamscan"    ? "ClamAV\\clamscan.exe"
                          : engine == "clamdscan" ? "ClamAV\\clamdscan.exe"
                          : engine == "clamd"     ? "ClamAV\\clamd.exe"
                                                  : nullptr;
    const std::string folder = ProgramFilesFolder();
    if (program == nullptr || folder.empty()) {
        return {{}, "the Program Files folder"};
    }
    return LookAt(InFolder(folder, program));
}

}  // namespace ostrel::ostrelscan
