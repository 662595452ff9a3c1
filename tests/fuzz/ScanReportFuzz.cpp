// Scanner output is whatever a foreign program prints: the report parser
// and the line assembly must take any bytes, split anywhere.
#include "scanner/LineAssembler.h"
#include "scanner/ScanReport.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    // The first byte chooses the chunk size, as a pipe would cut the output.
    const size_t chunkSize = 1 + data[0] % 64;
    std::vector<std::string> chunks;
    ostrel::LineAssembler lines;
    for (size_t offset = 1; offset < size; offset += chunkSize) {
        std::string chunk(reinterpret_cast<const char*>(data) + offset,
                          std::min(chunkSize, size - offset));
        lines.Feed(chunk, [](const std::string&) {});
        chunks.push_back(ostrel::ConvertDosUmlauts(chunk));
    }
    lines.Finish([](const std::string&) {});
    std::string message;
    ostrel::EvaluateScanOutput(chunks, false, message);
    ostrel::EvaluateScanOutput(chunks, true, message);
    return 0;
}
