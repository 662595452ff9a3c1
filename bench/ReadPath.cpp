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
constexpr int Rounds = 5;
const std::string Report = "  VIRUS: Eicar-Test-Signature\r\nSCAN RESULTS\r\nALERTS: 1\r\nSUSPICIOUS: 0\r\n";

// The fake scanner's flood: 64-byte lines without a blank, a colon or a '-'.
std::string FloodPiece()
{
    const std::string line = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz\r\n";
    std::string piece;
    while (piece.size() < PieceSize) {
        piece += line;
    }
    return piece;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

ReadPathCost MeasureReadPath()
{
    // Two buffers taking turns, as the pipe reader's do.
    const std::string pieces[2] = {FloodPiece(), FloodPiece()};
    std::vector<double> readNs, logNs;
    for (int round = 0; round < Rounds; ++round) {
        TScanOutput output("-----------------");
        const double start = NowMs();
        for (std::size_t fed = 0; fed < OutputSize; fed += PieceSize) {
            output.Feed(pieces[(fed / PieceSize) % 2]);
        }
        output.Feed(Report);
        readNs.push_back((NowMs() - start) * 1e6 / OutputSize);
        std::string name;
        if (output.Result(false, name) != ScanResult::Virus || name != "Eicar-Test-Signature") {
            throw std::runtime_error("the read path missed the find behind the flood");
        }

        std::string kept;
        while (kept.size() < LoggedSize) {
            kept += pieces[0];
        }
        std::size_t written = 0;
        const double logStart = NowMs();
        WriteMessageLines("2026-12-08, 12:00:00", kept, std::size_t{1} << 20,
                          [&](std::string_view block) { written += block.size(); });
        logNs.push_back((NowMs() - logStart) * 1e6 / kept.size());
        if (written < kept.size()) {
            throw std::runtime_error("the log lines lost bytes");
        }
    }
    return {Median(readNs), Median(logNs)};
}

}  // namespace ostrel::bench
