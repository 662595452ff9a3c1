#pragma once

#include "base/UniqueResource.h"
#include "settings/ConfigValues.h"
#include "ui/DialogContext.h"
#include "ui/support/ChainTest.h"

#include <windows.h>

#include <string>

namespace ostrel {

// The Test button's work, on a thread of its own so that the dialog stays
// responsive while the scanner runs: a clean file and the EICAR test file,
// written into a folder of their own, each checked with `settings` through
// `check`; then the folder goes. Posts `doneMessage` to `window` when done.
class TChainTestRun {
public:
    TChainTestRun(TTestCheck check, ConfigValues settings, HWND window, UINT doneMessage);
    // Ends a running scanner with its tree, and waits for the thread. That
    // wait is short: the scanner's tree is ended at once and its end is
    // awaited for a bounded time, and a check of the host's that runs at
    // that moment ends within its own time limit.
    ~TChainTestRun();
    TChainTestRun(const TChainTestRun&) = delete;
    TChainTestRun& operator=(const TChainTestRun&) = delete;

    // What the test found; waits for the thread, which has posted its message.
    const TChainTestReport& Report();

private:
    static DWORD WINAPI ThreadMain(void* self);
    void Run();
    TTestFileCheck Check(const std::string& file);
    bool Cancelled() const;

    TTestCheck check_;
    ConfigValues settings_;
    HWND window_;
    UINT doneMessage_;
    TChainTestReport report_;
    UniqueHandle cancel_;
    UniqueHandle thread_;
};

}  // namespace ostrel
