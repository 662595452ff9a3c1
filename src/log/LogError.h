#pragma once

#include "base/Exception.h"

namespace ostrel {

class ELogError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "ELogError"; }
};

}  // namespace ostrel
