// clamd's answer comes from the network: any bytes must give a verdict,
// and only a well-formed OK may give "clean".
#include "../../tools/ostrelscan/ClamdReply.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using ostrel::ostrelscan::Verdict;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    const Verdict verdict = ostrel::ostrelscan::ParseClamdReply(reply);
    switch (verdict.kind) {
    case Verdict::Kind::clean:
        if (reply != std::string_view("stream: OK\0", 11)) {
            std::abort();
        }
        break;
    case Verdict::Kind::infected:
        if (verdict.name.empty() || verdict.name.find_first_of("\r\n") != std::string::npos) {
            std::abort();
        }
        break;
    case Verdict::Kind::error:
        if (verdict.reason.empty()) {
            std::abort();
        }
        break;
    }
    return 0;
}
