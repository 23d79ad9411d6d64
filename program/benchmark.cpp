// The benchmark: the time of every frame of an unpaced run, summed up on stdout at its end.
#include "program/program.h"
#include "program/program_state.h"
#include "app/world_state.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

constexpr double tailShare = 0.95; // the percentile reported beside the median

void startBenchmark() {
    FrameRun &run = program.run;
    run.frameMilliseconds =
        static_cast<double *>(std::calloc(program.options.benchmarkFrames, sizeof(double)));
    if (run.frameMilliseconds == nullptr) {
        std::fprintf(stderr, "bemo-world: no memory for the benchmark's %ld frame times\n",
                     program.options.benchmarkFrames);
        std::exit(failedStatus);
    }
}

void noteFrameTime(double seconds) {
    program.run.frameMilliseconds[program.run.framesDrawn - 1] = seconds * millisecondsPerSecond;
}

// Median of an odd count is the middle time, of an even count the mean of the middle two;
// the percentile is the nearest rank.
void reportBenchmark() {
    long count = program.run.framesTotal;
    double *times = program.run.frameMilliseconds;
    std::sort(times, times + count);
    double median = (times[(count - 1) / 2] + times[count / 2]) / 2;
    auto tailRank = static_cast<long>(std::ceil(tailShare * static_cast<double>(count)));
    double total = 0;
    for (long i = 0; i < count; ++i) {
        total += times[i];
    }
    std::printf("frames: %ld\nmedian: %.2f ms\np95: %.2f ms\nworst: %.2f ms\nfps: %.1f\n", count,
                median, times[tailRank - 1], times[count - 1],
                count * millisecondsPerSecond / total);
    std::exit(doneStatus);
}
