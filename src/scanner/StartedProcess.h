#pragma once

#include "base/UniqueResource.h"
#include "scanner/PipeReader.h"
#include "scanner/ProcessTree.h"

#include <memory>

namespace ostrel {

// A process the runner started, and all that is its until it has gone: its
// process and thread, the job around what it starts, and the parent's ends
// of its pipes. Its holder decides how its run ends: ended, given a grace,
// or let go; letting it go closes all of it and ends nothing.
struct TStartedProcess {
    TProcessTree Tree;
    UniqueHandle Thread;
    UniqueHandle InputWriteEnd;           // never written; held while it runs
    std::unique_ptr<TPipeReader> Output;  // none without redirection

    // Nothing of it runs any more, at most `milliseconds` from now.
    bool Ended(DWORD milliseconds) const { return Tree.WaitUntilEnded(milliseconds); }
};

}  // namespace ostrel
