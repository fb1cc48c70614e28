#include "cat.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QtMath>
#include <array>

namespace artgen {

namespace {

const QColor kOutline(0x2b, 0x1e, 0x18);
const QColor kPink(0xf4, 0xa0, 0xb0);

QColor mix(const QColor& a, const QColor& b, double t) {
  return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                          float(a.greenF() + (b.greenF() - a.greenF()) * t),
                          float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QColor alpha(QColor c, int a) {
  c.setAlpha(a);
  return c;
}

double lerp(double a, double b, double t) { return a + (b - a) * t; }

QPainterPath ellipse(QPointF c, double rx, double ry) {
  QPainterPath path;
  path.addEllipse(c, rx, ry);
  return path;
}

// An ellipse whose rim is a row of small bulges: long fur.
QPainterPath fluffy(QPointF c, double rx, double ry, int bumps, double depth) {
  QPainterPath path;
  auto at = [&](double a, double k) { return c + QPointF(rx * k * std::cos(a), ry * k * std::sin(a)); };
  path.moveTo(at(0, 1));
  for (int i = 0; i < bumps; ++i) {
    double a0 = 2 * M_PI * i / bumps, a1 = 2 * M_PI * (i + 1) / bumps;
    path.quadTo(at((a0 + a1) / 2, 1 + depth), at(a1, 1));
  }
  path.closeSubpath();
  return path;
}

QPainterPath stroke(std::initializer_list<QPointF> pts) {
  QPainterPath path;
  auto it = pts.begin();
  path.moveTo(*it++);
  while (it != pts.end()) {
    QPointF ctrl = *it++;
    path.quadTo(ctrl, *it++);
  }
  return path;
}

}  // namespace

const Coat& coat(int breed) {
  static const std::array<Coat, kBreedCount> coats = [] {
    std::array<Coat, kBreedCount> a;
    const QColor pinkNose(0xf0, 0x8c, 0x98);
    a[0] = {QStringLiteral("トラ"), Pattern::Mackerel, QColor(0xf5, 0xa5, 0x48), QColor(0xc8, 0x62, 0x1c),
            QColor(0xff, 0xf4, 0xe2), {}, QColor(0xf0, 0xb8, 0x20), pinkNose, kOutline};
    a[1] = {QStringLiteral("チンチラ"), Pattern::Chinchilla, QColor(0xfb, 0xfb, 0xfd), QColor(0xb8, 0xbc, 0xc8),
            QColor(0xff, 0xff, 0xff), {}, QColor(0x2e, 0xb8, 0x5c), pinkNose, kOutline, true};
    a[2] = {QStringLiteral("シャム"), Pattern::Points, QColor(0xf3, 0xe6, 0xcc), QColor(0x4a, 0x30, 0x24),
            QColor(0xfc, 0xf6, 0xea), {}, QColor(0x3c, 0x96, 0xff), QColor(0x3a, 0x26, 0x1e),
            QColor(0xf0, 0xe0, 0xd0)};
    a[2].earScale = 1.28;
    a[2].headWidth = 0.9;
    a[2].bodyWidth = 0.86;
    a[3] = {QStringLiteral("ロシアン"), Pattern::Solid, QColor(0x8a, 0x97, 0xab), QColor(0x6c, 0x78, 0x8c),
            QColor(0xa8, 0xb3, 0xc4), {}, QColor(0x40, 0xc8, 0x60), QColor(0x5a, 0x63, 0x74), kOutline};
    a[4] = {QStringLiteral("アビシニアン"), Pattern::Ticked, QColor(0xc7, 0x7c, 0x44), QColor(0x74, 0x42, 0x20),
            QColor(0xf3, 0xdf, 0xc4), {}, QColor(0xb4, 0xc2, 0x38), QColor(0xb0, 0x52, 0x44), kOutline};
    a[4].earScale = 1.3;
    a[4].headWidth = 0.96;
    a[5] = {QStringLiteral("ヒマラヤン"), Pattern::Points, QColor(0xf5, 0xec, 0xdc), QColor(0x5a, 0x3e, 0x30),
            QColor(0xff, 0xfb, 0xf2), {}, QColor(0x3c, 0x96, 0xff), QColor(0x4a, 0x30, 0x26),
            QColor(0xf0, 0xe0, 0xd0), true, true};
    a[5].earScale = 0.62;
    a[5].headWidth = 1.08;
    a[5].bodyWidth = 1.1;
    a[6] = {QStringLiteral("キジトラ"), Pattern::Mackerel, QColor(0x9a, 0x7a, 0x54), QColor(0x3a, 0x2a, 0x1c),
            QColor(0xee, 0xe2, 0xcc), {}, QColor(0xa8, 0xc4, 0x3c), QColor(0xc0, 0x6c, 0x58), kOutline};
    a[7] = {QStringLiteral("ミケ"), Pattern::Calico, QColor(0xff, 0xff, 0xff), QColor(0x2c, 0x24, 0x22),
            QColor(0xff, 0xff, 0xff), QColor(0xf0, 0x98, 0x3c), QColor(0xe8, 0xb0, 0x20), pinkNose, kOutline};
    a[8] = {QStringLiteral("クロ"), Pattern::Solid, QColor(0x30, 0x30, 0x3a), QColor(0x1a, 0x1a, 0x22),
            QColor(0x3c, 0x3c, 0x48), {}, QColor(0xff, 0xd8, 0x10), QColor(0x1c, 0x1c, 0x22),
            QColor(0xc8, 0xc8, 0xd4)};
    a[9] = {QStringLiteral("アメショー"), Pattern::Classic, QColor(0xc6, 0xca, 0xd0), QColor(0x26, 0x26, 0x2c),
            QColor(0xee, 0xf0, 0xf2), {}, QColor(0x78, 0xc4, 0x50), QColor(0xc8, 0x6c, 0x6c), kOutline};
    a[10] = {QStringLiteral("フメイ"), Pattern::Bicolour, QColor(0xff, 0xff, 0xff), QColor(0x74, 0x6c, 0x64),
             QColor(0xff, 0xff, 0xff), {}, QColor(0xc8, 0xc0, 0x38), pinkNose, kOutline};
    return a;
  }();
  return coats.at(std::size_t(breed));
}

CatPainter::CatPainter(QPainter& p, const Coat& c, QPointF origin, double size)
    : p_(p), c_(c), origin_(origin + QPointF(1, 1)), scale_((size - 2) / 100.0), ow_((1.0 + size / 100.0) / scale_),
      small_(size < 56) {}

void CatPainter::begin() {
  p_.save();
  p_.setRenderHint(QPainter::Antialiasing);
  p_.setClipRect(QRectF(origin_ - QPointF(1, 1), QSizeF(scale_ * 100 + 2, scale_ * 100 + 2)), Qt::IntersectClip);
  p_.translate(origin_);
  p_.scale(scale_, scale_);
}

void CatPainter::end() { p_.restore(); }

QPen CatPainter::pen(double widthFactor) const {
  return QPen(kOutline, ow_ * widthFactor, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void CatPainter::outlined(const QPainterPath& path, const QBrush& fill) {
  p_.fillPath(path, fill);
  p_.strokePath(path, pen());
}

QColor CatPainter::legColour(bool) const { return c_.pattern == Pattern::Points ? c_.dark : c_.base; }

// ---------------------------------------------------------------- head

void CatPainter::ears(QPointF c, double r, double droop) {
  for (int s : {-1, 1}) {
    QPointF bi(s * 0.2 * r, -0.8 * r), bo(s * 0.95 * r, -0.36 * r), tip(s * 0.76 * r, -1.22 * r);
    QPointF m = (bi + bo) / 2;
    tip = m + (tip - m) * c_.earScale;
    QColor ear = c_.base;
    if (c_.pattern == Pattern::Points || c_.pattern == Pattern::Bicolour) ear = c_.dark;
    if (c_.pattern == Pattern::Calico) ear = s < 0 ? c_.patch : c_.dark;
    p_.save();
    p_.translate(c + m);
    p_.rotate(s * droop);
    p_.translate(-m);
    QPainterPath outer;
    outer.moveTo(bi + QPointF(0, 0.1 * r));
    outer.lineTo(tip);
    outer.lineTo(bo + QPointF(0, 0.1 * r));
    outer.closeSubpath();
    outlined(outer, ear);
    QPointF g = (bi + bo + tip) / 3 + QPointF(0, 0.05 * r);
    QPainterPath inner;
    inner.moveTo(g + (bi - g) * 0.6);
    inner.lineTo(g + (tip - g) * 0.62);
    inner.lineTo(g + (bo - g) * 0.6);
    inner.closeSubpath();
    p_.fillPath(inner, mix(ear, kPink, 0.6));
    p_.restore();
  }
}

void CatPainter::headMarkings(QPointF c, double r) {
  const double w = 1.08 * r * c_.headWidth;
  QPen stripe(c_.dark, 0.12 * r, Qt::SolidLine, Qt::RoundCap);
  switch (c_.pattern) {
  case Pattern::Mackerel:
  case Pattern::Classic:
    p_.fillPath(ellipse(c + QPointF(0, 0.44 * r), 0.46 * r, 0.3 * r), c_.light);
    p_.setPen(stripe);
    for (int i = -1; i <= 1; ++i)
      p_.drawLine(c + QPointF(i * 0.22 * r, -0.95 * r), c + QPointF(i * 0.15 * r, -0.5 * r));
    for (int s : {-1, 1}) {
      p_.drawPath(stroke({c + QPointF(s * w, 0.02 * r), c + QPointF(s * 0.85 * r, -0.05 * r),
                          c + QPointF(s * 0.7 * r, 0.12 * r)}));
      p_.drawLine(c + QPointF(s * w, 0.3 * r), c + QPointF(s * 0.78 * r, 0.3 * r));
    }
    break;
  case Pattern::Points: {
    QRadialGradient g(c + QPointF(0, 0.3 * r), (c_.flatFace ? 0.68 : 0.85) * r);
    g.setColorAt(0, c_.dark);
    g.setColorAt(0.5, alpha(c_.dark, 215));
    g.setColorAt(1, alpha(c_.dark, 0));
    p_.fillRect(QRectF(c.x() - 2 * r, c.y() - 2 * r, 4 * r, 4 * r), g);
    break;
  }
  case Pattern::Calico:
    p_.fillPath(ellipse(c + QPointF(-0.85 * r, -0.6 * r), 0.72 * r, 0.68 * r), c_.patch);
    p_.fillPath(ellipse(c + QPointF(0.9 * r, -0.72 * r), 0.62 * r, 0.52 * r), c_.dark);
    break;
  case Pattern::Bicolour: {
    QPainterPath cap;
    cap.moveTo(c + QPointF(-2 * r, -2 * r));
    cap.lineTo(c + QPointF(2 * r, -2 * r));
    cap.lineTo(c + QPointF(2 * r, 0.14 * r));
    cap.quadTo(c + QPointF(0.3 * r, -0.1 * r), c + QPointF(0, -0.62 * r));
    cap.quadTo(c + QPointF(-0.3 * r, -0.1 * r), c + QPointF(-2 * r, 0.14 * r));
    cap.closeSubpath();
    p_.fillPath(cap, c_.dark);
    break;
  }
  case Pattern::Ticked:
    p_.fillPath(ellipse(c + QPointF(0, 0.48 * r), 0.42 * r, 0.3 * r), c_.light);
    p_.setPen(QPen(alpha(c_.dark, 110), 0.09 * r, Qt::SolidLine, Qt::RoundCap));
    for (int i = -1; i <= 1; ++i)
      p_.drawLine(c + QPointF(i * 0.2 * r, -0.9 * r), c + QPointF(i * 0.14 * r, -0.55 * r));
    break;
  case Pattern::Solid: {
    QRadialGradient g(c + QPointF(-0.4 * r, -0.55 * r), 0.9 * r);
    g.setColorAt(0, QColor(255, 255, 255, 70));
    g.setColorAt(1, QColor(255, 255, 255, 0));
    p_.fillRect(QRectF(c.x() - 2 * r, c.y() - 2 * r, 4 * r, 4 * r), g);
    break;
  }
  case Pattern::Chinchilla: {
    QRadialGradient g(c, 1.2 * r);
    g.setColorAt(0.6, alpha(c_.dark, 0));
    g.setColorAt(1, alpha(c_.dark, 150));
    p_.fillRect(QRectF(c.x() - 2 * r, c.y() - 2 * r, 4 * r, 4 * r), g);
    break;
  }
  }
}

void CatPainter::oneEye(QPointF e, double w, double h, const Face& f, int side) {
  QPen line(c_.faceLine, ow_ * 1.05, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  switch (f.eyes) {
  case Eyes::Happy:
    p_.strokePath(stroke({e + QPointF(-0.5 * w, 0.2 * h), e + QPointF(0, -0.6 * h), e + QPointF(0.5 * w, 0.2 * h)}),
                  line);
    return;
  case Eyes::Closed:
    p_.strokePath(stroke({e + QPointF(-0.5 * w, 0), e + QPointF(0, 0.5 * h), e + QPointF(0.5 * w, 0)}), line);
    return;
  case Eyes::Squeeze: {
    QPainterPath v;
    v.moveTo(e + QPointF(-side * 0.45 * w, -0.38 * h));
    v.lineTo(e + QPointF(side * 0.4 * w, 0));
    v.lineTo(e + QPointF(-side * 0.45 * w, 0.38 * h));
    p_.strokePath(v, line);
    return;
  }
  default:
    break;
  }
  QPainterPath eye = ellipse(e, w / 2, h / 2);
  // A tired lid slopes down toward the outer corner.
  const QPointF lidIn = e + QPointF(-side * 0.6 * w, -0.2 * h), lidOut = e + QPointF(side * 0.6 * w, 0.08 * h);
  if (f.eyes == Eyes::Half) {
    QPainterPath lower;
    lower.moveTo(lidIn);
    lower.lineTo(lidOut);
    lower.lineTo(lidOut + QPointF(0, h));
    lower.lineTo(lidIn + QPointF(0, h));
    lower.closeSubpath();
    eye = eye.intersected(lower);
  }
  p_.fillPath(eye, c_.eye);
  p_.save();
  p_.setClipPath(eye);
  QPointF pc = e + QPointF(f.look * 0.16 * w, 0.06 * h);
  p_.fillPath(ellipse(pc, 0.22 * w, 0.36 * h), QColor(0x1c, 0x14, 0x10));
  double hl = f.eyes == Eyes::Sparkle ? 0.17 : 0.13;
  QPointF hp = e + QPointF(-0.16 * w, f.eyes == Eyes::Half ? 0.12 * h : -0.18 * h);
  p_.fillPath(ellipse(hp, hl * w * 1.6, hl * w * 1.6), Qt::white);
  if (f.eyes == Eyes::Sparkle)
    p_.fillPath(ellipse(e + QPointF(0.18 * w, 0.22 * h), 0.09 * w, 0.09 * w), Qt::white);
  p_.restore();
  p_.strokePath(eye, pen(0.8));
  if (f.eyes == Eyes::Half) p_.drawLine(lidIn, lidOut);
}

void CatPainter::eyes(QPointF c, double r, const Face& f) {
  double w = (small_ ? 0.38 : 0.31) * r, h = (small_ ? 0.44 : 0.37) * r, y = 0.06 * r;
  if (c_.flatFace) {
    w *= 1.08;
    h *= 1.05;
    y += 0.04 * r;
  }
  p_.setPen(pen(1.1));
  for (int s : {-1, 1}) {
    QPointF e = c + QPointF(s * 0.42 * r, y);
    oneEye(e, w, h, f, s);
    if (f.tear)
      p_.fillPath(ellipse(e + QPointF(s * 0.3 * w, 0.75 * h), 0.07 * r, 0.1 * r), QColor(0x88, 0xcc, 0xff));
  }
}

void CatPainter::mouth(QPointF c, double r, Mouth m) {
  const double ny = (c_.flatFace ? 0.27 : 0.31) * r, nw = (c_.flatFace ? 0.12 : 0.17) * r;
  QPainterPath nose;
  nose.moveTo(c + QPointF(-nw / 2, ny - 0.05 * r));
  nose.lineTo(c + QPointF(nw / 2, ny - 0.05 * r));
  nose.lineTo(c + QPointF(0, ny + 0.05 * r));
  nose.closeSubpath();
  p_.fillPath(nose, c_.nose);
  p_.strokePath(nose, QPen(c_.nose.darker(130), ow_ * 0.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

  QPen line(c_.faceLine, ow_ * 0.85, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  const double y = ny + 0.05 * r, k = c_.flatFace ? 0.8 : 1.0;
  auto at = [&](double x, double dy) { return c + QPointF(x * r * k, y + dy * r * k); };
  switch (m) {
  case Mouth::Cat:
    p_.strokePath(stroke({at(-0.2, 0.04), at(-0.1, 0.2), at(0, 0.02), at(0.1, 0.2), at(0.2, 0.04)}), line);
    break;
  case Mouth::Smile: {
    QPainterPath open = stroke({at(-0.2, 0.03), at(0, 0.5), at(0.2, 0.03)});
    open.closeSubpath();
    p_.fillPath(open, QColor(0xc0, 0x3c, 0x48));
    p_.save();
    p_.setClipPath(open);
    p_.fillPath(ellipse(at(0, 0.3), 0.12 * r, 0.08 * r), QColor(0xff, 0x90, 0x9c));
    p_.restore();
    p_.strokePath(open, line);
    break;
  }
  case Mouth::Flat:
    p_.strokePath(stroke({at(-0.12, 0.12), at(0, 0.1), at(0.12, 0.12)}), line);
    break;
  case Mouth::Wavy:
    p_.strokePath(stroke({at(-0.22, 0.16), at(-0.11, 0.04), at(0, 0.14), at(0.11, 0.24), at(0.22, 0.12)}), line);
    break;
  case Mouth::Small: {
    QPainterPath o = ellipse(at(0, 0.14), 0.07 * r, 0.08 * r);
    p_.fillPath(o, QColor(0xa0, 0x34, 0x40));
    p_.strokePath(o, line);
    break;
  }
  }
  if (!small_) {
    bool darkFace = c_.base.lightness() < 100 || c_.pattern == Pattern::Points;
    QPen whisker(darkFace ? QColor(255, 255, 255, 200) : QColor(0x50, 0x40, 0x38, 170), ow_ * 0.45,
                 Qt::SolidLine, Qt::RoundCap);
    p_.setPen(whisker);
    for (int s : {-1, 1})
      for (int i = 0; i < 3; ++i)
        p_.drawLine(c + QPointF(s * 0.52 * r, (0.36 + 0.07 * i) * r),
                    c + QPointF(s * 1.28 * r, (0.2 + 0.14 * i) * r));
  }
}

void CatPainter::extras(QPointF c, double r, const Face& f) {
  if (f.blush)
    for (int s : {-1, 1})
      p_.fillPath(ellipse(c + QPointF(s * 0.66 * r, 0.36 * r), 0.16 * r, 0.085 * r), QColor(0xff, 0x70, 0x90, 150));
  if (f.sweat) {
    QPointF d = c + QPointF(1.0 * r, -0.5 * r);
    QPainterPath drop;
    drop.moveTo(d + QPointF(0, -0.22 * r));
    drop.quadTo(d + QPointF(0.14 * r, 0), d + QPointF(0, 0.1 * r));
    drop.quadTo(d + QPointF(-0.14 * r, 0), d + QPointF(0, -0.22 * r));
    p_.fillPath(drop, QColor(0x9c, 0xd8, 0xff));
    p_.strokePath(drop, QPen(QColor(0x30, 0x70, 0xb0), ow_ * 0.6));
  }
}

void CatPainter::head(QPointF at, double r, const Face& f, double tilt) {
  p_.save();
  p_.translate(at);
  p_.rotate(tilt);
  const QPointF c(0, 0);
  ears(c, r, f.earDroop);
  const double rx = 1.08 * r * c_.headWidth, ry = 0.92 * r;
  QPainterPath shape = c_.longHair ? fluffy(c, rx * 1.04, ry * 1.02, 16, 0.07) : ellipse(c, rx, ry);
  p_.fillPath(shape, c_.base);
  p_.save();
  p_.setClipPath(shape);
  headMarkings(c, r);
  if (f.gloom) {
    p_.setPen(QPen(QColor(0x60, 0x50, 0xc0, 150), 0.08 * r, Qt::SolidLine, Qt::FlatCap));
    for (int i = -2; i <= 2; ++i)
      p_.drawLine(c + QPointF(i * 0.2 * r, -r), c + QPointF(i * 0.2 * r, (-0.45 - 0.08 * (i % 2)) * r));
  }
  p_.restore();
  p_.strokePath(shape, pen());
  eyes(c, r, f);
  mouth(c, r, f.mouth);
  extras(c, r, f);
  p_.restore();
}

// ---------------------------------------------------------------- body

void CatPainter::bodyMarkings(QPointF c, double rx, double ry) {
  auto belly = [&](double k) { p_.fillPath(ellipse(c + QPointF(0, 0.75 * ry), 0.85 * rx * k, 0.5 * ry * k), c_.light); };
  switch (c_.pattern) {
  case Pattern::Mackerel:
    belly(1);
    p_.setPen(QPen(c_.dark, 0.24 * ry, Qt::SolidLine, Qt::RoundCap));
    for (int i = -3; i <= 3; ++i) {
      double x = c.x() + i * 0.27 * rx;
      p_.drawPath(stroke({QPointF(x + 0.05 * rx, c.y() - ry - 2), QPointF(x - 0.1 * rx, c.y() - 0.1 * ry),
                          QPointF(x + 0.02 * rx, c.y() + 0.4 * ry)}));
    }
    break;
  case Pattern::Classic:
    belly(1);
    p_.setPen(QPen(c_.dark, 0.3 * ry, Qt::SolidLine, Qt::RoundCap));
    p_.drawPath(stroke({c + QPointF(-rx, -0.8 * ry), c + QPointF(0, -1.2 * ry), c + QPointF(rx, -0.8 * ry)}));
    p_.fillPath(ellipse(c + QPointF(-0.15 * rx, 0.02 * ry), 0.17 * rx, 0.24 * ry), c_.dark);
    p_.setPen(QPen(c_.dark, 0.2 * ry));
    p_.drawEllipse(c + QPointF(-0.15 * rx, 0.02 * ry), 0.4 * rx, 0.56 * ry);
    p_.drawPath(stroke({c + QPointF(0.55 * rx, -ry), c + QPointF(0.42 * rx, 0), c + QPointF(0.6 * rx, 0.6 * ry)}));
    break;
  case Pattern::Points: {
    QLinearGradient g(c + QPointF(-rx, 0), c + QPointF(0.3 * rx, 0));
    g.setColorAt(0, alpha(c_.dark, 110));
    g.setColorAt(1, alpha(c_.dark, 0));
    p_.fillRect(QRectF(c.x() - 2 * rx, c.y() - 2 * ry, 4 * rx, 4 * ry), g);
    break;
  }
  case Pattern::Calico:
    p_.fillPath(ellipse(c + QPointF(0.25 * rx, -0.6 * ry), 0.42 * rx, 0.6 * ry), c_.patch);
    p_.fillPath(ellipse(c + QPointF(-0.55 * rx, -0.4 * ry), 0.38 * rx, 0.58 * ry), c_.dark);
    break;
  case Pattern::Bicolour:
    p_.fillPath(ellipse(c + QPointF(0, -0.5 * ry), 1.2 * rx, 0.85 * ry), c_.dark);
    break;
  case Pattern::Ticked: {
    belly(0.9);
    QRandomGenerator dots(4242);
    for (int i = 0; i < 70; ++i) {
      QPointF d = c + QPointF((dots.generateDouble() * 2 - 1) * rx, (dots.generateDouble() * 1.4 - 1.1) * ry);
      p_.fillPath(ellipse(d, 0.06 * ry, 0.06 * ry), alpha(c_.dark, 120));
    }
    p_.setPen(QPen(alpha(c_.dark, 170), 0.16 * ry, Qt::SolidLine, Qt::RoundCap));
    p_.drawPath(stroke({c + QPointF(-rx, -0.85 * ry), c + QPointF(0, -1.15 * ry), c + QPointF(rx, -0.85 * ry)}));
    break;
  }
  case Pattern::Solid:
  case Pattern::Chinchilla: {
    QLinearGradient g(c + QPointF(0, -ry), c + QPointF(0, ry));
    bool solid = c_.pattern == Pattern::Solid;
    g.setColorAt(0, solid ? QColor(255, 255, 255, 55) : alpha(c_.dark, 110));
    g.setColorAt(0.5, QColor(255, 255, 255, 0));
    p_.fillRect(QRectF(c.x() - 2 * rx, c.y() - 2 * ry, 4 * rx, 4 * ry), g);
    break;
  }
  }
}

void CatPainter::body(QPointF c, double rx, double ry, double angle) {
  p_.save();
  p_.translate(c);
  p_.rotate(angle);
  QPainterPath shape = c_.longHair ? fluffy({0, 0}, rx * 1.04, ry * 1.08, 18, 0.12) : ellipse({0, 0}, rx, ry);
  p_.fillPath(shape, c_.base);
  p_.save();
  p_.setClipPath(shape);
  bodyMarkings({0, 0}, rx, ry);
  p_.restore();
  p_.strokePath(shape, pen());
  p_.restore();
}

void CatPainter::leg(QPointF joint, double forward, double length, bool far, bool isFront) {
  const double w = c_.longHair ? 10 : 9;
  p_.save();
  p_.translate(joint);
  p_.rotate(-forward);
  QPainterPath shape;
  shape.addRoundedRect(QRectF(-w / 2, -w / 2, w, length + w / 2), w / 2, w / 2);
  shape = shape.united(ellipse({1.2, length}, w * 0.62, w * 0.48));
  QColor colour = legColour(isFront);
  if (far) colour = colour.darker(118);
  p_.fillPath(shape, colour);
  if (c_.pattern == Pattern::Mackerel || c_.pattern == Pattern::Classic) {
    p_.save();
    p_.setClipPath(shape);
    p_.setPen(QPen(far ? c_.dark.darker(118) : c_.dark, 0.28 * w));
    for (double k : {0.3, 0.58}) p_.drawLine(QPointF(-w, k * length), QPointF(w, k * length + 1));
    p_.restore();
  }
  p_.strokePath(shape, pen());
  p_.restore();
}

void CatPainter::tail(QPointF base, QPointF ctrl, QPointF tip) {
  QPainterPath path;
  path.moveTo(base);
  path.quadTo(ctrl, tip);
  const double w = c_.longHair ? 12 : 7;
  p_.strokePath(path, QPen(kOutline, w + 2 * ow_, Qt::SolidLine, Qt::RoundCap));
  QColor colour = c_.base;
  if (c_.pattern == Pattern::Points || c_.pattern == Pattern::Bicolour) colour = c_.dark;
  if (c_.pattern == Pattern::Calico) colour = c_.patch;
  p_.strokePath(path, QPen(colour, w, Qt::SolidLine, Qt::RoundCap));
  if (c_.pattern == Pattern::Mackerel || c_.pattern == Pattern::Classic || c_.pattern == Pattern::Calico) {
    QPen rings(c_.dark, w, Qt::CustomDashLine, Qt::FlatCap);
    rings.setDashPattern({0.45, 0.6});
    p_.strokePath(path, rings);
  }
}

void CatPainter::paw(QPointF at, double r, bool raisedFront) {
  QPainterPath shape = ellipse(at, r, r * (raisedFront ? 0.95 : 0.7));
  outlined(shape, legColour(true));
  QPen toe(kOutline, ow_ * 0.6, Qt::SolidLine, Qt::RoundCap);
  p_.setPen(toe);
  for (int i : {-1, 1})
    p_.drawLine(at + QPointF(i * 0.3 * r, raisedFront ? -0.6 * r : 0.1 * r),
                at + QPointF(i * 0.3 * r, raisedFront ? -0.1 * r : 0.65 * r));
}

// ---------------------------------------------------------------- poses

void CatPainter::racePose(int pose) {
  begin();
  const bool stumble = pose == 5;
  const double t = stumble ? 0.5 : pose / 4.0;
  const double bob = lerp(1, -3, t), stretch = lerp(-1, 3, t), wave = lerp(-6, 6, t);
  if (stumble) {  // pitched forward over the front paws
    p_.translate(48, 60);
    p_.rotate(6);
    p_.translate(-50, -60);
  }
  const QPointF bc(40, 66 + bob);
  tail(bc + QPointF(-20, -6), bc + QPointF(-29, -16 + wave), QPointF(12, 30 + 1.5 * wave + bob));
  const QPointF shoulder = bc + QPointF(13, 6), hip = bc + QPointF(-13, 5);
  const double ff = stumble ? 75 : lerp(-45, 40, t), bf = stumble ? -30 : lerp(30, -60, t);
  const double fn = stumble ? 55 : lerp(-30, 60, t), bn = stumble ? -25 : lerp(45, -52, t);
  const double len = 17;
  leg(shoulder + QPointF(-4, -1), ff, len, true, true);
  leg(hip + QPointF(-4, -1), bf, len, true, false);
  body(bc, 24 + stretch, 15 * c_.bodyWidth, 0);
  leg(shoulder, fn, len, false, true);
  leg(hip, bn, len, false, false);
  Face f;
  f.look = 0.6;
  if (stumble) {
    f.eyes = Eyes::Squeeze;
    f.mouth = Mouth::Small;
    f.sweat = true;
  }
  head(QPointF(65, 40 + 0.6 * bob), 24, f, stumble ? 6 : 0);
  end();
}

void CatPainter::sittingBody(double breathe, double tailSwing) {
  tail(QPointF(68, 88), QPointF(92, 90 - 6 * tailSwing), QPointF(86 + 3 * tailSwing, 62 - 4 * tailSwing));
  for (int s : {-1, 1}) body(QPointF(50 + s * 20, 83), 15, 11.5, s * 10);
  body(QPointF(50, 75), (25 + breathe) * c_.bodyWidth, 20 + breathe, 0);
  p_.save();
  p_.setClipPath(ellipse(QPointF(50, 75), (25 + breathe) * c_.bodyWidth, 20 + breathe));
  if (c_.pattern != Pattern::Calico && c_.pattern != Pattern::Bicolour && c_.pattern != Pattern::Solid)
    p_.fillPath(ellipse(QPointF(50, 84), 13, 16), c_.light);
  if (c_.pattern == Pattern::Bicolour) p_.fillPath(ellipse(QPointF(50, 84), 17, 18), c_.base);
  if (c_.pattern == Pattern::Classic) {  // the swirls on the flanks show beside the chest
    p_.setPen(QPen(c_.dark, 2.8));
    for (int s : {-1, 1}) {
      p_.drawEllipse(QPointF(50 + s * 19, 79), 6.5, 9);
      p_.fillPath(ellipse(QPointF(50 + s * 19, 79), 2.2, 3.4), c_.dark);
    }
  }
  p_.restore();
  for (int s : {-1, 1}) paw(QPointF(50 + s * 9, 91), 7.5, false);
}

void CatPainter::sitting(const Face& f, double tailSwing) {
  begin();
  sittingBody(0, tailSwing);
  head(QPointF(50, 45), 29.5, f);
  end();
}

void CatPainter::portrait(const Face& f) {
  begin();
  head(QPointF(50, 58), 34, f);
  end();
}

void CatPainter::sleeping(int variant) {
  const double breathe = variant ? 1.5 : 0;
  tail(QPointF(84, 80), QPointF(96, 92 - breathe), QPointF(56 - 4 * variant, 90));
  body(QPointF(57, 74 - breathe / 2), 35 + breathe, 17 + breathe, 0);
  for (double x : {28.0, 44.0}) paw(QPointF(x, 92), 7.5, false);
  Face f;
  f.eyes = Eyes::Closed;
  f.mouth = Mouth::Cat;
  f.earDroop = 8;
  head(QPointF(36, 64), 27, f, -8);
  if (variant) {
    QPainterPath bubble = ellipse(QPointF(22, 82), 6, 6);
    p_.fillPath(bubble, QColor(0xc8, 0xec, 0xff, 170));
    p_.strokePath(bubble, QPen(QColor(0x50, 0x90, 0xc8), ow_ * 0.6));
    p_.fillPath(ellipse(QPointF(20, 80), 1.6, 1.6), Qt::white);
  }
}

void CatPainter::homeFrame(int frame) {
  begin();
  if (frame >= 13) {
    sleeping(frame - 13);
    end();
    return;
  }
  struct Look {
    Face face;
    double headDy, tilt, tailSwing;
    int paw;  // -1: paws down; 0..2: rubbing the face, three positions
  };
  static const std::array<Look, 13> looks = {{
      {{Eyes::Happy, Mouth::Smile, true}, 0, -3, 0.8, 0},
      {{Eyes::Happy, Mouth::Smile, true}, 0, -5, 1.0, 1},
      {{Eyes::Happy, Mouth::Smile, true}, 0, -1, 0.6, 2},
      {{Eyes::Sparkle, Mouth::Smile, true}, 0, 0, 0.5, -1},
      {{Eyes::Sparkle, Mouth::Smile, true, false, false, false, 0, 0.5}, 0, 3, 0.9, -1},
      {{Eyes::Closed, Mouth::Smile, true}, 0, 0, 0.6, -1},
      {{Eyes::Open, Mouth::Cat}, 0, 0, 0, -1},
      {{Eyes::Open, Mouth::Cat, false, false, false, false, 0, -0.6}, 0, -2, 0.2, -1},
      {{Eyes::Closed, Mouth::Cat}, 0, 0, 0.1, -1},
      {{Eyes::Half, Mouth::Flat, false, true, false, false, 20}, 3, 0, -0.4, -1},
      {{Eyes::Half, Mouth::Wavy, false, true, false, false, 26}, 5, 4, -0.6, -1},
      {{Eyes::Squeeze, Mouth::Wavy, false, false, true, false, 38}, 4, 0, -1.0, -1},
      {{Eyes::Squeeze, Mouth::Wavy, false, false, true, true, 40}, 5, -3, -1.0, -1},
  }};
  const Look& l = looks.at(std::size_t(frame));
  if (frame == 12) p_.translate(1.5, 0);
  sittingBody(0, l.tailSwing);
  head(QPointF(50, 45 + l.headDy), 29.5, l.face, l.tilt);
  if (l.paw >= 0) {
    static const std::array<QPointF, 3> at = {QPointF(30, 56), QPointF(34, 49), QPointF(27, 62)};
    QPointF pawAt = at.at(std::size_t(l.paw));
    QPainterPath arm;
    arm.moveTo(40, 76);
    arm.lineTo(pawAt);
    p_.strokePath(arm, QPen(kOutline, 11 + 2 * ow_, Qt::SolidLine, Qt::RoundCap));
    p_.strokePath(arm, QPen(legColour(true), 11, Qt::SolidLine, Qt::RoundCap));
    paw(pawAt, 7, true);
    QPen spark(QColor(0xff, 0xc8, 0x30), ow_ * 0.9, Qt::SolidLine, Qt::RoundCap);
    p_.setPen(spark);
    QPointF s = pawAt + QPointF(-10, -8 - 2 * l.paw);
    p_.drawLine(s + QPointF(-3, 0), s + QPointF(3, 0));
    p_.drawLine(s + QPointF(0, -3), s + QPointF(0, 3));
  }
  end();
}

}  // namespace artgen
