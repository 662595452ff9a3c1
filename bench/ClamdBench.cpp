// clamd_bench: what one check costs when ostrelscan asks clamd, in layers:
// through the plug-in (Ostrel.bav -> ostrelscan.exe -> clamd), ostrelscan.exe
// started directly as the plug-in starts it, the bare zINSTREAM round trip
// in this process, and a trivial program's start with the plug-in's flags.
// Each round starts with the next layer, so that drift and order hit all
// alike. Needs the daemons of tests/ostrelscan/clamd-fixture.sh;
// bench/clamd_bench.sh starts them. Built twice, like scan_bench: as a
// console program and as clamd_bench_gui, a GUI program as the mail client is.
#include "BenchClock.h"
#include "BenchHost.h"
#include "Clamd.h"
#include "DirectRun.h"
#include "support/PluginLibrary.h"
#include "support/TestFiles.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace ostrel::test;
using namespace ostrel::ostrelscan;

namespace {

// Enough for per-pair ratios to hold when Wine's start-up time jumps between its modes.
constexpr int Runs = 100;

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

void Print(const char* what, const std::vector<double>& values, const char* unit = "ms")
{
    std::printf("  %-36s median %7.2f %s   p10-p90 %7.2f - %7.2f   min-max %7.2f - %7.2f\n", what,
                Percentile(values, 0.5), unit, Percentile(values, 0.1), Percentile(values, 0.9),
                Percentile(values, 0.0), Percentile(values, 1.0));
}

std::vector<double> PerPair(const std::vector<double>& a, const std::vector<double>& b, bool ratio)
{
    std::vector<double> values;
    for (std::size_t i = 0; i < a.size(); ++i) {
        values.push_back(ratio ? a[i] / b[i] : a[i] - b[i]);
    }
    return values;
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

        const std::string trivial = ProgramFolder() + "\\trivial.exe";
        const std::vector<std::function<void()>> works = {
            [&] {
                if (plugin.Check(sample.c_str(), nullptr) != 0) {
                    throw std::runtime_error("the check through the plug-in was not clean");
                }
            },
            [&] {
                if (ostrel::bench::RunDirectly(scanner, commandLine) != 0) {
                    throw std::runtime_error("ostrelscan.exe started directly did not answer clean");
                }
            },
            [&] {
                if (ScanWithClamd(endpoint, sample, 10000).kind != Verdict::Kind::clean) {
                    throw std::runtime_error("the bare zINSTREAM round trip was not clean");
                }
            },
            [&] { ostrel::bench::RunDirectly(trivial, "trivial.exe"); },
        };
        for (const auto& work : works) {
            work();  // warms the caches, uncounted
        }
        std::vector<std::vector<double>> ms(works.size());
        for (int run = 0; run < Runs; ++run) {
            for (std::size_t i = 0; i < works.size(); ++i) {
                const std::size_t which = (run + i) % works.size();
                const double start = NowMs();
                works[which]();
                ms[which].push_back(NowMs() - start);
            }
        }
        plugin.Call("BAV_Uninitialize");
        ostrel::bench::PrintHost();
        std::printf("One clean check of a 64 KiB file, %d runs each, order rotating\n", Runs);
        Print("Ostrel.bav -> ostrelscan -> clamd", ms[0]);
        Print("ostrelscan.exe started directly", ms[1]);
        Print("bare zINSTREAM round trip", ms[2]);
        Print("trivial program", ms[3]);
        Print("per pair: plug-in / direct", PerPair(ms[0], ms[1], true), "  ");
        Print("per pair: plug-in - trivial (<= 5)", PerPair(ms[0], ms[3], false));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "clamd_bench: %s\n", error.what());
        return 1;
    }
}
