#pragma once

namespace ostrel::bench {

// What the plug-in's own work on a large output costs, without the pipe:
// 50 MiB of the fake scanner's flood and a report, in 64 KiB pieces as the
// pipe delivers them. Medians of a few rounds, in ns per byte.
struct ReadPathCost {
    double readPath;  // umlauts, report and end marker
    double logLines;  // the kept 16 MiB written as log lines, per kept byte
};

ReadPathCost MeasureReadPath();

}  // namespace ostrel::bench
