#include "ReadPath.h"

#include "BenchClock.h"
#include "log/LogLines.h"
#include "scanner/ScanOutput.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace ostrel::bench {

namespace {

constexpr std::size_t PieceSize = 65536;
constexpr std::size_t OutputSize = std::size_t{50} << 20;
constexpr std::size_t LoggedSize = std::size_t{16} << 20;
constexpr std::size_t LogBlockSize = std::size_t{1} << 20;  // as the log file's
const std::string Report = "  VIRUS: Eicar-Test-Signature\r\nSCAN RESULTS\r\nALERTS: 1\r\nSUSPICIOUS: 0\r\n";

// The fake scanner's flood: 64-byte lines without a blank, a colon or a '-'.
std::string Flood(std::size_t size)
{
    const std::string line = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz\r\n";
    std::string flood;
    while (flood.size() < size) {
        flood += line;
    }
    return flood;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double ReadPathNsPerByte()
{
    // Two buffers taking turns, as the pipe reader's do.
    const std::string pieces[2] = {Flood(PieceSize), Flood(PieceSize)};
    std::vector<double> pieceMs;
    TScanOutput output("-----------------");
    for (std::size_t fed = 0; fed < OutputSize; fed += PieceSize) {
        const double start = NowMs();
        output.Feed(pieces[(fed / PieceSize) % 2]);
        pieceMs.push_back(NowMs() - start);
    }
    output.Feed(Report);
    std::string name;
    if (output.Result(false, name) != ScanResult::Virus || name != "Eicar-Test-Signature") {
        throw std::runtime_error("the read path missed the find behind the flood");
    }
    return Median(pieceMs) * 1e6 / PieceSize;
}

double LogLinesNsPerByte()
{
    const std::string kept = Flood(LoggedSize);
    std::vector<double> blockMs;
    double start = NowMs();
    WriteMessageLines("2026-12-08, 12:00:00", kept, LogBlockSize, [&](std::string_view) {
        const double now = NowMs();
        blockMs.push_back(now - start);
        start = now;
    });
    return Median(blockMs) * 1e6 * blockMs.size() / kept.size();
}

}  // namespace

ReadPathCost MeasureReadPath()
{
    return {ReadPathNsPerByte(), LogLinesNsPerByte()};
}

}  // namespace ostrel::bench
