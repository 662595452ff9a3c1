// The read path against the plain one it replaced: the same output, cut the
// same way, must give the same converted text, stop at the same piece on
// the same end marker, give the same answers and the same log lines.
#include "ReferenceReadPath.h"

#include "log/LogLines.h"
#include "scanner/ScanOutput.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>

namespace {

void Require(bool holds)
{
    if (!holds) {
        std::abort();
    }
}

// The cuts come from the input too, so the fuzzer can find the one that
// matters: each is a piece size of up to 239 bytes, or, from 0xF0 up, of
// 1 to 16 KiB; 0 is an empty read.
class Cuts {
public:
    explicit Cuts(std::string_view sizes) : sizes_(sizes) {}

    std::size_t Next()
    {
        if (sizes_.empty()) {
            return 4096;
        }
        const unsigned char code = static_cast<unsigned char>(sizes_[next_++ % sizes_.size()]);
        std::size_t size = code < 0xF0 ? code : std::size_t{code - 0xEFu} << 10;
        // Never two empty reads in a row, so the output is used up.
        if (size == 0 && lastEmpty_) {
            size = 1;
        }
        lastEmpty_ = size == 0;
        return size;
    }

private:
    std::string_view sizes_;
    std::size_t next_ = 0;
    bool lastEmpty_ = false;
};

std::string LogLines(void (*write)(const std::string&, std::string_view, std::size_t,
                                   const std::function<void(std::string_view)>&),
                     std::string_view text, std::size_t blockSize)
{
    std::string lines;
    write("2026-12-08, 12:00:00", text, blockSize, [&](std::string_view block) { lines += block; });
    return lines;
}

}  // namespace

// Input: a byte giving the marker's length, the marker, a byte giving how
// many cut sizes follow, the cut sizes, then the output.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    auto take = [&](std::size_t count) {
        const std::string_view taken = input.substr(0, count);
        input.remove_prefix(taken.size());
        return taken;
    };
    const std::string_view lengthByte = take(1);
    const std::string_view marker = take(lengthByte.empty() ? 0 : static_cast<unsigned char>(lengthByte[0]) % 24);
    const std::string_view countByte = take(1);
    Cuts cuts(take(countByte.empty() ? 0 : static_cast<unsigned char>(countByte[0]) % 16));
    const std::string_view output = input;

    ostrel::TScanOutput read(marker);
    ostrel::reference::TScanReportReader report;
    ostrel::reference::TEndMarker endMarker(marker);
    std::string logged;
    for (std::size_t offset = 0; offset < output.size();) {
        const std::string_view piece = output.substr(offset, cuts.Next());
        offset += piece.size();
        const std::string converted = ostrel::reference::ConvertDosUmlauts(piece);
        report.Feed(converted);
        const bool seen = endMarker.Feed(piece);
        Require(read.Feed(piece) == converted);
        Require(read.MarkerSeen() == seen);
        logged += converted;
        if (seen) {
            break;  // as a run stops listening at the marker
        }
    }
    for (bool isCure : {false, true}) {
        std::string message;
        std::string expected;
        Require(read.Result(isCure, message) == report.Result(isCure, expected));
        Require(message == expected);
    }
    const std::size_t blockSize = 1 + output.size() % 512;
    Require(LogLines(ostrel::WriteMessageLines, logged, blockSize) ==
            LogLines(ostrel::reference::WriteMessageLines, logged, blockSize));
    return 0;
}
