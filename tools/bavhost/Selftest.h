#pragma once

// What `bavhost PLUGIN selftest` makes of the test of the chain: its exit
// codes, and the engine the log names. No Windows headers.
#include "ui/support/ChainTest.h"

#include <string>
#include <string_view>

namespace ostrel::bavhost {

// Exit codes of selftest beside the common ones (0 is "the chain works").
constexpr int kTakenByRealtime = 7, kNotConfigured = 8, kScannerMissing = 9, kChainError = 10,
              kEicarNotFound = 11;

int SelftestExitCode(TChainVerdict verdict);

// The first line the scanner printed in its last logged output after the
// first mention of `since`, e.g. "ostrelscan: ClamAV daemon clamd at
// 127.0.0.1:3310 (auto)"; empty when the log holds none, so an older run's
// output is never taken for this one's.
std::string EngineFromLog(std::string_view log, std::string_view since);

}  // namespace ostrel::bavhost
