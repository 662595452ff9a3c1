#include "scanner/ProcessJob.h"

#include "base/Format.h"

namespace ostrel {

namespace {

std::string CallFailure(const char* call)
{
    return Format("%s, error %d", {call, static_cast<int32_t>(GetLastError())});
}

}  // namespace

void TProcessJob::Assign(HANDLE process)
{
    Close();
    failure_.clear();
    UniqueHandle job(CreateJobObjectA(nullptr, nullptr));
    if (!job) {
        failure_ = CallFailure("CreateJobObjectA");
        return;
    }
    if (!AssignProcessToJobObject(job.get(), process)) {
        failure_ = CallFailure("AssignProcessToJobObject");
        return;
    }
    job_ = std::move(job);
}

bool TProcessJob::Terminate(UINT exitCode)
{
    return job_ && TerminateJobObject(job_.get(), exitCode) != FALSE;
}

bool TProcessJob::Empty() const
{
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
    return job_ && QueryInformationJobObject(job_.get(), JobObjectBasicAccountingInformation, &accounting,
                                             sizeof accounting, nullptr) &&
           accounting.ActiveProcesses == 0;
}

bool TProcessJob::EndOnClose()
{
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    return job_ && SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
}

void TProcessJob::Close()
{
    job_.reset();
}

}  // namespace ostrel
