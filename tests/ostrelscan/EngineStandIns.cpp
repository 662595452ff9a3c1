#include <winsock2.h>

#include "EngineStandIns.h"

#include "base/FileSystem.h"
#include "settings/RegistryKey.h"
#include "sysinfo/SystemQueries.h"

#include <shlobj.h>

#include <chrono>
#include <stdexcept>

namespace ostrel::test {
namespace {

constexpr char kDefenderKey[] = "SOFTWARE\\Microsoft\\Windows Defender";

std::string SpecialFolder(int id)
{
    std::string path;
    if (!GetSpecialFolderPath(id, false, path)) {
        throw std::runtime_error("no special folder " + std::to_string(id));
    }
    return path;
}

}  // namespace

std::string ProgramFilesFolder()
{
    return SpecialFolder(CSIDL_PROGRAM_FILES);
}

std::string ProgramDataFolder()
{
    return SpecialFolder(CSIDL_COMMON_APPDATA);
}

PlacedFile::PlacedFile(const std::string& path, const std::string& content) : path_(path)
{
    for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
        const std::string folder = path.substr(0, at);
        if (!DirectoryExists(folder)) {
            if (!CreateDirectoryA(folder.c_str(), nullptr)) {
                throw std::runtime_error("cannot create " + folder);
            }
            createdFolders_.push_back(folder);
        }
    }
    WriteFileBytes(path, content);
}

PlacedFile::~PlacedFile()
{
    DeleteFileA(path_.c_str());
    for (auto folder = createdFolders_.rbegin(); folder != createdFolders_.rend(); ++folder) {
        RemoveDirectoryA(folder->c_str());
    }
}

std::string MpCmdRunStandIn()
{
    static const std::string bytes = ReadFileBytes(ProgramFolder() + "\\fake_mpcmdrun.exe");
    return bytes;
}

DefenderRecord::DefenderRecord(const TempDir& folder, const std::string& transcript)
    : platform_(folder.File("Defender platform"))
{
    CreateDirectoryA(platform_.c_str(), nullptr);
    WriteFileBytes(platform_ + "\\MpCmdRun.exe", MpCmdRunStandIn());
    if (!transcript.empty()) {
        Say(transcript);
    }
    std::optional<RegistryKey> key =
        RegistryKey::Open(HKEY_LOCAL_MACHINE, kDefenderKey, KEY_SET_VALUE | KEY_WOW64_64KEY, true);
    if (!key) {
        throw std::runtime_error("cannot write Defender's record");
    }
    key->WriteString("InstallLocation", platform_ + "\\");
}

DefenderRecord::~DefenderRecord()
{
    RegistryKey::DeleteTree(HKEY_LOCAL_MACHINE, kDefenderKey, KEY_WOW64_64KEY);
}

void DefenderRecord::Say(const std::string& transcript) const
{
    WriteFileBytes(platform_ + "\\transcript.txt", transcript);
}

FakeDaemon::FakeDaemon(uint16_t port)
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    BOOL exclusive = TRUE;
    setsockopt(listener, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive),
               sizeof exclusive);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    // Another run's daemon may be ending: the port is polled, bounded.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (std::chrono::steady_clock::now() > until) {
            closesocket(listener);
            WSACleanup();
            throw std::runtime_error("port " + std::to_string(port) + " stays taken");
        }
        Sleep(100);
    }
    listen(listener, SOMAXCONN);
    listener_ = listener;
    thread_ = std::thread([this] { Serve(); });
}

FakeDaemon::~FakeDaemon()
{
    stop_ = true;
    thread_.join();
    closesocket(listener_);
    WSACleanup();
}

void FakeDaemon::Serve()
{
    while (!stop_) {
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(listener_, &ready);
        timeval wait = {0, 100000};
        if (select(0, &ready, nullptr, nullptr, &wait) <= 0) {
            continue;
        }
        const SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) {
            continue;
        }
        ++accepted_;
        const DWORD limit = 10000;
        setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&limit), sizeof limit);
        // Up to the zero-length chunk that ends the stream.
        std::string received;
        char buffer[4096];
        while (received.size() < 14 || received.compare(received.size() - 4, 4, std::string(4, '\0')) != 0) {
            const int got = recv(client, buffer, sizeof buffer, 0);
            if (got <= 0) {
                break;
            }
            received.append(buffer, static_cast<std::size_t>(got));
        }
        static const char answer[] = "stream: OK";
        send(client, answer, sizeof answer, 0);
        closesocket(client);
    }
}

}  // namespace ostrel::test
