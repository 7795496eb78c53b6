#pragma once
// The surface's pointer shapes, which double as its modes: the pointer the surface shows
// says what a press on it does. The values are the identifiers of the program's pointer
// table. The engine's erasers take their square from the mode, so it lives at this level.
enum class PointerMode : int {
    Default = 0,
    Pick = -20,         // the next release picks a colour from the screen
    PointingHand = -21, // the colour picker's pick button is up
    Scissors = -23,     // the cutting tool
    EraserLarge = -24,  // the square erasers, large to small
    EraserMedium = -25,
    EraserSmall = -26,
};

inline bool isEraser(PointerMode m) {
    return m == PointerMode::EraserLarge || m == PointerMode::EraserMedium ||
           m == PointerMode::EraserSmall;
}
