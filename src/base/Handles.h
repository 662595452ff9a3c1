#pragma once

#include "base/UniqueResource.h"

namespace ostrel {

// A second handle of this process to the same object, with the same access.
UniqueHandle DuplicateLocalHandle(HANDLE handle, bool inheritable);

}  // namespace ostrel
