#pragma once

#include "base/Exception.h"

#include <string>

namespace ostrel {

// Every failure of the settings store: registry, ini file, base-class calls.
class ERegConfigError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "ERegConfigError"; }
};

// The store at `place`, an ini file or a registry key, cannot be written.
inline ERegConfigError CannotWriteError(const std::string& place)
{
    return ERegConfigError("In " + place + " kann nicht geschrieben werden");
}

}  // namespace ostrel
