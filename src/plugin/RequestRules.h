#pragma once

#include "plugin/StatusCodes.h"
#include "scanner/ScanReport.h"
#include "ui/support/ChainTest.h"

namespace ostrel {

// Log text of the host's result codes.
const char* HostResultText(HostResult hostCode);

// The host's answer to a check or a cure for a scanner result.
HostResult CheckHostResult(ScanResult scanCode);
HostResult CureHostResult(ScanResult scanCode);

// A check's answer to the host, as the test of the chain judges it.
TTestAnswer TestAnswerOf(HostResult checkResult);

}  // namespace ostrel
