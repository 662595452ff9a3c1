#pragma once

namespace ostrel::bench {

// What the plug-in's own work on a large output costs, without the pipe:
// 50 MiB of the fake scanner's flood and a report, in 64 KiB pieces as the
// pipe delivers them, in ns per byte. Each piece (each log block) is timed
// on its own and the median taken, so that other programs on the CPU,
// which stretch a few of them, do not count.
struct ReadPathCost {
    double readPath;  // umlauts, report and end marker
    double logLines;  // the kept 16 MiB written as log lines, per kept byte
};

ReadPathCost MeasureReadPath();

}  // namespace ostrel::bench
