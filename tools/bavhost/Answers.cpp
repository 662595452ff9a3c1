#include "bavhost/Answers.h"

#include "plugin/StatusCodes.h"

namespace ostrel::bavhost {

const char HelpText[] =
    "Usage: bavhost PLUGIN COMMAND [FILE...]\n"
    "       bavhost [PLUGIN] --help\n"
    "Loads a BAV anti-virus plug-in and calls it the way the mail client does.\n"
    "\n"
    "Commands:\n"
    "  info           name, version, status and what the plug-in can do\n"
    "  init           initialize; print the result, the status and the name\n"
    "  setup          open the plug-in's settings; say whether they were saved\n"
    "  check FILE...  check each file: code, meaning and the virus name found\n"
    "  cure FILE...   check each file and cure what the check finds: cured,\n"
    "                 could not be cured, or nothing to cure\n"
    "  selftest       check a clean file and an EICAR test file, as the mail\n"
    "                 client would, and say whether the chain to the engine works\n"
    "  -h, --help     this text\n"
    "Every command initializes the plug-in first (going on even if that fails)\n"
    "and uninitializes it last. After an error answer (-3) bavhost names the\n"
    "plug-in's log, or says how to switch logging on.\n"
    "\n"
    "Exit codes:\n"
    "  0  done; for check and cure, every file is OK, cured or not checked\n"
    "  1  at least one file is infected or suspicious (after cure: still is)\n"
    "  2  usage error (also when run without arguments, or with an empty\n"
    "     file name)\n"
    "  3  the plug-in file is missing or cannot be loaded\n"
    "  4  not a BAV plug-in: a BAV_ export is missing\n"
    "  5  the plug-in answered an error (not supported, cannot be cured, error)\n"
    "     or an unknown code to initialize, setup, check or cure\n"
    "  6  bavhost itself failed (out of memory)\n"
    "selftest ends with its own codes instead of 1 and 5:\n"
    "  0  the chain works: the clean file passed, the EICAR test file was found\n"
    "  7  the scanner answers, but real-time protection took the test file first\n"
    "  8  not configured, or checking is disabled\n"
    "  9  the scanner named in the settings is missing\n"
    " 10  an error: the scanner gave no verdict (the log's end is shown)\n"
    " 11  the EICAR test file was not found\n"
    "2, 3 and 4 stop before the plug-in is called. Otherwise the highest code\n"
    "wins: a file that could not be checked outweighs a finding elsewhere.\n";

namespace {

std::string Numbered(int32_t code, const std::string& words)
{
    return std::to_string(code) + " (" + words + ")";
}

// Any number may come back from a plug-in; the switches name the known ones.
HostResult AsHost(int32_t code)
{
    return static_cast<HostResult>(code);
}

PluginStatus AsStatus(int32_t status)
{
    return static_cast<PluginStatus>(status);
}

}  // namespace

bool IsFinding(int32_t code)
{
    return AsHost(code) == HostResult::VirusFound || AsHost(code) == HostResult::Suspicious;
}

std::string ResultText(int32_t code)
{
    switch (AsHost(code)) {
    case HostResult::Ok: return Numbered(code, "OK");
    case HostResult::VirusFound: return Numbered(code, "virus found");
    case HostResult::Suspicious: return Numbered(code, "suspicious");
    case HostResult::NotSupported: return Numbered(code, "not supported");
    case HostResult::CannotCure: return Numbered(code, "cannot be cured");
    case HostResult::Error: return Numbered(code, "error");
    default: return Numbered(code, "unknown answer");
    }
}

std::string StatusText(int32_t status)
{
    switch (AsStatus(status)) {
    case PluginStatus::Ready: return Numbered(status, "ready");
    case PluginStatus::NotConfigured:
        return Numbered(status, "not configured: set AVPExeName and AVPScanParam");
    case PluginStatus::Failed:
        return Numbered(status, "failed: an error in initialize, setup or uninitialize; "
                                "checks answer -3 until the plug-in is loaded again");
    default: return Numbered(status, "unknown status");
    }
}

std::string CapabilityText(const std::string& name, int32_t answer)
{
    // For these questions 0 means yes and an error code means no.
    struct Question {
        const char* name;
        const char* yes;
        const char* no;
    };
    static const Question questions[] = {
        {"ComNeeded", "the plug-in needs COM", "the plug-in needs no COM"},
        {"ConfigNeeded", "the plug-in has a settings dialog (setup)", "the plug-in has no settings dialog"},
        {"SetCfgData", "the client may hand settings to the plug-in",
         "the client cannot hand settings to the plug-in"},
        {"GetCfgData", "the client may read the plug-in's settings",
         "the client cannot read the plug-in's settings"},
        {"MemoryChecking", "the plug-in checks memory", "the plug-in does not check memory"},
        {"FileChecking", "the plug-in checks files", "the plug-in does not check files"},
        {"StreamChecking", "the plug-in checks streams", "the plug-in does not check streams"},
    };
    for (const Question& question : questions) {
        if (name == question.name) {
            return name + ": " + Numbered(answer, answer == 0 ? std::string("yes: ") + question.yes
                                                              : std::string("no: ") + question.no);
        }
    }
    return name + ": " + std::to_string(answer);
}

bool NameSaysDisabled(const std::string& name)
{
    const std::size_t open = name.rfind(" [");
    if (open == std::string::npos || name.back() != ']') {
        return false;
    }
    const std::string flags = ";" + name.substr(open + 2, name.size() - open - 3) + ";";
    return flags.find(";Disabled;") != std::string::npos;
}

std::string CheckAnswer(int32_t code, bool disabled)
{
    if (disabled && AsHost(code) == HostResult::Ok) {
        return Numbered(code, "not checked: checking is disabled");
    }
    if (AsHost(code) == HostResult::Ok) {
        return Numbered(code, "OK: nothing found");
    }
    return ResultText(code);
}

std::string CureAnswer(int32_t checkBefore, int32_t cure, bool disabled)
{
    if (AsHost(checkBefore) == HostResult::Ok) {
        return Numbered(HostValue(HostResult::Ok), disabled ? "not cured: checking is disabled" : "nothing to cure");
    }
    if (!IsFinding(checkBefore)) {
        return ResultText(checkBefore);
    }
    switch (AsHost(cure)) {
    case HostResult::Ok: return Numbered(cure, "cured");
    case HostResult::VirusFound: return Numbered(cure, "virus found: could not be cured");
    case HostResult::Suspicious: return Numbered(cure, "suspicious: could not be cured");
    case HostResult::CannotCure: return Numbered(cure, "could not be cured");
    default: return ResultText(cure);
    }
}

int FileExitCode(int32_t code)
{
    if (AsHost(code) == HostResult::Ok) {
        return kDone;
    }
    return IsFinding(code) ? kInfected : kPluginError;
}

std::string SetupAnswer(int32_t result, bool saved)
{
    if (AsHost(result) != HostResult::Ok) {
        return ResultText(result);
    }
    return Numbered(result, saved ? "OK: the settings were saved"
                                  : "Cancel (or OK with nothing changed): nothing was saved");
}

std::vector<std::string> ErrorAdvice(int32_t status, const LogSettings& log)
{
    if (AsStatus(status) == PluginStatus::NotConfigured) {
        return {"The plug-in is not configured and writes no log: set AVPExeName and AVPScanParam" +
                (log.known ? " in " + log.store : std::string()) + "."};
    }
    if (!log.known) {
        return {"The plug-in's log tells why, when logging is on (Logging=1, LogFileName=full path)."};
    }
    std::vector<std::string> advice;
    if (log.logging && !log.logFileName.empty()) {
        advice.push_back("The plug-in's log tells why: " + log.logFileName);
        if (!log.logOutput || log.maxLogLevel < 2) {
            advice.push_back("For the scanner's command line and output set LogAVPOutput=1 and "
                             "MaxLogLevel=2 in " + log.store + ".");
        }
        return advice;
    }
    advice.push_back("Logging is off, so nothing tells why. Switch it on in " + log.store + ":");
    if (log.iniFile) {
        advice.push_back("  under [Data]: Logging=1, LogFileName=C:\\full\\path\\Ostrel.log, "
                         "LogAVPOutput=1, MaxLogLevel=2");
    } else {
        advice.push_back("  Logging=1, LogAVPOutput=1, MaxLogLevel=2 (REG_DWORD) and "
                         "LogFileName=C:\\full\\path\\Ostrel.log (REG_SZ)");
    }
    advice.push_back("  (or in the plug-in's settings dialog: bavhost PLUGIN setup), then try again.");
    return advice;
}

}  // namespace ostrel::bavhost
