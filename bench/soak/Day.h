#pragma once
// A day's use of one window set, simulated: strokes of every shape with undo, fills,
// erasers and text among them; picture tools cut out, turned, painted and deleted; designs
// saved and opened; the grid and the magnifier switched on and off. Everything goes through
// the calls the windows' own input reaches. The figures say whether the day leaves the
// program bigger or slower than it was after its first strokes.
#include <QMap>
#include <QString>
#include <QStringList>

class Ravo;

// How much of each the day holds; the full day is 10 000 strokes, 500 tools, 100 designs
// and 200 switches of the aids. A scaled day keeps the same mix, only shorter.
struct DayCounts {
    int strokes = 10000;
    int tools = 500;
    int designs = 100;
    int aidSwitches = 200;
};
DayCounts dayCounts(double scale);

// Resident memory as read, and once more after malloc_trim(0) gave the heap's free pages
// back; the mean time of one stroke, its repaint included, over a hundred strokes: on the
// clock, and on the main thread's processor time, which other programs on the machine
// disturb less.
struct Reading {
    double residentMiB = 0;
    double trimmedMiB = 0;
    // The heap's blocks in use (mallinfo2), which no free page kept or given back hides.
    double heapMiB = 0;
    // The widgets alive by class: a window or menu made for a step and never deleted shows
    // here.
    QMap<QString, int> widgets;
    double usPerStroke = 0;
    double cpuUsPerStroke = 0;
};

struct DayFigures {
    DayCounts done;       // what was carried out, counted as it happened
    Reading start;        // after the first hundred strokes (their tools, designs, aids)
    Reading end;          // after the last stroke
    QStringList messages; // messages the program showed that the day did not ask for
};

// Told of the resident memory (untrimmed) after every hundredth stroke of a long day.
using Progress = void (*)(int strokes, double residentMiB);

// The process's resident memory in MiB, from /proc/self/statm.
double residentMiB();

// Lives the day on the window set. Throws std::runtime_error when a step did not do what a
// user would see it do (no tool made, a design not written, a tool not gone).
DayFigures liveADay(Ravo& ravo, const DayCounts& counts, Progress progress = nullptr);
