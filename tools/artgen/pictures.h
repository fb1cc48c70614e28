// Every picture the game shows, each made by one function.
#pragma once

#include <QFont>
#include <QImage>

namespace artgen {

// Cells and strips.
constexpr int kRaceCell = 40, kRacePoses = 6;
constexpr int kHomeCell = 70, kHomeFrames = 15;

QImage raceStrip(int breed);  // 240 x 40, poses left to right
QImage homeSheet(int breed);  // 1050 x 70, frames left to right

// The race window.
QImage upperScenery();  // 900 x 50, repeats every 300 pixels
QImage course();        // 900 x 250, repeats every 300 pixels
QImage startGate();
QImage sectionMarker();
QImage goal();

// The main window's cat picture.
QImage homeBackground();  // 80 x 80
QImage homeShadow();      // 80 x 40

// Title, wizard, version window, icons, and the reviewers' overview.
QImage titlePicture();
QImage breedRow();
QImage versionPicture();
QImage icon(int size);
QImage contactSheet();

// The lettering font; the generator refuses to run without it so that output never depends on
// whatever fonts a machine happens to have.
QFont gothic(double pixelSize, bool bold = false);

// Every picture is drawn in the game's pixels; at a ratio of 2 or 3 the same drawing lands on an
// image two or three times as large (the @2x and @3x pictures), not resampled.
void setPixelRatio(int ratio);
QImage canvas(int w, int h);  // uninitialised, at the current ratio
QImage transparentImage(int w, int h);

}  // namespace artgen
