#include "base/Handles.h"

#include "base/WinError.h"

namespace ostrel {

UniqueHandle DuplicateLocalHandle(HANDLE handle, bool inheritable)
{
    HANDLE copy = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &copy, 0, inheritable,
                         DUPLICATE_SAME_ACCESS)) {
        RaiseLastOSError("DuplicateHandle");
    }
    return UniqueHandle(copy);
}

}  // namespace ostrel
