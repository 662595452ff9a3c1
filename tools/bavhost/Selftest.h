#pragma once

// The judgement of `bavhost PLUGIN selftest`: what the answers for a clean
// file and an EICAR test file say about the chain from plug-in to engine.
// No Windows headers.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel::bavhost {

struct SelftestFacts {
    bool configured = false;     // status not "not configured"
    bool disabled = false;       // the name's "[Disabled]" flag
    bool scannerFound = false;   // AVPExeName names an existing file
    int32_t clean = 0;           // the clean file's answer
    bool eicarWritten = false;   // false: the test file could not even be written
    int32_t eicar = 0;           // the EICAR file's answer
    bool eicarGone = false;      // after its check, the file was missing or locked
};

struct SelftestVerdict {
    int exitCode = 0;
    std::string line;                  // the one verdict line
    std::vector<std::string> advice;   // the next step, when the chain is broken
};

// Exit codes of selftest beside the common ones (0 is "the chain works").
constexpr int kTakenByRealtime = 7, kNotConfigured = 8, kScannerMissing = 9, kChainError = 10,
              kEicarNotFound = 11;

// Only the settings decide when nothing was checked: then `clean` and
// `eicar` are not read.
SelftestVerdict JudgeSelftest(const SelftestFacts& facts);

// The first line the scanner printed in its last logged output after the
// first mention of `since`, e.g. "ostrelscan: ClamAV daemon clamd at
// 127.0.0.1:3310 (auto)"; empty when the log holds none, so an older run's
// output is never taken for this one's.
std::string EngineFromLog(std::string_view log, std::string_view since);

}  // namespace ostrel::bavhost
