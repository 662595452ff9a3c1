#pragma once

// ClamAV's names for a file it could not look into. Asked to alert
// (clamscan's --alert-encrypted and --alert-exceeds-max, clamd.conf's
// AlertEncrypted and AlertExceedsMax), it reports an encrypted archive or
// a file past its size, recursion or file-count limits as a find of
// Heuristics.Encrypted.* or Heuristics.Limits.Exceeded.*; otherwise it
// answers OK. No <windows.h>.
#include "Verdict.h"

#include <string>

namespace ostrel::ostrelscan {

// The verdict on a name an engine reported: an error that says the file
// could not be checked for one of those names, whose file is neither clean
// nor known to be infected; a find for any other.
Verdict FoundNameVerdict(const std::string& name, const std::string& engineTitle);

}  // namespace ostrel::ostrelscan
