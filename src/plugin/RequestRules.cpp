#include "plugin/RequestRules.h"

#include "plugin/StatusCodes.h"
#include "scanner/ScanReport.h"

namespace ostrel {

const char* ScanResultText(int32_t scanCode)
{
    switch (scanCode) {
    case ScanNotCured: return "can not be cured";
    case ScanNoResult: return "Error";
    case ScanClean: return "OK";
    case ScanVirus: return "Virus found";
    case ScanSuspicious: return "Suspicious";
    case ScanVirusRemoved: return "Virus removed";
    default: return "unknown";
    }
}

const char* HostResultText(int32_t hostCode)
{
    switch (hostCode) {
    case HostError: return "Error";
    case HostCannotCure: return "can not be cured";
    case HostNotSupported: return "not supported";
    case HostOk: return "OK";
    case HostVirusFound: return "Virus found";
    case HostSuspicious: return "Suspicious";
    default: return "unknown";
    }
}

int32_t CheckHostResult(int32_t scanCode)
{
    switch (scanCode) {
    case ScanClean:
    case ScanVirusRemoved: return HostOk;
    case ScanVirus: return HostVirusFound;
    case ScanSuspicious: return HostSuspicious;
    default: return HostError;
    }
}

int32_t CureHostResult(int32_t scanCode)
{
    return scanCode == ScanNotCured ? HostCannotCure : CheckHostResult(scanCode);
}

std::string ScannerCommandLine(std::string_view parameters, std::string_view fileName)
{
    std::string name(fileName);
    if (name.find(' ') != std::string::npos) {
        name = '"' + name + '"';
    }
    return std::string(parameters) + " " + name;
}

}  // namespace ostrel
