#include "plugin/RequestRules.h"

namespace ostrel {

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

TTestAnswer TestAnswerOf(HostResult checkResult)
{
    switch (checkResult) {
    case HostResult::Ok: return TTestAnswer::Clean;
    case HostResult::VirusFound: return TTestAnswer::Virus;
    case HostResult::Suspicious: return TTestAnswer::Suspicious;
    default: return TTestAnswer::Error;
    }
}

}  // namespace ostrel
