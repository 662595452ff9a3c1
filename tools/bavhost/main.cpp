// bavhost: loads a BAV anti-virus plug-in and calls its exports the way the
// mail client does, so that a plug-in can be tried from a console or a test.
#include "base/UniqueResource.h"
#include "base/WinError.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kDone = 0, kInfected = 1, kUsage = 2, kCannotLoad = 3, kNotPlugin = 4,
              kPluginError = 5, kHostFailed = 6;

const char kHelp[] =
    "Usage: bavhost PLUGIN COMMAND [FILE...]\n"
    "Loads a BAV anti-virus plug-in and calls it the way the mail client does.\n"
    "\n"
    "Commands:\n"
    "  info           name, version, status and the plug-in's constant answers\n"
    "  init           initialize; print the result, the status and the name\n"
    "  setup          initialize, open the plug-in's settings, print the status\n"
    "  check FILE...  check each file: code, meaning and the virus name found\n"
    "  cure FILE...   try to cure each file\n"
    "  -h, --help     this text\n"
    "Every command initializes the plug-in first (going on even if that fails)\n"
    "and uninitializes it last.\n"
    "\n"
    "Exit codes:\n"
    "  0  done; for check and cure, every file is OK\n"
    "  1  at least one file is infected or suspicious\n"
    "  2  usage error (also when run without arguments)\n"
    "  3  the plug-in file is missing or cannot be loaded\n"
    "  4  not a BAV plug-in: a BAV_ export is missing\n"
    "  5  the plug-in answered an error (not supported, cannot be cured, error)\n"
    "     or an unknown code to initialize, setup, check or cure\n"
    "  6  bavhost itself failed (out of memory)\n"
    "2, 3 and 4 stop before the plug-in is called. Otherwise the highest code\n"
    "wins: a file that could not be checked outweighs a finding elsewhere.\n";

using NoArgs = int32_t(WINAPI*)();
using GetText = int32_t(WINAPI*)(char* buffer, int32_t size);
using CheckFile = int32_t(WINAPI*)(const char* fileName, char* message);
using CureFile = int32_t(WINAPI*)(const char* fileName, void* ignored);

struct Plugin {
    NoArgs initialize, uninitialize, comNeeded, configNeeded, setup, setCfgData, getCfgData,
        getStatus, memoryChecking, fileChecking, streamChecking;
    GetText getName, getVersion;
    CheckFile checkFile;
    CureFile cureFile;
};

// The client hands plug-ins absolute paths; a relative plug-in name would
// also let LoadLibrary pick some other copy from the DLL search path.
std::string FullPath(const std::string& path)
{
    std::string full(MAX_PATH, '\0');
    DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, &full[0], nullptr);
    if (length == 0 || length >= MAX_PATH) {
        return path;
    }
    full.resize(length);
    return full;
}

template <typename Function>
void Bind(HMODULE module, const char* name, Function& target, std::string& missing)
{
    FARPROC proc = GetProcAddress(module, name);
    if (!proc) {
        missing += (missing.empty() ? "" : ", ") + std::string(name);
    }
    target = reinterpret_cast<Function>(reinterpret_cast<void*>(proc));
}

// Returns the names of the missing exports, empty when all are there.
std::string BindAll(HMODULE module, Plugin& p)
{
    std::string missing;
    Bind(module, "BAV_Initialize", p.initialize, missing);
    Bind(module, "BAV_Uninitialize", p.uninitialize, missing);
    Bind(module, "BAV_ComNeeded", p.comNeeded, missing);
    Bind(module, "BAV_ConfigNeeded", p.configNeeded, missing);
    Bind(module, "BAV_Setup", p.setup, missing);
    Bind(module, "BAV_SetCfgData", p.setCfgData, missing);
    Bind(module, "BAV_GetCfgData", p.getCfgData, missing);
    Bind(module, "BAV_GetStatus", p.getStatus, missing);
    Bind(module, "BAV_MemoryChecking", p.memoryChecking, missing);
    Bind(module, "BAV_FileChecking", p.fileChecking, missing);
    Bind(module, "BAV_StreamChecking", p.streamChecking, missing);
    Bind(module, "BAV_GetName", p.getName, missing);
    Bind(module, "BAV_GetVersion", p.getVersion, missing);
    Bind(module, "BAV_CheckFile", p.checkFile, missing);
    Bind(module, "BAV_CureFile", p.cureFile, missing);
    return missing;
}

std::string Describe(int32_t code)
{
    const char* words = "unknown";
    switch (code) {
    case 0: words = "OK"; break;
    case 1: words = "virus found"; break;
    case 2: words = "suspicious"; break;
    case -1: words = "not supported"; break;
    case -2: words = "cannot be cured"; break;
    case -3: words = "error"; break;
    }
    return std::to_string(code) + " (" + words + ")";
}

// The plug-in copies without a terminator; the spare byte also keeps a
// plug-in that writes one anyway inside the buffer.
std::string Text(GetText get)
{
    const int32_t kLimit = 4096;  // a wild length must not become a wild allocation
    const int32_t length = std::min(get(nullptr, 0), kLimit);
    if (length <= 0) {
        return {};
    }
    std::string text(length + 1, '\0');
    text.resize(std::clamp(get(&text[0], length), 0, length));
    return text;
}

int ScanFiles(const Plugin& plugin, bool cure, const std::vector<std::string>& files)
{
    int exit = kDone;
    for (const std::string& file : files) {
        const std::string path = FullPath(file);
        char message[1024] = {};
        const int32_t code = cure ? plugin.cureFile(path.c_str(), nullptr)
                                  : plugin.checkFile(path.c_str(), message);
        message[sizeof message - 1] = '\0';
        std::printf("%s: %s%s\n", file.c_str(), Describe(code).c_str(),
                    message[0] ? (" [" + std::string(message) + "]").c_str() : "");
        const bool finding = code == 1 || code == 2;
        exit = std::max(exit, code == 0 ? kDone : finding ? kInfected : kPluginError);
    }
    return exit;
}

int Run(const Plugin& plugin, const std::string& command, const std::vector<std::string>& files)
{
    const int32_t init = plugin.initialize();
    int exit = init < 0 ? kPluginError : kDone;
    if (command == "init") {
        std::printf("Initialize: %s\n", Describe(init).c_str());
    } else if (init < 0) {
        std::fprintf(stderr, "bavhost: BAV_Initialize answered %s\n", Describe(init).c_str());
    }

    if (command == "info") {
        std::printf("Name: %s\nVersion: %s\n", Text(plugin.getName).c_str(),
                    Text(plugin.getVersion).c_str());
        std::printf("Status: %d\n", static_cast<int>(plugin.getStatus()));
        const std::pair<const char*, NoArgs> answers[] = {
            {"ComNeeded", plugin.comNeeded},       {"ConfigNeeded", plugin.configNeeded},
            {"SetCfgData", plugin.setCfgData},     {"GetCfgData", plugin.getCfgData},
            {"MemoryChecking", plugin.memoryChecking}, {"FileChecking", plugin.fileChecking},
            {"StreamChecking", plugin.streamChecking}};
        for (const auto& [label, answer] : answers) {
            std::printf("%s: %d\n", label, static_cast<int>(answer()));
        }
    } else if (command == "init") {
        std::printf("Status: %d\nName: %s\n", static_cast<int>(plugin.getStatus()),
                    Text(plugin.getName).c_str());
    } else if (command == "setup") {
        const int32_t result = plugin.setup();
        std::printf("Setup: %s\n", Describe(result).c_str());
        std::printf("Status: %d\n", static_cast<int>(plugin.getStatus()));
        exit = std::max(exit, result < 0 ? kPluginError : kDone);
    } else {
        exit = std::max(exit, ScanFiles(plugin, command == "cure", files));
    }

    plugin.uninitialize();
    return exit;
}

int Main(const std::vector<std::string>& args)
{
    if (args.empty()) {
        std::fputs(kHelp, stderr);
        return kUsage;
    }
    if (args[0] == "-h" || args[0] == "--help") {
        std::fputs(kHelp, stdout);
        return kDone;
    }
    const std::string command = args.size() > 1 ? args[1] : "";
    std::vector<std::string> files;
    if (args.size() > 2) {
        files.assign(args.begin() + 2, args.end());
    }
    const bool scan = command == "check" || command == "cure";
    const bool plain = command == "info" || command == "init" || command == "setup";
    std::string problem;
    if (command.empty()) {
        problem = "no command given";
    } else if (!scan && !plain) {
        problem = "unknown command '" + command + "'";
    } else if (scan && files.empty()) {
        problem = command + " needs at least one file";
    } else if (plain && !files.empty()) {
        problem = command + " takes no files";
    }
    if (!problem.empty()) {
        std::fprintf(stderr, "bavhost: %s\nTry 'bavhost --help'.\n", problem.c_str());
        return kUsage;
    }

    // A console host must never stop on a "no disk in drive" box.
    SetErrorMode(SEM_FAILCRITICALERRORS);
    const std::string pluginPath = FullPath(args[0]);
    // Freed on every way out, after the plug-in's Uninitialize has run.
    const ostrel::UniqueModule module(LoadLibraryA(pluginPath.c_str()));
    if (!module) {
        const DWORD error = GetLastError();
        std::fprintf(stderr, "bavhost: cannot load %s: %s (error %lu)\n", pluginPath.c_str(),
                     ostrel::SystemErrorMessage(error, pluginPath).c_str(), static_cast<unsigned long>(error));
        return kCannotLoad;
    }
    Plugin plugin{};
    const std::string missing = BindAll(module.get(), plugin);
    if (!missing.empty()) {
        std::fprintf(stderr, "bavhost: %s is not a BAV plug-in; it lacks %s\n",
                     pluginPath.c_str(), missing.c_str());
        return kNotPlugin;
    }
    return Run(plugin, command, files);
}

}  // namespace

int main(int argc, char* argv[])
{
    try {
        return Main(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bavhost: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "bavhost: unexpected failure\n");
    }
    return kHostFailed;
}
