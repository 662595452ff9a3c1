// scan_bench: what a check through the plug-in costs on top of running the
// scanner by hand, in time, CPU, memory and handles, and what the shipped
// tools cost to start against a trivial program. It prints figures and
// decides nothing; the aims in brackets are for the reader. Built twice: as
// a console program, and as scan_bench_gui, a GUI program as the mail client
// is, whose console children each get a console host of their own.
#include "BenchClock.h"
#include "BenchHost.h"
#include "DirectRun.h"
#include "ReadPath.h"
#include "base/UniqueResource.h"
#include "scanner/ScannerInvocation.h"
#include "support/PluginLibrary.h"
#include "support/ScannerScript.h"
#include "support/TestFiles.h"

#include <windows.h>
// psapi.h needs the types of windows.h first.
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace ostrel::test;

namespace {

const std::string CleanReport = "out SCAN RESULTS\\r\\nALERTS: 0\\r\\nSUSPICIOUS: 0\\r\\n\n";
const std::string VirusReport =
    "out   VIRUS: Eicar-Test-Signature\\r\\nSCAN RESULTS\\r\\nALERTS: 1\\r\\nSUSPICIOUS: 0\\r\\n\n";
// Enough for per-pair ratios to hold when Wine's start-up time jumps between its modes.
constexpr int PairedRuns = 100;
constexpr int CpuChecks = 10;
constexpr int HandleChecks = 1000;

using ostrel::bench::NowMs;

// User plus kernel time of this process, where a busy wait would show.
double CpuMs()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& time) {
        return ((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

struct Spread {
    double min, median, max;
};

Spread SpreadOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    const double median = values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    return {values.front(), median, values.back()};
}

void PrintSpread(const char* what, const std::vector<double>& values, const char* unit)
{
    Spread spread = SpreadOf(values);
    std::printf("  %-30s min %8.2f  median %8.2f  max %8.2f %s\n", what, spread.min, spread.median,
                spread.max, unit);
}

// Per-run ratios of two interleaved series.
std::vector<double> Ratios(const std::vector<double>& plugin, const std::vector<double>& direct)
{
    std::vector<double> ratios;
    for (size_t i = 0; i < plugin.size(); ++i) {
        ratios.push_back(plugin[i] / direct[i]);
    }
    return ratios;
}

// The peak working set so far, in MiB.
double PeakMemoryMiB()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize / (1024.0 * 1024.0);
}

// Handles by trying every handle value, for systems (Wine 8) whose
// GetProcessHandleCount answers 0. The probe itself opens nothing.
DWORD ProbedHandleCount()
{
    DWORD count = 0, flags;
    for (uintptr_t value = 4; value < 0x10000; value += 4) {
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    }
    return count;
}

class Bench {
public:
    Bench()
    {
        // A settings key left in the registry by the tests would mix into the ini's.
        DeleteMakerKey();
        Configure(false);
    }
    ~Bench() { plugin_.Call("BAV_Uninitialize"); }

    void Configure(bool logOutput)
    {
        WriteFileBytes(plugin_.IniPath(), "[Data]\r\nAVPExeName=" + FakeScannerPath() + "\r\nAVPScanParam=" +
                                              scanner_.Parameters() + "\r\nLogging=" + (logOutput ? "1" : "0") +
                                              "\r\nLogFileName=" + plugin_.File("bench.log") +
                                              "\r\nLogAVPOutput=" + (logOutput ? "1" : "0") + "\r\n");
        plugin_.Unload();
        plugin_.Load();
        if (plugin_.Call("BAV_Initialize") != 0) {
            throw std::runtime_error("BAV_Initialize failed");
        }
        DeleteFileA(plugin_.File("bench.log").c_str());
    }

    // The scanner re-reads its script on every run, so one initialization serves all parts.
    void Script(const std::string& script) const { scanner_.Write(script); }
    int32_t Check() const { return plugin_.Check(sample_.c_str(), message_); }
    std::string Message() const { return message_; }
    void Expect(int32_t expected, const char* name = "") const
    {
        const int32_t result = Check();
        if (result != expected || (expected == 1 && Message() != name)) {
            throw std::runtime_error("a check answered " + std::to_string(result) + " \"" + Message() +
                                     "\", expected " + std::to_string(expected) + " \"" + name + "\"");
        }
    }
    void CheckClean() const { Expect(0); }
    void Direct() const { ostrel::bench::RunDirectly(FakeScannerPath(), ScannerCommandLine()); }
    // The plug-in's runner and wait loop, with nothing done to the output.
    void RunnerAlone() const
    {
        ostrel::TScannerRunner runner;
        bool ended = false;
        runner.OnRawRead = [](ostrel::TProcessRunner&, std::string_view) {};
        runner.OnTerminate = [&](ostrel::TProcessRunner&, uint32_t) { ended = true; };
        runner.ApplicationName = FakeScannerPath();
        runner.CommandLine = ScannerCommandLine();
        runner.Run();
        for (;;) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageA(&message);
            }
            if (ended) {
                break;
            }
            runner.WaitForEvents(INFINITE);
        }
    }

private:
    std::string ScannerCommandLine() const
    {
        return "\"" + FakeScannerPath() + "\" " + scanner_.Parameters() + " " + sample_;
    }

    PluginLibrary plugin_;
    ScannerScript scanner_{plugin_.Folder()};
    std::string sample_ = plugin_.File("sample.eml");
    mutable char message_[1024] = {};
};

// Times each piece of work once per round, starting each round with the
// next one, so that drift and order hit all alike.
std::vector<std::vector<double>> Rotated(int runs, const std::vector<std::function<void()>>& works)
{
    std::vector<std::vector<double>> ms(works.size());
    for (int run = 0; run < runs; ++run) {
        for (size_t i = 0; i < works.size(); ++i) {
            const size_t which = (run + i) % works.size();
            const double start = NowMs();
            works[which]();
            ms[which].push_back(NowMs() - start);
        }
    }
    return ms;
}

// Two series, each first in every other round.
void Interleaved(int runs, const std::function<void()>& plugin, const std::function<void()>& direct,
                 std::vector<double>& pluginMs, std::vector<double>& directMs)
{
    std::vector<std::vector<double>> ms = Rotated(runs, {plugin, direct});
    pluginMs.insert(pluginMs.end(), ms[0].begin(), ms[0].end());
    directMs.insert(directMs.end(), ms[1].begin(), ms[1].end());
}

void Overhead(const Bench& bench)
{
    bench.Script(CleanReport);
    // The first start of each path pays for loading and caching; it is not counted.
    bench.CheckClean();
    bench.Direct();
    std::vector<double> plugin, direct;
    Interleaved(PairedRuns, [&] { bench.CheckClean(); }, [&] { bench.Direct(); }, plugin, direct);
    std::printf("1. A check with the fake scanner, %d interleaved runs each, order alternating\n", PairedRuns);
    PrintSpread("through the plug-in", plugin, "ms");
    PrintSpread("direct spawn", direct, "ms");
    PrintSpread("per-pair ratio (aim <= 1.05)", Ratios(plugin, direct), "");
}

// Host CPU per check against the direct spawn's, for a quick and a slow scanner.
void CpuPerCheck(const Bench& bench)
{
    std::printf("2. Host CPU per check, %d checks each (aim: plug-in <= direct + 2 ms)\n", CpuChecks);
    for (int scannerMs : {60, 1000}) {
        bench.Script("sleep " + std::to_string(scannerMs) + "\n" + CleanReport);
        auto cpuOf = [](const std::function<void()>& work) {
            const double start = CpuMs();
            for (int run = 0; run < CpuChecks; ++run) {
                work();
            }
            return (CpuMs() - start) / CpuChecks;
        };
        const double plugin = cpuOf([&] { bench.CheckClean(); });
        const double direct = cpuOf([&] { bench.Direct(); });
        // The figures show the clock's steps (10 ms under Wine) spread over the checks.
        std::printf("  scanner of %4d ms: plug-in %.1f ms, direct %.1f ms, difference %+.1f ms\n", scannerMs,
                    plugin, direct, plugin - direct);
    }
}

// Output of 1, 10 and 50 MiB followed by a find: time against the direct
// spawn, and the growth of peak memory, without and with the output logged.
// Then the two halves of the plug-in's cost at 50 MiB: its runner with no
// work on the bytes, and that work without the pipe.
void LargeOutput(Bench& bench)
{
    std::printf("3. Large output followed by a find, 3 interleaved runs each\n");
    for (bool logged : {false, true}) {
        bench.Configure(logged);
        for (int mib : {1, 10, 50}) {
            bench.Script("flood " + std::to_string(mib * 1048576) + " 65536\n" + VirusReport);
            const double peakBefore = PeakMemoryMiB();
            std::vector<double> plugin, direct;
            Interleaved(3, [&] { bench.Expect(1, "Eicar-Test-Signature"); }, [&] { bench.Direct(); }, plugin,
                        direct);
            const Spread ratio = SpreadOf(Ratios(plugin, direct));
            std::printf("  %2d MiB, output %s: plug-in %7.0f ms, direct %6.0f ms, ratio %.2f (%.2f-%.2f, aim <= %s),"
                        " peak memory +%.1f MiB\n",
                        mib, logged ? "logged    " : "not logged", SpreadOf(plugin).median, SpreadOf(direct).median,
                        ratio.median, ratio.min, ratio.max, logged ? "1.5" : "1.2", PeakMemoryMiB() - peakBefore);
        }
    }
    bench.Configure(false);
    bench.Script("flood " + std::to_string(50 * 1048576) + " 65536\n" + VirusReport);
    std::vector<double> runner, direct;
    Interleaved(3, [&] { bench.RunnerAlone(); }, [&] { bench.Direct(); }, runner, direct);
    const Spread ratio = SpreadOf(Ratios(runner, direct));
    std::printf("  50 MiB, the runner with no work on the bytes: %7.0f ms, direct %6.0f ms, ratio %.2f (%.2f-%.2f,"
                " expected near 1.05)\n",
                SpreadOf(runner).median, SpreadOf(direct).median, ratio.median, ratio.min, ratio.max);
    const ostrel::bench::ReadPathCost cost = ostrel::bench::MeasureReadPath();
    std::printf("  read path, 50 MiB in 64 KiB pieces without the pipe: %.2f ns/byte (aim <= 0.6);"
                " its 16 MiB as log lines %.2f ns per byte (medians of the pieces' times)\n",
                cost.readPath, cost.logLines);
}

// A report that the pipe receives in two writes, cut at every offset: each
// cut must give the find with its whole name.
void CutReports(const Bench& bench)
{
    const std::string report = "  VIRUS: Eicar-Test-Signature\\r\\nSCAN RESULTS\\r\\nALERTS: 1\\r\\nSUSPICIOUS: 0\\r\\n";
    int right = 0, cuts = 0;
    for (size_t cut = 0; cut <= report.size(); ++cut) {
        // A cut inside an escape would change the bytes; such offsets are skipped.
        if (cut > 0 && report[cut - 1] == '\\') {
            continue;
        }
        bench.Script("out " + report.substr(0, cut) + "\nsleep 5\nout " + report.substr(cut) + "\n");
        ++cuts;
        right += bench.Check() == 1 && bench.Message() == "Eicar-Test-Signature";
    }
    std::printf("4. A report cut across two writes at %d offsets: %d right (aim: all)\n", cuts, right);
}

void HandleGrowth(const Bench& bench)
{
    bench.Script(CleanReport);
    DWORD before = 0, after = 0;
    GetProcessHandleCount(GetCurrentProcess(), &before);
    const DWORD probedBefore = ProbedHandleCount();
    const double start = NowMs();
    for (int run = 0; run < HandleChecks; ++run) {
        bench.CheckClean();
    }
    const double wall = NowMs() - start;
    GetProcessHandleCount(GetCurrentProcess(), &after);
    const DWORD probedAfter = ProbedHandleCount();
    std::printf("5. Handles over %d clean checks (%.1f s, %.2f ms per check)\n", HandleChecks,
                wall / 1000, wall / HandleChecks);
    auto print = [](const char* how, DWORD from, DWORD to) {
        std::printf("  %s: before %lu, after %lu, growth %ld (aim 0)\n", how, from, to,
                    static_cast<long>(to) - static_cast<long>(from));
    };
    print("GetProcessHandleCount", before, after);
    print("probed handle values ", probedBefore, probedAfter);
}

// Eight host threads checking at once: how long a check waits in the queue.
void Fairness(const Bench& bench)
{
    constexpr int Threads = 8;
    constexpr int Checks = 25;
    bench.Script("sleep 30\n" + CleanReport);
    std::vector<double> waits(Threads * Checks);
    std::vector<std::thread> threads;
    const double start = NowMs();
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < Checks; ++i) {
                const double begin = NowMs();
                bench.Check();
                waits[t * Checks + i] = NowMs() - begin;
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    const double perCheck = (NowMs() - start) / (Threads * Checks);
    const Spread spread = SpreadOf(waits);
    std::printf("6. %d threads x %d checks: one check %.0f ms; a request's time median %.0f ms, longest %.0f ms"
                " (aim: longest near %d x one check = %.0f ms)\n",
                Threads, Checks, perCheck, spread.median, spread.max, Threads, Threads * perCheck);
}

std::string Tool(const char* name)
{
    return ProgramFolder() + "\\" + name;
}

// A program that does nothing: the floor of every start.
void StartTrivial(DWORD flags = ostrel::bench::PluginFlags)
{
    ostrel::bench::RunDirectly(Tool("trivial.exe"), "trivial.exe", flags);
}

// The median of per-pair differences, in ms.
double MedianDifference(const std::vector<double>& a, const std::vector<double>& b)
{
    std::vector<double> differences;
    for (size_t i = 0; i < a.size(); ++i) {
        differences.push_back(a[i] - b[i]);
    }
    return SpreadOf(differences).median;
}

// The shipped tools' start against a trivial program's, all without a
// console (DETACHED_PROCESS), so that only the programs differ; and what a
// console costs, from the trivial program started with the plug-in's flags.
void ProgramStart()
{
    const TempDir folder;
    const std::string sample = folder.File("sample.txt");
    WriteFileBytes(sample, "An ordinary line of text.\r\n");
    const std::string eicarscan = Tool("eicarscan.exe");
    const std::string ostrelscan = Tool("ostrelscan.exe");
    auto run = [](const std::string& tool, const std::string& arguments) {
        if (ostrel::bench::RunDirectly(tool, "\"" + tool + "\" " + arguments, DETACHED_PROCESS) != 0) {
            throw std::runtime_error(tool + " " + arguments + " did not end with 0");
        }
    };
    const std::vector<std::function<void()>> works = {
        [&] { StartTrivial(DETACHED_PROCESS); },
        [&] { run(eicarscan, "-nomem -noboot -nombr -z " + sample); },
        [&] { run(ostrelscan, "--help"); },
        [&] { StartTrivial(); },
    };
    for (const auto& work : works) {
        work();  // loads and caches, uncounted
    }
    const std::vector<std::vector<double>> ms = Rotated(PairedRuns, works);
    std::printf("7. Program start, %d runs each, order rotating\n", PairedRuns);
    PrintSpread("trivial program, no console", ms[0], "ms");
    PrintSpread("eicarscan, clean file, the same", ms[1], "ms");
    PrintSpread("ostrelscan --help, the same", ms[2], "ms");
    PrintSpread("eicarscan / trivial (<= 1.25)", Ratios(ms[1], ms[0]), "");
    PrintSpread("ostrelscan / trivial (<= 1.25)", Ratios(ms[2], ms[0]), "");
    PrintSpread("trivial, plug-in's flags", ms[3], "ms");
    // A console host of its own starts beside the program and ends after it,
    // so its work lands in the next start, whichever that is: per-pair
    // figures miss it, blocks of starts take it all in.
    constexpr int Blocks = 6, BlockRuns = 25;
    std::vector<double> console, detached;
    for (int block = 0; block < Blocks; ++block) {
        for (bool withConsole : {block % 2 == 0, block % 2 != 0}) {
            const double start = NowMs();
            for (int run = 0; run < BlockRuns; ++run) {
                StartTrivial(withConsole ? ostrel::bench::PluginFlags : DETACHED_PROCESS);
            }
            (withConsole ? console : detached).push_back((NowMs() - start) / BlockRuns);
        }
    }
    std::printf("  its console, in %d blocks of %d starts each: %.2f ms per start with, %.2f without, %+.2f ms\n",
                Blocks, BlockRuns, SpreadOf(console).median, SpreadOf(detached).median,
                SpreadOf(console).median - SpreadOf(detached).median);
}

// A check through the plug-in with the EICAR test scanner, against the same
// scanner started directly and against a trivial program's start.
void EicarCheck()
{
    PluginLibrary plugin;
    const std::string eicarscan = Tool("eicarscan.exe");
    const std::string sample = plugin.File("sample.eml");
    WriteFileBytes(sample, "Subject: figures\r\n\r\nAn ordinary message body.\r\n");
    WriteFileBytes(plugin.IniPath(), "[Data]\r\nAVPExeName=" + eicarscan + "\r\nLogging=0\r\n");
    plugin.Load();
    if (plugin.Call("BAV_Initialize") != 0) {
        throw std::runtime_error("BAV_Initialize failed");
    }
    const std::vector<std::function<void()>> works = {
        [&] {
            if (plugin.Check(sample.c_str(), nullptr) != 0) {
                throw std::runtime_error("the check with eicarscan was not clean");
            }
        },
        [&] { ostrel::bench::RunDirectly(eicarscan, "\"" + eicarscan + "\" -nomem -noboot -nombr -z " + sample); },
        [&] { StartTrivial(); },
    };
    for (const auto& work : works) {
        work();
    }
    const std::vector<std::vector<double>> ms = Rotated(PairedRuns, works);
    plugin.Call("BAV_Uninitialize");
    std::printf("8. A check with eicarscan, %d runs each, order rotating\n", PairedRuns);
    PrintSpread("through the plug-in", ms[0], "ms");
    PrintSpread("eicarscan started directly", ms[1], "ms");
    PrintSpread("trivial program", ms[2], "ms");
    PrintSpread("plug-in / direct (<= 1.05)", Ratios(ms[0], ms[1]), "");
    std::printf("  plug-in - trivial: median of per-pair differences %.2f ms\n", MedianDifference(ms[0], ms[2]));
}

}  // namespace

// Without arguments every part runs; with numbers, only those parts.
int main(int argc, char** argv)
{
    try {
        Bench bench;
        const std::vector<std::function<void()>> parts = {
            [&] { Overhead(bench); },     [&] { CpuPerCheck(bench); },  [&] { LargeOutput(bench); },
            [&] { CutReports(bench); },   [&] { HandleGrowth(bench); }, [&] { Fairness(bench); },
            [] { ProgramStart(); },       [] { EicarCheck(); },
        };
        ostrel::bench::PrintHost();
        for (size_t part = 1; part <= parts.size(); ++part) {
            const bool chosen = argc < 2 || std::find_if(argv + 1, argv + argc, [&](const char* arg) {
                                                return std::atoi(arg) == static_cast<int>(part);
                                            }) != argv + argc;
            if (chosen) {
                parts[part - 1]();
            }
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "scan_bench: %s\n", error.what());
        return 1;
    }
}
