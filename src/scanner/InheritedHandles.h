#pragma once

#include <windows.h>

#include <vector>

namespace ostrel {

// Names exactly which handles a child inherits, through a start-up
// attribute list where the system offers one (Windows Vista and later).
// The calls are bound at run time, so the plug-in still loads where it
// does not.
class TInheritedHandles {
public:
    explicit TInheritedHandles(std::vector<HANDLE> handles);
    ~TInheritedHandles();
    TInheritedHandles(const TInheritedHandles&) = delete;
    TInheritedHandles& operator=(const TInheritedHandles&) = delete;

    // The start-up record for CreateProcess: an extended copy of `startup`
    // that lists the handles, with its flag added to `flags`; or `startup`
    // itself where there is no list, and the child then inherits every
    // inheritable handle of the process.
    STARTUPINFOA* StartupRecord(STARTUPINFOA& startup, DWORD& flags);

private:
    // Vista's extended start-up record; the headers declare it only for
    // programs that require Vista.
    struct StartupInfoEx {
        STARTUPINFOA StartupInfo;
        void* AttributeList;
    };

    using DeleteList = void(WINAPI*)(void* list);

    std::vector<HANDLE> handles_;  // the list points into it
    std::vector<char> storage_;
    void* list_ = nullptr;
    DeleteList deleteList_ = nullptr;
    StartupInfoEx extended_ = {};
};

}  // namespace ostrel
