#include "bavhost/Selftest.h"

#include "base/AnsiString.h"
#include "base/TextLines.h"

namespace ostrel::bavhost {

int SelftestExitCode(TChainVerdict verdict)
{
    switch (verdict) {
    case TChainVerdict::Works: return 0;
    case TChainVerdict::NotConfigured:
    case TChainVerdict::Disabled: return kNotConfigured;
    case TChainVerdict::ScannerMissing: return kScannerMissing;
    case TChainVerdict::EicarMissed:
    case TChainVerdict::EicarSuspicious: return kEicarNotFound;
    case TChainVerdict::TakenByRealtime: return kTakenByRealtime;
    default: return kChainError;
    }
}

std::string EngineFromLog(std::string_view log, std::string_view since)
{
    const std::size_t start = since.empty() ? std::string_view::npos : log.find(since);
    if (start == std::string_view::npos) {
        return {};
    }
    const std::vector<std::string> lines = SplitFileLines(log.substr(start));
    for (std::size_t i = lines.size(); i-- > 0;) {
        const std::string line = TrimBlanks(lines[i]);
        if (line.size() >= 7 && line.compare(line.size() - 7, 7, "Output:") == 0) {
            for (std::size_t next = i + 1; next < lines.size(); ++next) {
                const std::string banner = TrimBlanks(lines[next]);
                if (!banner.empty()) {
                    return banner;
                }
            }
            return {};
        }
    }
    return {};
}

}  // namespace ostrel::bavhost
