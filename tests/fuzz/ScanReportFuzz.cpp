// Scanner output is whatever a foreign program prints: the report parser,
// the line assembly and the excerpt of first and last lines must take any
// bytes, split anywhere, and where the bytes are split must never change
// the result.
#include "scanner/EndMarker.h"
#include "scanner/LineAssembler.h"
#include "scanner/ReportExcerpt.h"
#include "scanner/ScanReport.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

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
    ostrel::TReportExcerpt excerpt;
    for (size_t offset = 0; offset < output.size(); offset += pieceSize) {
        std::string_view piece = std::string_view(output).substr(offset, pieceSize);
        lines.Feed(piece, [](const std::string&) {});
        excerpt.Feed(piece);
        pieces.Feed(piece);
        markerSeen = marker.Feed(piece);
    }
    lines.Finish([](const std::string&) {});
    if (markerSeen != (output.find("-----") != std::string::npos)) {
        std::abort();
    }
    ostrel::TReportExcerpt whole;
    whole.Feed(output);
    const std::vector<std::string> last = excerpt.LastLines();
    if (excerpt.FirstLine() != whole.FirstLine() || last != whole.LastLines() ||
        last.size() > ostrel::TReportExcerpt::MaxLines) {
        std::abort();
    }
    for (const std::string& line : last) {
        if (line.empty() || line.size() > ostrel::TReportExcerpt::MaxLineLength) {
            std::abort();
        }
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
