#include "bavhost/Selftest.h"

#include "base/AnsiString.h"
#include "base/TextLines.h"
#include "plugin/StatusCodes.h"

namespace ostrel::bavhost {
namespace {

bool Is(int32_t code, HostResult result)
{
    return code == HostValue(result);
}

}  // namespace

SelftestVerdict JudgeSelftest(const SelftestFacts& facts)
{
    if (!facts.configured) {
        return {kNotConfigured, "Not configured: the plug-in has no scanner to run.",
                {"Press Configure in The Bat! (or run: bavhost PLUGIN setup), let it locate the scanner "
                 "(ostrelscan.exe beside the plug-in) and press OK."}};
    }
    if (facts.disabled) {
        return {kNotConfigured, "Checking is disabled (Disabled=1): every attachment passes unchecked.",
                {"Clear \"Disabled\" in the plug-in's settings dialog."}};
    }
    if (!facts.scannerFound) {
        return {kScannerMissing, "The scanner is missing: AVPExeName names no file.",
                {"Name the full path of the scanner, .exe included, in the plug-in's settings dialog."}};
    }
    if (!Is(facts.clean, HostResult::Ok)) {
        if (Is(facts.clean, HostResult::VirusFound) || Is(facts.clean, HostResult::Suspicious)) {
            return {kChainError, "Error: the clean test file was reported as infected.",
                    {"The scanner's report is misread or the engine is wrong; see the log."}};
        }
        return {kChainError, "Error: the scanner gave no verdict for the clean test file.",
                {"The log tells why (LogAVPOutput=1 shows what the scanner printed)."}};
    }
    if (facts.eicarWritten && Is(facts.eicar, HostResult::VirusFound)) {
        return {0, "The chain works: the clean file passed and the EICAR test file was found.", {}};
    }
    const char* const missed =
        "The engine misses the standard test file: check that it is current and that the scanner's "
        "parameters make it scan files of any name.";
    if (facts.eicarWritten && Is(facts.eicar, HostResult::Ok)) {
        return {kEicarNotFound, "EICAR not found: the scanner answered OK for the EICAR test file.", {missed}};
    }
    if (facts.eicarWritten && Is(facts.eicar, HostResult::Suspicious)) {
        return {kEicarNotFound, "EICAR not found as a virus: the scanner called the test file suspicious.",
                {missed}};
    }
    if (!facts.eicarWritten || facts.eicarGone) {
        return {kTakenByRealtime,
                "The scanner answers, but the test file was taken by real-time protection before the "
                "check.",
                {"That is usual where Microsoft Defender's real-time protection is on: it shows that an "
                 "on-access scanner guards this machine, not that the plug-in's engine detects. The clean "
                 "file's answer shows the chain runs."}};
    }
    return {kChainError, "Error: the scanner gave no verdict for the EICAR test file.",
            {"The log tells why (LogAVPOutput=1 shows what the scanner printed)."}};
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
