#include "ui/dialogs/ChainTestRun.h"

#include "base/Exception.h"
#include "base/FileSystem.h"
#include "base/WinError.h"
#include "scanner/ReportExcerpt.h"
#include "settings/ParameterRules.h"
#include "ui/support/TestFolder.h"

namespace ostrel {

TChainTestRun::TChainTestRun(TTestCheck check, ConfigValues settings, HWND window, UINT doneMessage)
    : check_(std::move(check)),
      settings_(std::move(settings)),
      window_(window),
      doneMessage_(doneMessage),
      cancel_(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
    if (!cancel_) {
        RaiseLastOSError("CreateEventA");
    }
    thread_.reset(CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr));
    if (!thread_) {
        RaiseLastOSError("CreateThread");
    }
}

TChainTestRun::~TChainTestRun()
{
    SetEvent(cancel_.get());
    WaitForSingleObject(thread_.get(), INFINITE);
}

const TChainTestReport& TChainTestRun::Report()
{
    WaitForSingleObject(thread_.get(), INFINITE);
    return report_;
}

DWORD WINAPI TChainTestRun::ThreadMain(void* self)
{
    auto* run = static_cast<TChainTestRun*>(self);
    try {
        run->Run();
    } catch (...) {
        // The folder or the clean file could not be made: the box says why.
        run->report_.clean.error = DescribeCurrentException().message;
    }
    PostMessageA(run->window_, run->doneMessage_, 0, 0);
    return 0;
}

bool TChainTestRun::Cancelled() const
{
    return WaitForSingleObject(cancel_.get(), 0) == WAIT_OBJECT_0;
}

void TChainTestRun::Run()
{
    TChainTestFacts& facts = report_.facts;
    report_.scanner = settings_.AVPExeName;
    facts.configured = SettingsComplete(settings_);
    facts.scannerFound = FileExists(settings_.AVPExeName);
    if (!facts.configured || !facts.scannerFound) {
        return;
    }
    TTestFolder folder;
    const std::string clean = folder.File("clean.txt");
    const DWORD cleanWrite = WriteTestFile(clean, CleanTestText);
    if (cleanWrite != ERROR_SUCCESS) {
        RaiseOSError(cleanWrite, "WriteFile");
    }
    report_.clean = Check(clean);
    facts.clean = report_.clean.answer;
    if (Cancelled()) {
        return;
    }
    const std::string eicar = folder.File("eicar.com");
    facts.eicarWritten = WriteTestFile(eicar, EicarTestString()) == ERROR_SUCCESS;
    if (facts.eicarWritten) {
        report_.eicar = Check(eicar);
        facts.eicar = report_.eicar.answer;
        facts.eicarGone = !FileReadable(eicar);
    }
}

TTestFileCheck TChainTestRun::Check(const std::string& file)
{
    // Closed while waiting its turn behind a check of the mail client's: no scanner starts.
    if (Cancelled()) {
        return {};
    }
    TReportExcerpt excerpt;
    TTestFileCheck check =
        check_(settings_, file, cancel_.get(), [&excerpt](std::string_view piece) { excerpt.Feed(piece); });
    check.firstLine = excerpt.FirstLine();
    check.lastLines = excerpt.LastLines();
    return check;
}

}  // namespace ostrel
