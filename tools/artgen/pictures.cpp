// The cats' sheets, the title, the wizard's breed row, the version picture, the icons and the
// reviewers' contact sheet.
#include "pictures.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <stdexcept>

#include "cat.h"

namespace artgen {

namespace {

const QColor kInk(0x2b, 0x1e, 0x18);
const char* const kGothicFile = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

void lettering(QPainter& p, const QString& text, QPointF baseline, const QFont& font, const QColor& fill,
               double outline) {
  QPainterPath path;
  path.addText(baseline, font, text);
  p.strokePath(path, QPen(kInk, outline * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.strokePath(path, QPen(Qt::white, outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.fillPath(path, fill);
}

QPainterPath roundBadge(QRectF r, double radius) {
  QPainterPath path;
  path.addRoundedRect(r, radius, radius);
  return path;
}

}  // namespace

QFont gothic(double pixelSize, bool bold) {
  static const QString family = [] {
    int id = QFontDatabase::addApplicationFont(kGothicFile);
    if (id < 0) throw std::runtime_error(std::string("cannot load ") + kGothicFile);
    return QFontDatabase::applicationFontFamilies(id).value(0);
  }();
  QFont f(family);
  f.setPixelSize(int(pixelSize));
  f.setBold(bold);
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

QImage raceStrip(int breed) {
  QImage img = transparentImage(kRaceCell * kRacePoses, kRaceCell);
  QPainter p(&img);
  for (int pose = 0; pose < kRacePoses; ++pose)
    CatPainter(p, coat(breed), QPointF(pose * kRaceCell, 0), kRaceCell).racePose(pose);
  return img;
}

QImage homeSheet(int breed) {
  QImage img = transparentImage(kHomeCell * kHomeFrames, kHomeCell);
  QPainter p(&img);
  for (int f = 0; f < kHomeFrames; ++f) CatPainter(p, coat(breed), QPointF(f * kHomeCell, 0), kHomeCell).homeFrame(f);
  return img;
}

// The title window lays its two buttons over the quiet meadow below y 180.
QImage titlePicture() {
  QImage img = canvas(295, 238);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 238);
  sky.setColorAt(0, QColor(0x9c, 0xd6, 0xf8));
  sky.setColorAt(0.6, QColor(0xfd, 0xf4, 0xe4));
  p.fillRect(QRectF(0, 0, 295, 238), sky);
  QPainterPath hill;
  hill.moveTo(0, 150);
  hill.cubicTo(90, 128, 200, 138, 295, 126);
  hill.lineTo(295, 238);
  hill.lineTo(0, 238);
  p.fillPath(hill, QColor(0x9a, 0xd8, 0x7c));
  p.fillRect(QRectF(0, 178, 295, 60), QColor(0x86, 0xcc, 0x6c));
  p.fillRect(QRectF(0, 178, 295, 2), QColor(0x6c, 0xb4, 0x58));

  QPainterPath banner = roundBadge(QRectF(8, 14, 279, 60), 16);
  p.fillPath(banner, QColor(255, 255, 255, 170));
  p.strokePath(banner, QPen(QColor(0xf2, 0x9c, 0xb0), 2, Qt::DashLine));
  QFont big = gothic(38, true);
  QFont digits = gothic(30, true);
  lettering(p, QStringLiteral("11"), QPointF(18, 60), digits, QColor(0xf0, 0x8c, 0x30), 3);
  lettering(p, QStringLiteral("種"), QPointF(54, 60), big, QColor(0xf0, 0x8c, 0x30), 3);
  lettering(p, QStringLiteral("ポルミナ"), QPointF(96, 60), big, QColor(0xf2, 0x6c, 0x8c), 3);
  lettering(p, QStringLiteral("F"), QPointF(252, 60), big, QColor(0x4c, 0x9c, 0xe8), 3);

  const int runners[] = {0, 7, 8, 2, 9};
  for (int i = 0; i < 5; ++i)
    CatPainter(p, coat(runners[i]), QPointF(8 + i * 56, 100 + (i % 2) * 16), 60).racePose(1 + i % 4);
  return img;
}

// Eleven faces in the order of the wizard's breed options.
QImage breedRow() {
  constexpr int cell = 25;
  QImage img = transparentImage(cell * kBreedCount, cell);
  QPainter p(&img);
  Face f;
  for (int b = 0; b < kBreedCount; ++b) CatPainter(p, coat(b), QPointF(b * cell, 0), cell).portrait(f);
  return img;
}

QImage versionPicture() {
  QImage img = transparentImage(80, 80);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath badge;
  badge.addEllipse(QPointF(40, 40), 39, 39);
  QRadialGradient g(QPointF(32, 28), 50);
  g.setColorAt(0, QColor(0xff, 0xf6, 0xe6));
  g.setColorAt(1, QColor(0xf8, 0xd4, 0xa8));
  p.fillPath(badge, g);
  p.strokePath(badge, QPen(kInk, 1.5));
  Face f;
  f.eyes = Eyes::Happy;
  f.mouth = Mouth::Smile;
  f.blush = true;
  p.setClipPath(badge);
  CatPainter(p, coat(0), QPointF(6, 8), 68).sitting(f, 0.6);
  return img;
}

QImage icon(int size) {
  QImage img = transparentImage(size, size);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double k = size / 64.0;
  QPainterPath badge = roundBadge(QRectF(2 * k, 2 * k, 60 * k, 60 * k), 14 * k);
  QLinearGradient g(0, 0, 0, size);
  g.setColorAt(0, QColor(0xa8, 0xdc, 0xfa));
  g.setColorAt(1, QColor(0x84, 0xcc, 0x6c));
  p.fillPath(badge, g);
  p.strokePath(badge, QPen(kInk, 1.6 * k));
  Face f;
  f.eyes = Eyes::Sparkle;
  f.blush = true;
  p.setClipPath(badge);
  CatPainter(p, coat(0), QPointF(3 * k, 6 * k), 58 * k).portrait(f);
  return img;
}

namespace {

// The race picture as the race window composes it: scenery, the gate and a few runners.
QImage raceScene() {
  QImage img(600, 300, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&img);
  p.drawImage(QPointF(0, 0), upperScenery(), QRectF(40, 0, 600, 50));
  p.drawImage(QPointF(0, 50), course(), QRectF(120, 0, 600, 250));
  p.drawImage(QPointF(0, 51), startGate());
  p.drawImage(QPointF(330, 51), sectionMarker());
  p.drawImage(QPointF(540, 51), goal());
  for (int slot = 0; slot < 12; ++slot) {
    int breed = slot % kBreedCount;
    p.drawImage(QPointF(20 + slot * 44, 242 - 16 * slot), raceStrip(breed),
                QRectF((slot % 5) * kRaceCell, 0, kRaceCell, kRaceCell));
  }
  return img;
}

// The main window's cat picture: background, stretched shadow and a frame at size s.
QImage homeScene(int breed, int frame, int s) {
  QImage img = homeBackground();
  QPainter p(&img);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(QRectF(0, s / 2, s, 40), homeShadow());
  p.drawImage(QRectF(0, 0, s, s), homeSheet(breed), QRectF(frame * kHomeCell, 0, kHomeCell, kHomeCell));
  return img;
}

}  // namespace

QImage contactSheet() {
  constexpr int margin = 10, label = 18;
  constexpr int race3 = kRaceCell * 3, home3 = kHomeCell * 3, homePerRow = 8;
  const int width = margin * 2 + homePerRow * home3;
  const int block = label + kHomeCell + margin + race3 + margin + 2 * home3 + margin * 2;
  const int footer = 300 + 25 + 240 + margin * 3;
  QImage img(width, margin + kBreedCount * block + footer, QImage::Format_ARGB32_Premultiplied);
  img.fill(QColor(0xf4, 0xf0, 0xe8));
  QPainter p(&img);
  p.setFont(gothic(14));
  p.setPen(kInk);
  int y = margin;
  for (int b = 0; b < kBreedCount; ++b, y += block) {
    p.drawText(QPointF(margin, y + 14), QString::number(b) + QStringLiteral("  ") + coat(b).name);
    const int top = y + label;
    QImage race = raceStrip(b), home = homeSheet(b);
    p.drawImage(margin, top + kHomeCell - kRaceCell, race);
    p.drawImage(margin * 2 + race.width(), top, home);
    p.drawImage(QRectF(margin, top + kHomeCell + margin, race.width() * 3, race3), race);
    const int rows = top + kHomeCell + race3 + 2 * margin;
    for (int f = 0; f < kHomeFrames; ++f)
      p.drawImage(QRectF(margin + (f % homePerRow) * home3, rows + (f / homePerRow) * home3, home3, home3), home,
                  QRectF(f * kHomeCell, 0, kHomeCell, kHomeCell));
  }
  p.drawImage(margin, y, raceScene());
  p.drawImage(margin * 2 + 600, y, titlePicture());
  p.drawImage(margin * 3 + 600 + 295, y, versionPicture());
  p.drawImage(margin * 3 + 600 + 295, y + 90, icon(64));
  p.drawImage(QRectF(margin * 2 + 600, y + 250, 275 * 3, 75), breedRow());
  y += 300 + margin;
  const int sizes[] = {66, 70, 74};
  for (int i = 0; i < 3; ++i)
    p.drawImage(QRectF(margin + i * 250, y + 25, 240, 240), homeScene(i * 4, i * 3, sizes[i]));
  return img;
}

}  // namespace artgen
