#include "ProgramPlaces.h"

#include "base/FilePath.h"
#include "base/FileSystem.h"
#include "base/UniqueResource.h"
#include "settings/RegistryKey.h"
#include "sysinfo/KxVersion.h"
#include "sysinfo/SystemQueries.h"

#include <windows.h>
#include <shlobj.h>

#include <array>
#include <cstdio>
#include <exception>
#include <optional>
#include <vector>

namespace ostrel::ostrelscan {
namespace {

constexpr char kDefenderKey[] = "SOFTWARE\\Microsoft\\Windows Defender";
constexpr char kEsetKey[] = "SOFTWARE\\ESET\\ESET Security\\CurrentVersion\\Info";
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

// The folder the product's installer records under HKEY_LOCAL_MACHINE;
// only where that record is missing does its default folder under Program
// Files count.
ProgramSearch RecordedOrDefault(const char* key, const char* value, const char* program, const char* defaultPath)
{
    const std::string record = "HKEY_LOCAL_MACHINE\\" + std::string(key) + " " + value;
    const std::string location = MachineString(key, value);
    if (!location.empty()) {
        if (!IsFullPath(location)) {
            return {{}, record + " \"" + location + "\", which is no full path"};
        }
        return LookAt(InFolder(location, program));
    }
    const std::string folder = ProgramFilesFolder();
    if (folder.empty()) {
        return {{}, record + ", the Program Files folder"};
    }
    return LookAt(InFolder(folder, defaultPath));
}

using FileVersion = std::array<unsigned, 4>;

FileVersion VersionOf(const std::string& path)
{
    FileVersion version = {};
    std::sscanf(GetFileVersion(path).c_str(), "%u.%u.%u.%u", &version[0], &version[1], &version[2], &version[3]);
    return version;
}

// Kaspersky's products each install into a folder of their own under
// "Kaspersky Lab", named by product and version, and an upgrade may leave
// the old folder with its avp.com behind. The folder's name is no version
// to go by, so the newest avp.com is the one whose version resource, which
// the installer wrote, is highest. The 32-bit products go under Program
// Files (x86) on a 64-bit Windows.
ProgramSearch FindKaspersky()
{
    std::vector<std::string> labs;
    std::string x86;
    for (const std::string& root :
         {GetSpecialFolderPath(CSIDL_PROGRAM_FILESX86, false, x86) ? x86 : std::string(), ProgramFilesFolder()}) {
        if (!root.empty() && (labs.empty() || labs.front() != InFolder(root, "Kaspersky Lab"))) {
            labs.push_back(InFolder(root, "Kaspersky Lab"));
        }
    }
    ProgramSearch found{{}, "avp.com in the folders under " + (labs.empty() ? "Kaspersky Lab" : labs.front())};
    if (labs.size() > 1) {
        found.looked += " and " + labs.back();
    }
    std::optional<FileVersion> newest;
    for (const std::string& lab : labs) {
        WIN32_FIND_DATAA entry;
        const UniqueFindHandle search(FindFirstFileA(InFolder(lab, "*").c_str(), &entry));
        for (bool more = static_cast<bool>(search); more; more = FindNextFileA(search.get(), &entry)) {
            const std::string name = entry.cFileName;
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == "." || name == "..") {
                continue;
            }
            const std::string program = InFolder(InFolder(lab, name.c_str()), "avp.com");
            if (FileExists(program) && (!newest || VersionOf(program) > *newest)) {
                newest = VersionOf(program);
                found.program = program;
            }
        }
    }
    return found;
}

}  // namespace

ProgramSearch FindInstalledProgram(std::string_view engine)
{
    // Defender records where its current platform version lives.
    if (engine == "defender") {
        return RecordedOrDefault(kDefenderKey, "InstallLocation", "MpCmdRun.exe", "Windows Defender\\MpCmdRun.exe");
    }
    // ESET's installer records its folder as InstallDir, where inventory
    // tools read it; ESET does not document it.
    if (engine == "eset") {
        return RecordedOrDefault(kEsetKey, "InstallDir", "ecls.exe", "ESET\\ESET Security\\ecls.exe");
    }
    if (engine == "kaspersky") {
        return FindKaspersky();
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
