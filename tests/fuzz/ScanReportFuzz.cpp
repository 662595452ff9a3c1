// Scanner output is whatever a foreign program prints: the report parser
// and the line assembly must take any bytes, split anywhere, and where the
// bytes are split must never change the result.
#include "scanner/EndMarker.h"
#include "scanner/LineAssembler.h"
#include "scanner/ScanReport.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    // The first byte chooses the piece size, as a pipe would cut the output.
    const size_t pieceSize = 1 + data[0] % 64;
    const std::string output = ostrel::ConvertDosUmlauts(
        std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    ostrel::TScanReportReader pieces;
    ostrel::TEndMarker marker("-----");
    bool markerSeen = false;
    ostrel::LineAssembler lines;
    for (size_t offset = 0; offset < output.size(); offset += pieceSize) {
        std::string_view piece = std::string_view(output).substr(offset, pieceSize);
        lines.Feed(piece, [](const std::string&) {});
        pieces.Feed(piece);
        markerSeen = marker.Feed(piece);
    }
    lines.Finish([](const std::string&) {});
    if (markerSeen != (output.find("-----") != std::string::npos)) {
        std::abort();
    }
    for (bool isCure : {false, true}) {
        std::string whole;
        std::string cut;
        if (ostrel::EvaluateScanOutput(output, isCure, whole) != pieces.Result(isCure, cut) || whole != cut) {
            std::abort();
        }
    }
    return 0;
}
