// Runs of a fixed number of frames, a recording or the benchmark: exactly one animation tick
// before each frame drawn, from the first frame to the last, then the end of the process.
// Every other run keeps the pace.
#include "program/program.h"
#include "program/program_state.h"
#include "app/app.h"
#include "app/world_state.h"

#include <GL/freeglut.h>
#include <unistd.h>

constexpr useconds_t hiddenWaitMicroseconds = 20000;

// The run owns the idle callback, so `s` and `d` are passed over, and Tab too, which would
// shrink the window below the frame. Esc ends a recording with the clip made so far, and a
// benchmark after the frame in hand, with the figures of the frames drawn. Every other key
// works as usual.
static void handleRunKey(unsigned char key, int x, int y) {
    if (key == 's' || key == 'd' || key == keyTab) {
        return;
    }
    if (key == keyEscape && recording()) {
        endRecording(doneStatus);
    }
    if (key == keyEscape) {
        program.run.framesTotal = program.run.framesDrawn + program.run.framePending;
        return;
    }
    handleKey(key, x, y);
}

void startFrameRun() {
    FrameRun &run = program.run;
    if (recording()) {
        run.framesTotal = program.options.skipFrames + program.options.recordFrames;
    } else if (program.options.benchmarkFrames != 0) {
        run.framesTotal = program.options.benchmarkFrames;
        startBenchmark();
    } else {
        startPace();
        return;
    }
    // Never paced, not even by a display that waits for its refresh.
    unpaceSwaps();
    world.host.frameDrawn = frameDrawn;
    glutKeyboardFunc(handleRunKey);
    glutIdleFunc(tickFrameRun);
    run.startSeconds = steadySeconds();
    tickFrameRun();
}

// GLUT draws at most one frame per pass of its loop, before the idle call, and only while the
// window is visible; so a tick is made only once the frame asked for by the last one is drawn.
void tickFrameRun() {
    FrameRun &run = program.run;
    int interrupt = recording() ? takeInterrupt() : 0;
    if (interrupt != 0) {
        endRecording(signalStatusBase + interrupt);
    }
    // The frame asked for was not drawn in this pass: the window is hidden. Wait without
    // spinning, 20 ms a pass, until it shows again.
    if (run.framePending == 1) {
        glutPostRedisplay();
        usleep(hiddenWaitMicroseconds);
        return;
    }
    double now = steadySeconds();
    if (run.framesDrawn > 0) {
        if (recording()) {
            reportProgress(now);
        } else {
            noteFrameTime(now - run.tickSeconds);
        }
    }
    if (run.framesDrawn == run.framesTotal) {
        if (recording()) {
            endRecording(doneStatus);
        }
        reportBenchmark();
    }
    tickAnimation();
    run.framePending = 1;
    run.tickSeconds = now;
}

void frameDrawn() {
    FrameRun &run = program.run;
    if (run.framesTotal == 0) {
        return;
    }
    run.framesDrawn += 1;
    run.framePending = 0;
    if (recording() && run.framesDrawn > program.options.skipFrames) {
        keepFrame();
    }
}
