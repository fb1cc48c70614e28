#include "ui/fonts.h"

#include <QApplication>

namespace polmina {

namespace {

QFont face(const char* family, double points, bool bold) {
  QFont f(QString::fromLatin1(family));
  f.setPointSizeF(points);
  f.setBold(bold);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

}  // namespace

QFont gothic(double points, bool bold) { return face("IPAPGothic", points, bold); }

QFont fixedGothic(double points) {
  QFont f = face("IPAGothic", points, false);
  f.setFixedPitch(true);
  f.setStyleHint(QFont::Monospace);
  return f;
}

QFont mincho(double points, bool bold) { return face("IPAMincho", points, bold); }

void installDefaultFont() { QApplication::setFont(gothic(9)); }

}  // namespace polmina
