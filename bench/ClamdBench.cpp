// clamd_bench: what one check costs when ostrelscan asks clamd, in three
// layers: through the plug-in (Ostrel.bav -> ostrelscan.exe -> clamd),
// ostrelscan.exe started directly, and the bare zINSTREAM round trip in this
// process. Runs are interleaved so that drift hits all three alike. Needs the
// daemons of tests/ostrelscan/clamd-fixture.sh; bench/clamd_bench.sh starts them.
#include "BenchClock.h"
#include "ChildProcess.h"
#include "Clamd.h"
#include "support/PluginLibrary.h"
#include "support/TestFiles.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

using namespace ostrel::test;
using namespace ostrel::ostrelscan;

namespace {

constexpr int Runs = 50;

using ostrel::bench::NowMs;

std::string FixturePort()
{
    const char* folder = std::getenv("OSTREL_CLAMD_FIXTURE");
    if (folder == nullptr) {
        throw std::runtime_error("OSTREL_CLAMD_FIXTURE is not set; run bench/clamd_bench.sh");
    }
    std::ifstream file(std::string(folder) + "\\fixture.txt");
    for (std::string line; std::getline(file, line);) {
        if (line.rfind("port=", 0) == 0) {
            return line.substr(5);
        }
    }
    throw std::runtime_error(std::string("no port in ") + folder + "\\fixture.txt");
}

double Percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    const double at = share * (values.size() - 1);
    const std::size_t low = static_cast<std::size_t>(at);
    const std::size_t high = std::min(low + 1, values.size() - 1);
    return values[low] + (values[high] - values[low]) * (at - low);
}

void Print(const char* what, const std::vector<double>& ms)
{
    std::printf("  %-34s median %7.2f ms   p10-p90 %7.2f - %7.2f   min-max %7.2f - %7.2f\n", what,
                Percentile(ms, 0.5), Percentile(ms, 0.1), Percentile(ms, 0.9),
                Percentile(ms, 0.0), Percentile(ms, 1.0));
}

}  // namespace

int main()
{
    try {
        DeleteMakerKey();
        const std::string port = FixturePort();
        PluginLibrary plugin;
        const std::string scanner = plugin.File("ostrelscan.exe");
        if (!CopyFileA((ProgramFolder() + "\\ostrelscan.exe").c_str(), scanner.c_str(), FALSE)) {
            throw std::runtime_error("cannot copy ostrelscan.exe");
        }
        WriteFileBytes(plugin.File("ostrelscan.ini"), "[ostrelscan]\r\naddress=127.0.0.1:" + port + "\r\n");
        WriteFileBytes(plugin.IniPath(), "[Data]\r\nAVPExeName=" + scanner + "\r\nLogging=0\r\n");
        // A mail-sized attachment: 64 KiB of text.
        const std::string sample = plugin.File("sample.eml");
        std::string mail;
        while (mail.size() < 65536) {
            mail += "Subject: figures\r\nA line of an ordinary message body, nothing in it.\r\n";
        }
        WriteFileBytes(sample, mail);
        plugin.Load();
        if (plugin.Call("BAV_Initialize") != 0) {
            throw std::runtime_error("BAV_Initialize failed");
        }
        const Endpoint endpoint{"127.0.0.1", static_cast<uint16_t>(std::stoi(port))};
        const std::string commandLine = "ostrelscan.exe -nomem -noboot -nombr -z " + sample;

        std::vector<double> throughPlugin, direct, roundTrip;
        for (int run = -1; run < Runs; ++run) {  // run -1 warms the caches, uncounted
            double start = NowMs();
            if (plugin.Check(sample.c_str(), nullptr) != 0) {
                throw std::runtime_error("the check through the plug-in was not clean");
            }
            const double pluginMs = NowMs() - start;
            start = NowMs();
            const ChildRun child = RunHidden(scanner, commandLine, 10000);
            const double directMs = NowMs() - start;
            if (!child.failure.empty() || child.exitCode != 0) {
                throw std::runtime_error("ostrelscan.exe direct: " + child.failure + child.output);
            }
            start = NowMs();
            if (ScanWithClamd(endpoint, sample, 10000).kind != Verdict::Kind::clean) {
                throw std::runtime_error("the bare zINSTREAM round trip was not clean");
            }
            const double bareMs = NowMs() - start;
            if (run >= 0) {
                throughPlugin.push_back(pluginMs);
                direct.push_back(directMs);
                roundTrip.push_back(bareMs);
            }
        }
        plugin.Call("BAV_Uninitialize");
        std::printf("One clean check of a 64 KiB file, %d interleaved runs each\n", Runs);
        Print("Ostrel.bav -> ostrelscan -> clamd", throughPlugin);
        Print("ostrelscan.exe started directly", direct);
        Print("bare zINSTREAM round trip", roundTrip);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "clamd_bench: %s\n", error.what());
        return 1;
    }
}
