#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

// The system's text for an error code, without the trailing line break.
// Some texts name their file as "%1"; `subject` fills it in.
std::string SystemErrorMessage(uint32_t code, const std::string& subject = "%1");

// Raises EOSError for GetLastError(), worded like "Systemfehler.  Code: 5."
// followed by the system's text on the next line; `call` names the
// function that failed.
[[noreturn]] void RaiseLastOSError(const char* call);
[[noreturn]] void RaiseOSError(uint32_t code, const char* call);

}  // namespace ostrel
