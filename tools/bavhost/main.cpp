// bavhost: loads a BAV anti-virus plug-in and calls its exports the way the
// mail client does, so that a plug-in can be tried from a console or a test.
#include "bavhost/Answers.h"
#include "bavhost/Plugin.h"
#include "bavhost/PluginSettings.h"
#include "bavhost/SelftestRun.h"
#include "base/FileSystem.h"
#include "base/UniqueResource.h"
#include "base/WinError.h"
#include "plugin/StatusCodes.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <utility>
#include <vector>

namespace ostrel::bavhost {
namespace {

// Each file is checked first, as the mail client does before it offers a
// cure: that gives the virus name, and a clean file needs no cure.
int ScanFiles(const Plugin& plugin, bool cure, bool disabled, const std::vector<std::string>& files,
              bool& error)
{
    int exit = kDone;
    for (const std::string& file : files) {
        // The client hands plug-ins absolute paths.
        const std::string path = ostrel::FullPathName(file);
        char message[1024] = {};
        const int32_t check = plugin.checkFile(path.c_str(), message);
        message[sizeof message - 1] = '\0';
        int32_t code = check;
        std::string answer = CheckAnswer(check, disabled);
        if (cure) {
            // As the mail client does: only a find is cured, and a check that
            // failed keeps its own answer.
            if (IsFinding(check)) {
                code = plugin.cureFile(path.c_str(), nullptr);
            }
            answer = CureAnswer(check, code, disabled);
        }
        std::printf("%s: %s%s\n", file.c_str(), answer.c_str(),
                    message[0] ? (" [" + std::string(message) + "]").c_str() : "");
        error = error || code == HostValue(HostResult::Error);
        exit = std::max(exit, FileExitCode(code));
    }
    return exit;
}

void PrintErrorAdvice(const Plugin& plugin, const std::string& pluginPath)
{
    for (const std::string& line : ErrorAdvice(plugin.getStatus(), ReadLogSettings(pluginPath))) {
        std::printf("%s\n", line.c_str());
    }
}

void PrintInfo(const Plugin& plugin, const std::string& pluginPath, const std::string& name)
{
    std::printf("Name: %s\nVersion: %s\n", name.c_str(), Text(plugin.getVersion).c_str());
    std::printf("Status: %s\n", StatusText(plugin.getStatus()).c_str());
    if (NameSaysDisabled(name)) {
        std::printf("Checking: disabled (Disabled=1): every check answers 0 without scanning\n");
    }
    const LogSettings log = ReadLogSettings(pluginPath);
    if (log.known) {
        std::printf("Settings: %s\n", log.store.c_str());
        std::printf("Log: %s\n", log.logging && !log.logFileName.empty() ? log.logFileName.c_str()
                                                                         : "off");
    }
    const std::pair<const char*, NoArgs> answers[] = {
        {"ComNeeded", plugin.comNeeded},           {"ConfigNeeded", plugin.configNeeded},
        {"SetCfgData", plugin.setCfgData},         {"GetCfgData", plugin.getCfgData},
        {"MemoryChecking", plugin.memoryChecking}, {"FileChecking", plugin.fileChecking},
        {"StreamChecking", plugin.streamChecking}};
    for (const auto& [label, answer] : answers) {
        std::printf("%s\n", CapabilityText(label, answer()).c_str());
    }
}

int Run(const Plugin& plugin, const std::string& pluginPath, const std::string& command,
        const std::vector<std::string>& files)
{
    const int32_t init = plugin.initialize();
    // Also when a command fails with an exception: the plug-in ends what it still runs.
    ScopeExit uninitialize([&plugin] { plugin.uninitialize(); });
    int exit = init < 0 ? kPluginError : kDone;
    bool error = init == HostValue(HostResult::Error);
    if (command == "init") {
        std::printf("Initialize: %s\n", ResultText(init).c_str());
    } else if (init < 0) {
        std::fprintf(stderr, "bavhost: BAV_Initialize answered %s\n", ResultText(init).c_str());
    }
    const std::string name = Text(plugin.getName);

    if (command == "selftest") {
        exit = RunSelftest(plugin, pluginPath, name);
        error = false;
    } else if (command == "info") {
        PrintInfo(plugin, pluginPath, name);
    } else if (command == "init") {
        std::printf("Status: %s\nName: %s\n", StatusText(plugin.getStatus()).c_str(), name.c_str());
    } else if (command == "setup") {
        // The dialog saves only when closed with OK.
        const std::string before = SettingsStamp(pluginPath);
        const int32_t result = plugin.setup();
        const bool saved = SettingsStamp(pluginPath) != before;
        std::printf("Setup: %s\n", SetupAnswer(result, saved).c_str());
        std::printf("Status: %s\n", StatusText(plugin.getStatus()).c_str());
        exit = std::max(exit, result < 0 ? kPluginError : kDone);
        error = error || result == HostValue(HostResult::Error);
    } else {
        exit = std::max(exit, ScanFiles(plugin, command == "cure", NameSaysDisabled(name), files, error));
    }
    if (error) {
        PrintErrorAdvice(plugin, pluginPath);
    }
    return exit;
}

bool IsHelp(const std::string& arg)
{
    return arg == "-h" || arg == "--help";
}

int Main(const std::vector<std::string>& args)
{
    if (args.empty()) {
        std::fputs(HelpText, stderr);
        return kUsage;
    }
    if (IsHelp(args[0]) || (args.size() > 1 && IsHelp(args[1]))) {
        std::fputs(HelpText, stdout);
        return kDone;
    }
    const std::string command = args.size() > 1 ? args[1] : "";
    std::vector<std::string> files;
    if (args.size() > 2) {
        files.assign(args.begin() + 2, args.end());
    }
    const bool scan = command == "check" || command == "cure";
    const bool plain = command == "info" || command == "init" || command == "setup" || command == "selftest";
    std::string problem;
    if (command.empty()) {
        problem = "no command given";
    } else if (!scan && !plain) {
        problem = "unknown command '" + command + "'";
    } else if (scan && files.empty()) {
        problem = command + " needs at least one file";
    } else if (plain && !files.empty()) {
        problem = command + " takes no files";
    } else if (std::find(files.begin(), files.end(), std::string()) != files.end()) {
        problem = "a file name is empty";
    }
    if (!problem.empty()) {
        std::fprintf(stderr, "bavhost: %s\nTry 'bavhost --help'.\n", problem.c_str());
        return kUsage;
    }

    // A console host must never stop on a "no disk in drive" box.
    SetErrorMode(SEM_FAILCRITICALERRORS);
    // A relative name would let LoadLibrary pick some other copy from the DLL search path.
    const std::string pluginPath = ostrel::FullPathName(args[0]);
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
    return Run(plugin, pluginPath, command, files);
}

}  // namespace
}  // namespace ostrel::bavhost

int main(int argc, char* argv[])
{
    try {
        return ostrel::bavhost::Main(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bavhost: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "bavhost: unexpected failure\n");
    }
    return ostrel::bavhost::kHostFailed;
}
