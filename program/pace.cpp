// The pace outside a recording or the benchmark: each frame waits for a slot of its own, as on a
// display refreshed `pace` times a second; the rate of the frames shown; the steady clock.
#include "program/program.h"
#include "program/program_state.h"

#include "app/world_state.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

constexpr double rateLineSeconds = 5; // the least span of a rate line

double steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A frame takes the slot it is drawn in, or the one after the last frame's when that is later,
// and is shown when its slot begins. One drawn late, past its slot's start, is shown at once:
// the frames after it do not make up the time lost.
double paceFrame(double drawn) {
    FramePace &pace = program.pace;
    double rate = static_cast<double>(program.options.pace);
    auto drawnSlot = static_cast<long>(std::floor((drawn - pace.startSeconds) * rate));
    pace.lastSlot = std::max(drawnSlot, pace.lastSlot + 1);
    return std::max(drawn, pace.startSeconds + static_cast<double>(pace.lastSlot) / rate);
}

void noteFrameShown(double shown) {
    FramePace &pace = program.pace;
    pace.rateFrames += 1;
    double span = shown - pace.rateSeconds;
    if (span < rateLineSeconds) {
        return;
    }
    std::fprintf(stderr, "%ld frames in %.2f s: %.1f frames/s\n", pace.rateFrames, span,
                 static_cast<double>(pace.rateFrames) / span);
    pace.rateSeconds = shown;
    pace.rateFrames = 0;
}

// The colony's frame hook outside a run of frames: holds the frame until its slot, and counts
// it for the rate line.
static void paceFrameDrawn() {
    double drawn = steadySeconds();
    double shown = drawn;
    if (program.options.pace > 0) {
        shown = paceFrame(drawn);
        std::this_thread::sleep_for(std::chrono::duration<double>(shown - drawn));
    }
    if (program.options.showRate == 1) {
        noteFrameShown(shown);
    }
}

void startPace() {
    program.pace.startSeconds = steadySeconds();
    program.pace.rateSeconds = program.pace.startSeconds;
    if (program.options.pace > 0 || program.options.showRate == 1) {
        world.host.frameDrawn = paceFrameDrawn;
    }
}
