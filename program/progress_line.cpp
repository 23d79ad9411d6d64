// The progress line of a recording on stderr: frames drawn of all, frames per second, time
// left. A terminal sees one line rewritten in place, anything else a line per tenth.
#include "program/program.h"
#include "program/program_state.h"

#include <cstdio>
#include <unistd.h>

constexpr double terminalRefreshSeconds = 0.25;
constexpr long progressSteps = 10;
// On a terminal each line starts over the last and clears what is left of it.
constexpr char clearLineEnd[] = "\x1b[K";

void reportProgress(double now) {
    FrameRun &run = program.run;
    bool terminal = isatty(STDERR_FILENO) == 1;
    bool last = run.framesDrawn == run.framesTotal;
    long tenths = run.framesDrawn * progressSteps / run.framesTotal;
    bool due = terminal ? last || now - run.progressSeconds >= terminalRefreshSeconds
                        : tenths > run.progressTenths;
    if (!due) {
        return;
    }
    run.progressSeconds = now;
    run.progressTenths = tenths;
    double elapsed = now - run.startSeconds;
    double rate = elapsed > 0 ? run.framesDrawn / elapsed : 0;
    double left = rate > 0 ? (run.framesTotal - run.framesDrawn) / rate : 0;
    const char *stage = run.framesDrawn <= program.options.skipFrames ? "skipping" : "recording";
    std::fprintf(stderr, "%s%s: %ld/%ld frames, %.1f frames/s, %.0f s left%s%s",
                 terminal ? "\r" : "", stage, run.framesDrawn, run.framesTotal, rate, left,
                 terminal ? clearLineEnd : "", terminal && !last ? "" : "\n");
}

const char *progressBreak() {
    FrameRun &run = program.run;
    bool open =
        isatty(STDERR_FILENO) == 1 && run.progressSeconds > 0 && run.framesDrawn < run.framesTotal;
    return open ? "\n" : "";
}
