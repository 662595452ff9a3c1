#pragma once

#include "base/Exception.h"

namespace ostrel {

// A language file's value that its property cannot take.
class EPropertyConvertError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EPropertyConvertError"; }
};

// A number outside its property's range of values.
class ERangeError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "ERangeError"; }
};

}  // namespace ostrel
