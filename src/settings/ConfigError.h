#pragma once

#include "base/Exception.h"

namespace ostrel {

// Every failure of the settings store: registry, ini file, base-class calls.
class ERegConfigError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "ERegConfigError"; }
};

}  // namespace ostrel
