#pragma once
// The game's two faces: "Gothic" (IPAPGothic for free text, fixed-pitch IPAGothic for the lists whose
// columns line up) and "Mincho" (IPAMincho), in points.
#include <QFont>

namespace polmina {

QFont gothic(double points, bool bold = false);
QFont fixedGothic(double points);
QFont mincho(double points, bool bold = false);
// The application's default: Gothic 9 pt, as every caption without its own font uses.
void installDefaultFont();

}  // namespace polmina
