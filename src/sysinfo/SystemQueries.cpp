#include "sysinfo/SystemQueries.h"

#include "sysinfo/FolderPathBinding.h"
#include "sysinfo/WindowsVersionName.h"

#include <windows.h>

#include <shlobj.h>

#include <cstring>
#include <vector>

namespace ostrel {

bool GetSpecialFolderPath(int folderId, bool create, std::string& path)
{
    // Bound on first use; the static's initialisation is thread-safe and the
    // library is released with the module's statics.
    static const FolderPathBinding binding{"shell32.dll", "SHFolder.dll"};
    return binding.Query(create ? folderId | CSIDL_FLAG_CREATE : folderId, path);
}

WindowsVersionInfo GetWindowsVersionInfo()
{
    OSVERSIONINFOA record = {};
    record.dwOSVersionInfoSize = sizeof record;
    GetVersionExA(&record);

    WindowsVersionInfo info;
    info.Major = record.dwMajorVersion;
    info.Minor = record.dwMinorVersion;
    info.Build = record.dwBuildNumber;
    info.ServicePack.assign(record.szCSDVersion,
                            strnlen(record.szCSDVersion, sizeof record.szCSDVersion));
    info.Name = WindowsVersionName(record.dwPlatformId, info.Major, info.Minor);
    return info;
}

PhysicalMemory GetPhysicalMemory()
{
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) {
        return {};
    }
    return {status.ullTotalPhys, status.ullAvailPhys};
}

std::string GetEnvironmentValue(const std::string& name)
{
    DWORD capacity = MAX_PATH - 1;
    std::vector<char> buffer(MAX_PATH);
    DWORD length = GetEnvironmentVariableA(name.c_str(), buffer.data(), capacity);
    // Too long: the count is then the size needed, zero included. Ask again
    // until it fits, as the value may grow in between.
    while (length > capacity) {
        capacity = length;
        buffer.resize(capacity);
        length = GetEnvironmentVariableA(name.c_str(), buffer.data(), capacity);
    }
    return std::string(buffer.data(), length);
}

std::string GetTempDirectory()
{
    return GetEnvironmentValue("Temp");
}

}  // namespace ostrel
