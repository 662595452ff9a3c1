#include "plugin/RequestRules.h"

namespace ostrel {

const char* ScanResultText(ScanResult scanCode)
{
    switch (scanCode) {
    case ScanResult::NotCured: return "can not be cured";
    case ScanResult::NoResult: return "Error";
    case ScanResult::Clean: return "OK";
    case ScanResult::Virus: return "Virus found";
    case ScanResult::Suspicious: return "Suspicious";
    case ScanResult::VirusRemoved: return "Virus removed";
    default: return "unknown";
    }
}

const char* HostResultText(HostResult hostCode)
{
    switch (hostCode) {
    case HostResult::Error: return "Error";
    case HostResult::CannotCure: return "can not be cured";
    case HostResult::NotSupported: return "not supported";
    case HostResult::Ok: return "OK";
    case HostResult::VirusFound: return "Virus found";
    case HostResult::Suspicious: return "Suspicious";
    default: return "unknown";
    }
}

HostResult CheckHostResult(ScanResult scanCode)
{
    switch (scanCode) {
    case ScanResult::Clean:
    case ScanResult::VirusRemoved: return HostResult::Ok;
    case ScanResult::Virus: return HostResult::VirusFound;
    case ScanResult::Suspicious: return HostResult::Suspicious;
    default: return HostResult::Error;
    }
}

HostResult CureHostResult(ScanResult scanCode)
{
    return scanCode == ScanResult::NotCured ? HostResult::CannotCure : CheckHostResult(scanCode);
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
