// The race course, its scenery and furniture, and the corner of the room the cat lives in.
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QtMath>
#include <functional>

#include "pictures.h"

namespace artgen {

namespace {

constexpr int kPeriod = 300;  // the race window wraps its scroll here
const QColor kInk(0x2b, 0x1e, 0x18);

// Draws one 300-pixel tile at every offset that touches the picture, so the seam is invisible.
void tiled(QPainter& p, int width, const std::function<void(QPainter&)>& tile) {
  for (int x0 = -kPeriod; x0 < width + kPeriod; x0 += kPeriod) {
    p.save();
    p.translate(x0, 0);
    tile(p);
    p.restore();
  }
}

void cloud(QPainter& p, QPointF at, double k) {
  QPainterPath puff;
  for (auto [dx, dy, r] : {std::tuple{0.0, 0.0, 7.0}, {8.0, -3.0, 8.0}, {17.0, 0.0, 6.0}, {9.0, 3.0, 6.0}})
    puff.addEllipse(at + QPointF(dx * k, dy * k), r * k, r * k * 0.8);
  p.fillPath(puff.simplified(), QColor(255, 255, 255, 235));
}

void tree(QPainter& p, QPointF base, double h) {
  p.fillRect(QRectF(base.x() - 1.5, base.y() - h * 0.4, 3, h * 0.4), QColor(0x8a, 0x5a, 0x34));
  QPainterPath crown;
  crown.addEllipse(base + QPointF(0, -h * 0.65), h * 0.38, h * 0.42);
  p.fillPath(crown, QColor(0x4f, 0xa0, 0x4a));
  p.strokePath(crown, QPen(QColor(0x2f, 0x6a, 0x34), 1));
  p.fillPath([&] { QPainterPath l; l.addEllipse(base + QPointF(-h * 0.12, -h * 0.8), h * 0.12, h * 0.1); return l; }(),
             QColor(0x7c, 0xc8, 0x6a));
}

double hillY(double x) { return 36 - 5 * std::sin(2 * M_PI * x / kPeriod) - 3 * std::sin(4 * M_PI * x / kPeriod + 1); }

void rail(QPainter& p, int width, double y, int postEvery) {
  p.fillRect(QRectF(0, y, width, 3), Qt::white);
  p.fillRect(QRectF(0, y + 3, width, 1), QColor(0xa0, 0xa8, 0xa8));
  for (int x = 0; x < width; x += postEvery) {
    p.fillRect(QRectF(x + 1, y, 2, 9), Qt::white);
    p.fillRect(QRectF(x + 3, y + 1, 1, 8), QColor(0xa0, 0xa8, 0xa8));
  }
}

}  // namespace

namespace {
int gRatio = 1;
}

void setPixelRatio(int ratio) { gRatio = ratio; }

QImage canvas(int w, int h) {
  QImage img(w * gRatio, h * gRatio, QImage::Format_ARGB32_Premultiplied);
  img.setDevicePixelRatio(gRatio);
  return img;
}

QImage transparentImage(int w, int h) {
  QImage img = canvas(w, h);
  img.fill(Qt::transparent);
  return img;
}

QImage upperScenery() {
  QImage img = canvas(900, 50);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 50);
  sky.setColorAt(0, QColor(0x8c, 0xcc, 0xf4));
  sky.setColorAt(1, QColor(0xdc, 0xf2, 0xfc));
  p.fillRect(QRectF(0, 0, 900, 50), sky);
  tiled(p, 900, [](QPainter& t) {
    cloud(t, {30, 14}, 1.0);
    cloud(t, {140, 10}, 0.7);
    cloud(t, {228, 17}, 0.85);
  });
  QPainterPath hills;
  hills.moveTo(0, 50);
  for (int x = 0; x <= 900; ++x) hills.lineTo(x, hillY(x));
  hills.lineTo(900, 50);
  p.fillPath(hills, QColor(0x94, 0xc8, 0x84));
  tiled(p, 900, [](QPainter& t) {
    for (auto [x, h] : {std::pair{20.0, 16.0}, {34.0, 12.0}, {105.0, 18.0}, {180.0, 13.0}, {250.0, 17.0}, {264.0, 11.0}})
      tree(t, {x, 46}, h);
  });
  p.fillRect(QRectF(0, 44, 900, 6), QColor(0x6c, 0xb4, 0x5a));
  rail(p, 900, 43, 20);
  return img;
}

QImage course() {
  QImage img = canvas(900, 250);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(QRectF(0, 0, 900, 250), QColor(0x5e, 0xa8, 0x52));
  // Mown bands, one per lane: a runner's paws fall in the middle of its band.
  for (int y = 238, k = 0; y > -16; y -= 16, ++k)
    p.fillRect(QRectF(0, y - 16, 900, 16), k % 2 ? QColor(0x78, 0xc2, 0x64) : QColor(0x84, 0xcc, 0x6e));
  p.fillRect(QRectF(0, 0, 900, 6), QColor(0x5e, 0xa8, 0x52));
  tiled(p, 900, [](QPainter& t) {
    QRandomGenerator rng(7);
    t.setPen(QPen(QColor(0x4e, 0x96, 0x44), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 70; ++i) {
      QPointF at(rng.bounded(300.0), 12 + rng.bounded(222.0));
      t.drawLine(at, at + QPointF(-1.5, -3));
      t.drawLine(at, at + QPointF(1.5, -3.5));
    }
    for (int i = 0; i < 8; ++i) {
      QPointF at(rng.bounded(300.0), 14 + rng.bounded(220.0));
      for (int k = 0; k < 4; ++k)
        t.fillRect(QRectF(at.x() + (k % 2 ? 1.5 : -1.5), at.y() + (k / 2 ? 1.5 : -1.5), 2, 2), Qt::white);
      t.fillRect(QRectF(at.x(), at.y(), 1.5, 1.5), QColor(0xf6, 0xd0, 0x30));
    }
  });
  rail(p, 900, 2, 25);
  p.fillRect(QRectF(0, 240, 900, 10), QColor(0x5e, 0xa8, 0x52));
  rail(p, 900, 240, 25);
  return img;
}

// The gate, the marker and the goal stand on the course at y 51 of the race picture. The runner of
// the n-th lane from the bottom is drawn from y 191 - 16 n of these pictures, its body from 195 - 16 n
// to its paws at 229 - 16 n: its stall lies between the bars at 205 - 16 n and 221 - 16 n, across
// the middle of the cat.
QImage startGate() {
  QImage img = transparentImage(60, 249);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor frame(0x3c, 0x8c, 0x5c), light(0x7c, 0xc8, 0x94);
  for (int n = 0; n <= 12; ++n) {
    double y = 221 - 16 * n;
    p.fillRect(QRectF(1, y - 1, 53, 3), frame);
    p.fillRect(QRectF(1, y - 1, 53, 1), light);
  }
  for (int n = 0; n < 12; ++n) {
    QRectF door(44, 222 - 16 * (n + 1), 9, 13);
    p.fillRect(door, QColor(0xf4, 0xf4, 0xec));
    p.setPen(QPen(kInk, 1));
    p.drawRect(door);
    p.setFont(gothic(8));
    p.drawText(door, Qt::AlignCenter, QString::number(12 - n));  // the first gate runs in the top lane
  }
  p.fillRect(QRectF(52, 1, 7, 247), frame);
  p.fillRect(QRectF(52, 1, 2, 247), light);
  p.fillRect(QRectF(1, 1, 58, 8), frame);
  p.fillRect(QRectF(1, 1, 58, 2), light);
  return img;
}

QImage sectionMarker() {
  QImage img = transparentImage(24, 249);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QPen dash(QColor(255, 255, 255, 200), 2, Qt::DashLine, Qt::FlatCap);
  p.setPen(dash);
  p.drawLine(QPointF(2, 14), QPointF(2, 238));
  for (double top : {1.0, 230.0}) {
    for (int k = 0; k < 4; ++k)
      p.fillRect(QRectF(2, top + 4 * k, 4, 4), k % 2 ? QColor(0xe0, 0x30, 0x30) : QColor(Qt::white));
    p.setPen(QPen(kInk, 1));
    p.drawRect(QRectF(2, top, 4, 16));
  }
  // The distance board beside the post's top is lettered by the race window, with the metres to go.
  return img;
}

QImage goal() {
  QImage img = transparentImage(44, 249);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  for (int y = 14, k = 0; y < 238; y += 4, ++k)  // the line the runners cross, at x 20
    for (int c = 0; c < 2; ++c)
      p.fillRect(QRectF(18 + 2 * c, y, 2, 4), (k + c) % 2 ? QColor(0x22, 0x22, 0x22) : QColor(Qt::white));
  for (double top : {0.0, 232.0}) p.fillRect(QRectF(17, top + (top ? 0 : 10), 6, 17), QColor(0xe8, 0xe8, 0xe0));
  QRectF board(1, 0, 42, 13);
  QPainterPath b;
  b.addRoundedRect(board, 3, 3);
  p.fillPath(b, QColor(0xe0, 0x30, 0x30));
  p.strokePath(b, QPen(kInk, 1));
  // The board's word is lettered by the race window, in the shown language.
  return img;
}

QImage homeBackground() {
  QImage img = canvas(80, 80);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(QRectF(0, 0, 80, 50), QColor(0xfb, 0xf0, 0xdc));
  for (int y = 0; y < 50; y += 10)
    for (int x = (y / 10) % 2 * 5; x < 80; x += 10)
      p.fillPath([&] { QPainterPath d; d.addEllipse(QPointF(x + 2.5, y + 4), 1.2, 1.2); return d; }(),
                 QColor(0xf2, 0xc4, 0xc0));
  p.fillRect(QRectF(0, 44, 80, 6), QColor(0xe6, 0xb8, 0x88));
  p.fillRect(QRectF(0, 44, 80, 1), QColor(0xc0, 0x8a, 0x5c));
  p.fillRect(QRectF(0, 50, 80, 30), QColor(0xd8, 0xa4, 0x6c));
  p.setPen(QPen(QColor(0xb8, 0x84, 0x50), 1));
  for (int y = 57; y < 80; y += 7) p.drawLine(0, y, 80, y);
  QPainterPath rug;
  rug.addEllipse(QPointF(37, 68), 35, 9);  // under the cat, which sits left of centre
  p.fillPath(rug, QColor(0xf4, 0x9c, 0xa8));
  p.strokePath(rug, QPen(QColor(0xfc, 0xe0, 0xe4), 1.5, Qt::DashLine));
  return img;
}

QImage homeShadow() {
  // The main window stretches this to the cat's width at half the cat's height: row 31 falls
  // under the paws.
  QImage img = transparentImage(80, 40);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(40, 31);
  p.scale(1, 0.22);
  QRadialGradient g(QPointF(0, 0), 32);
  g.setColorAt(0, QColor(0x30, 0x20, 0x18, 150));
  g.setColorAt(0.6, QColor(0x30, 0x20, 0x18, 100));
  g.setColorAt(1, QColor(0x30, 0x20, 0x18, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(QPointF(0, 0), 32, 32);
  return img;
}

}  // namespace artgen
