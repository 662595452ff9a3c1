#include "lang/LogSink.h"

#include "lang/FormatMsg.h"

namespace ostrel {

void LogSink::WriteLogFmt(const std::string& format, const FormatArgs& args, int32_t level)
{
    WriteLog(FormatMsg(format, args), level);
}

}  // namespace ostrel
