// The command line's own options: help, version, window, texture folder, camera, recording,
// benchmark and pace, with the checks a recording needs before any window opens.
#include "program/program.h"
#include "program/program_state.h"
#include "app/world_state.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

// Frame counts stop here: over nineteen days at 60 frames a second.
constexpr long mostFrames = 100000000;

constexpr char usageText[] = R"(Usage: bemo-world [GLUT options] [options]
A real-time 3-D animation of an ant colony. Without options it runs full screen (where the
display allows it) with its six textures read from the working folder.

Options:
  --window             open the 1024x768 window even where full screen is possible
  --data DIR           read the six .raw textures from DIR
  --camera X,Y,Z[,P,T]
                       start with the camera panned by X,Y (each arrow key 0.5), zoomed by Z
                       (i +2, o -1) and turned by P and T degrees (r, v)
  --record FILE        record a clip to FILE and end: a .mp4 is H.264 at 60 frames per
                       second, a .gif an animated GIF at 50; the animation runs from the
                       start, one step per frame however slow the drawing (s, d and Tab
                       are passed over; Esc, Ctrl-C, TERM and HUP end it early, keeping
                       the clip)
  --frames N           frames kept in the clip (needed with --record)
  --skip K             frames drawn before the first kept one (default 0)
  --benchmark N        draw N frames unpaced with the animation running, then print the
                       frame count, median, 95th percentile and worst frame time, and fps
                       (s, d and Tab are passed over; Esc ends it early, summing up the
                       frames drawn)
  --pace N             show at most N frames a second (default 60), as a display refreshed
                       N times a second would; 0: as fast as the display allows (a recording
                       and the benchmark are never paced, and take neither --pace nor --fps)
  --fps                every five seconds while frames are drawn, print on stderr how many
                       were shown and how many a second
  --help               show this help and end
  --version            show the version and end

An option given twice takes the value given last; only that value is checked.

Keys:
  s            start or stop the animation
  arrow keys   pan the camera
  i / o        zoom in / out
  r / R        tilt the camera up / down
  v / V        turn the camera left / right
  1            reset the camera
  m            wire frame or solid ants
  M            flat or smooth shading
  w            one step of the legs (hold it down to walk)
  e            one step of the antennae and mandibles
  d            a short walk of the ants (while the patrol ants are near their start)
  Tab          switch between full screen and a 1000x768 window
  Esc          end the program
The right mouse button opens a menu that lists the keys.
)";

// The camera option's values, in the order it takes them; the last two may be left out.
constexpr float WorldState::*cameraFields[] = {&WorldState::cameraPanX, &WorldState::cameraPanY,
                                               &WorldState::cameraZoom, &WorldState::cameraPitch,
                                               &WorldState::cameraYaw};
constexpr size_t cameraFieldCount = sizeof cameraFields / sizeof cameraFields[0];
constexpr size_t cameraFieldsRequired = 3;

// GLUT's own options, which glutInit takes after these are read, and whether each has a value.
struct GlutOption {
    const char *name;
    int values;
};
constexpr GlutOption glutOptions[] = {{"-display", 1},  {"-geometry", 1}, {"-direct", 0},
                                      {"-indirect", 0}, {"-iconic", 0},   {"-gldebug", 0},
                                      {"-sync", 0}};

// The values a GLUT option takes, or -1 for any other word.
static int glutOptionValues(const std::string &word) {
    for (const GlutOption &option : glutOptions) {
        if (word == option.name) {
            return option.values;
        }
    }
    return -1;
}

void rejectCommandLine(const std::string &problem) {
    std::fprintf(stderr, "bemo-world: %s\nTry 'bemo-world --help' for more information.\n",
                 problem.c_str());
    std::exit(usageStatus);
}

// A whole number from `least` to mostFrames, or the end of the process.
static long countValue(const char *option, const char *text, long least) {
    char *end = nullptr;
    errno = 0;
    long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || value < least || value > mostFrames) {
        rejectCommandLine(std::string("bad value '") + text + "' for " + option +
                          ": a whole number from " + std::to_string(least) + " to " +
                          std::to_string(mostFrames) + " is needed");
    }
    return value;
}

// The count given last for `option`, from `least` to mostFrames; `absent` when not given.
static long countOption(std::map<std::string, const char *> &values, const char *option, long least,
                        long absent) {
    const char *text = values[option];
    return text == nullptr ? absent : countValue(option, text, least);
}

// Three or five numbers separated by commas, in the order of cameraFields; the fields left out
// keep their start.
static void setCamera(const char *text) {
    std::vector<float> values;
    const char *at = text;
    char *end = nullptr;
    for (;;) {
        values.push_back(std::strtof(at, &end));
        if (end == at || *end != ',') {
            break;
        }
        at = end + 1;
    }
    bool parsed =
        end != at && *end == '\0' &&
        std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
    if (!parsed || (values.size() != cameraFieldsRequired && values.size() != cameraFieldCount)) {
        rejectCommandLine(
            std::string("bad value '") + text +
            "' for --camera: three or five finite numbers separated by commas are needed");
    }
    for (size_t i = 0; i < values.size(); ++i) {
        world.*cameraFields[i] = values[i];
    }
}

static bool isFolder(const std::string &path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

static bool endsWith(const std::string &text, const char *ending) {
    size_t length = std::strlen(ending);
    return text.size() > length && text.compare(text.size() - length, length, ending) == 0;
}

// Whether an executable `name` lies in one of the folders of PATH.
static bool onPath(const char *name) {
    const char *path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        end = end == std::string::npos ? folders.size() : end;
        std::string folder = end > start ? folders.substr(start, end - start) : ".";
        std::string file = folder + "/" + name;
        struct stat info {};
        if (stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            access(file.c_str(), X_OK) == 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

// What a recording needs before any window opens: a known kind of clip and ffmpeg; the folder
// is checked as the clip is claimed.
static void checkRecording() {
    ProgramOptions &options = program.options;
    if (options.recordFrames == 0) {
        rejectCommandLine("--record needs --frames");
    }
    std::string file = options.recordPath;
    if (!endsWith(file, ".mp4") && !endsWith(file, ".gif")) {
        rejectCommandLine("bad value '" + file +
                          "' for --record: the name must end in .mp4 or .gif");
    }
    options.recordGif = endsWith(file, ".gif") ? 1 : 0;
    if (!onPath("ffmpeg")) {
        rejectCommandLine("cannot record: no ffmpeg on the PATH (Debian package ffmpeg)");
    }
}

// The options that take a value.
constexpr const char *valueOptions[] = {"--data",      "--camera", "--record", "--frames",
                                        "--benchmark", "--skip",   "--pace"};

// The value after `argv[*at]`, which is consumed; or the end of the process.
static const char *optionValue(int argc, char **argv, int *at) {
    if (*at + 1 >= argc) {
        rejectCommandLine(std::string("option ") + argv[*at] + " needs a value");
    }
    *at += 1;
    return argv[*at];
}

void answerHelpOrVersion(int argc, char **argv) {
    for (int at = 1; at < argc; ++at) {
        std::string option = argv[at];
        if (option == "--help") {
            std::fputs(usageText, stdout);
            std::exit(doneStatus);
        } else if (option == "--version") {
            std::printf("bemo-world %s\n", BEMO_VERSION);
            std::exit(doneStatus);
        }
    }
}

void readOptions(int argc, char **argv) {
    ProgramOptions &options = program.options;
    std::map<std::string, const char *> values; // the value given last of each option
    for (int at = 1; at < argc; ++at) {
        std::string option = argv[at];
        if (option == "--window") {
            world.host.windowOnly = 1;
        } else if (option == "--fps") {
            options.showRate = 1;
        } else if (std::count(std::begin(valueOptions), std::end(valueOptions), option) == 1) {
            values[option] = optionValue(argc, argv, &at);
        } else if (int glutValues = glutOptionValues(option); glutValues >= 0) {
            at += glutValues;
        } else {
            rejectCommandLine("unknown option '" + option + "'");
        }
    }
    const char *folder = values["--data"];
    if (folder != nullptr && !isFolder(folder)) {
        rejectCommandLine(std::string("no folder '") + folder + "' for --data");
    }
    world.host.textureFolder = folder;
    const char *camera = values["--camera"];
    if (camera != nullptr) {
        setCamera(camera);
    }
    options.recordPath = values["--record"];
    options.recordFrames = countOption(values, "--frames", 1, 0);
    options.skipFrames = countOption(values, "--skip", 0, 0);
    options.benchmarkFrames = countOption(values, "--benchmark", 1, 0);
    options.pace = countOption(values, "--pace", 0, options.pace);
    if (options.recordPath == nullptr && (options.recordFrames != 0 || options.skipFrames != 0)) {
        rejectCommandLine("--frames and --skip go with --record");
    }
    if (options.recordPath != nullptr && options.benchmarkFrames != 0) {
        rejectCommandLine("--record and --benchmark cannot run together");
    }
    bool frameRun = options.recordPath != nullptr || options.benchmarkFrames != 0;
    if (frameRun && (values["--pace"] != nullptr || options.showRate == 1)) {
        rejectCommandLine("--pace and --fps go with neither --record nor --benchmark");
    }
    if (options.recordPath != nullptr) {
        checkRecording();
    }
}
