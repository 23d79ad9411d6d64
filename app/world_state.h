// The one process-wide state record of the bemo world and the constants beside it.
#pragma once

#include <GL/gl.h>

// What whatever runs the colony chooses before start-up: the program around the animation, the
// web page or a test. Every field at its initial value is the colony run by itself.
struct HostChoices {
    const char *textureFolder = nullptr; // folder of the six textures; null: the working folder
    int windowOnly = 0;                  // 1: the stand-in window even where game mode is possible
    void (*frameDrawn)() = nullptr;      // called once each frame is drawn, before its swap
};

// All mutable state of the running world. Exactly one instance, `world`, lives for the
// whole run and every routine reads and writes its fields directly. Angles are degrees,
// distances model units; flags hold 0 or 1. Phases held in floats are small whole numbers
// compared for exact equality.
//
// The fields keep the record's original layout, groups split as they were, so that byte
// dumps of the record, from different frames or different builds, line up field by field;
// no routine depends on the order. What the round reset renews is one unbroken run,
// scoutPos to roundOver, between the camera and window before it and the textures after
// it. New fields go at the end, so that nothing before them moves.
//
// The round reset (resetWorld) gives every field its initial value again, except what
// belongs to the run rather than to a round: the camera and the window, which stay where
// the user left them, and the texture names, which start-up fills once for the whole run.
// Any other field set once at start-up survives the reset in the same way.
struct WorldState {
    // Camera and window.
    float cameraPanX = 0;  // sideways pan of the scene (left arrow +0.5, right -0.5)
    float cameraPanY = 0;  // vertical pan (up arrow +0.5, down -0.5)
    float cameraZoom = 0;  // translation toward the viewer (i +2, o -1)
    float cameraPitch = 0; // rotation about the x axis, degrees (r +1, R -1)
    float cameraYaw = 0;   // rotation about the y axis, degrees (v +1, V -1)
    int windowed = 0;      // 0: full screen; 1: the 1000 by 768 window that Tab asks for

    // Ant troupes and scene director.
    float scoutPos = 0;           // scout path coordinate, meaning depends on the phase
    float scoutHeading = 0;       // scout heading about z; pitch in phase 3
    float rightPorterPos = 0;     // right porter path coordinate
    float leftPorterPos = 0;      // left porter path coordinate
    float rightPorterPhase = 0;   // right porter phase, 0 to 6
    float leftPorterPhase = 0;    // left porter phase, 0 to 6
    float rightPorterHeading = 0; // right porter heading; pitch in phase 5
    float leftPorterHeading = 0;  // left porter heading; pitch in phase 5
    float carrier1Pos = -0.5f;    // carrier 1 path coordinate, from 0.5 behind the start
    float carrier2Pos = -0.5f;    // carrier 2 path coordinate, from 0.5 behind the start
    float carrier3Pos = -0.5f;    // carrier 3 path coordinate, from 0.5 behind the start
    float carrier4Pos = 0;        // carrier 4 path coordinate, from the start point
    float carrier5Pos = 0;        // carrier 5 path coordinate, from the start point
    float carrier1Phase = 0;      // carrier 1 phase, 0 to 4
    float carrier2Phase = 0;      // carrier 2 phase, 0 to 4
    float carrier3Phase = 0;      // carrier 3 phase, 0 to 4
    float carrier4Phase = 0;      // carrier 4 phase, 0 to 4
    float carrier5Phase = 0;      // carrier 5 phase, 0 to 4; counts on to 30 once home
    float carrier2Heading = 0;    // carrier 2 heading; pitch in phase 3
    float carrier1Heading = 0;    // carrier 1 heading; pitch in phase 3
    float carrier3Heading = 0;    // carrier 3 heading; pitch in phase 3
    float carrier4Heading = 0;    // carrier 4 heading; pitch in phase 3
    float carrier5Heading = 0;    // carrier 5 heading; pitch in phase 3
    float patrolPos = 0;          // shared path coordinate of the ten patrol ants
    float patrolHeading = 0;      // patrol heading about z
    float patrolPhase = 0;        // patrol phase, 0 to 2
    float scoutBearing = 30;      // rotation of the scout's centre copy about the centre nest
    float foodDistance = 0;       // distance from a troupe's start point to the food pile
    float foodBearing = 0;        // bearing of the food pile from the centre nest
    float sideNestBearing = 0;    // +90 or -90: rotation that carries a copy to a side nest
    float foragerPos = 0;         // forager distance walked from the nest toward the centre
    float foragerPhase = 0;       // 0 outbound, 1 homebound with food, 2 home
    float foragerHeading = 0;     // forager turn about z, 0 to 180
    int patrolLap = 0;            // 0 during the first lap, 1 once it is complete
    int foragerWaitCount = 0;     // calls spent in the foragers' halfway pause
    int sideFoodDistance = 70;    // side food pieces lie this far + 4.7 from the centre
    int sideFoodTaken = 0;        // 1 once the foragers carry the side food pieces
    int foragerWaitLength = 0;    // length of the foragers' halfway pause, in calls
    int targetsChosen = 0;        // 1 once this round's targets are chosen

    // Gait oscillators (int degrees) and animation control. Direction flags: 0 while the
    // angle grows, 1 while it shrinks.
    int antennaAngle = -180;      // antenna joint, range -200 to -130
    int legSwingAngle = 0;        // fore-and-aft leg swing, range -28 to 30
    int legLiftAngle = 0;         // leg lift, range -5 to 5
    int jawAngle = 40;            // mandible opening, range 40 to 85
    float shortWalkStartTime = 0; // elapsed seconds at which the running short walk began
    int animationRunning = 0;     // 1 while the continuous animation tick runs
    int antennaDir = 0;           // direction of antennaAngle
    int legSwingDir = 0;          // direction of legSwingAngle
    int jawDir = 0;               // direction of jawAngle
    int legLiftDir = 0;           // direction of legLiftAngle

    // Troupe state, continued.
    int scoutPhase = 0;     // scout phase, 0 to 5
    int foodBites = 0;      // carrier 5's turning calls at the food; pile smaller from 2
    int porterDelay = 0;    // 0 first trip, 1 second trip, then frames up to 30
    int carrier1Loaded = 0; // carrier 1 holds its crumb; the scout uses this flag too
    int carrier2Loaded = 0; // carrier 2 holds its crumb
    int carrier3Loaded = 0; // carrier 3 holds its crumb
    int carrier4Loaded = 0; // carrier 4 holds its crumb
    int carrier5Loaded = 0; // carrier 5 holds its crumb
    int foodLifted = 0;     // 1 once the porters carry the food pile
    int columnStarted = 0;  // set by every call of carrier 1's mover

    // Display toggles.
    int wireframe = 0;   // 1: ant models drawn as wire frames (scenery stays solid)
    int flatShading = 0; // 1: ant models flat-shaded, 0: smooth

    // Troupe state, end of the animation fields.
    int waitCount = 0;        // shared wait at the food (to 31) and scout's nest stay (to 80)
    int antsHalted = 0;       // 1 while an ant counts its wait at the food
    int carrier2Released = 0; // carrier 2 may set out: carrier 1 is 15 units out
    int carrier3Released = 0; // carrier 3 may set out: carrier 2 is 15 units out
    int carrier4Released = 0; // carrier 4 may set out: carrier 3 is 15 units out
    int carrier5Released = 0; // carrier 5 may set out: carrier 4 is 15 units out
    int roundOver = 0;        // 1 once the left porter has finished

    // Texture objects, filled by one glGenTextures call at start-up, in this order.
    GLuint texFire2 = 0; // "fire2.raw": carriers and porters at the centre nest
    GLuint texCandy = 0; // "candy.raw": all food
    GLuint texWood = 0;  // "wood.raw": the ground disk
    GLuint texFire = 0;  // "fire.raw": the scout's centre copy, the patrol ants
    GLuint texHole = 0;  // "hole.raw": the nests
    GLuint texYant = 0;  // "yant.raw": side-nest copies and foragers

    // What the host of the colony chose; the round reset keeps it.
    HostChoices host;
};

extern WorldState world;

// Pixels of every frame: the game-mode screen's, the stand-in window's and the viewport's.
constexpr int frameWidth = 1024;
constexpr int frameHeight = 768;

// Seconds per GLUT elapsed-time millisecond count.
constexpr float millisecondsPerSecond = 1000;

// Front material and the one light, set once at start-up.
constexpr GLfloat materialSpecular[4] = {10, 1, 1, 1};
constexpr GLfloat materialShininess = 30;
constexpr GLfloat lightPosition[4] = {1, 1, 1, 5};
