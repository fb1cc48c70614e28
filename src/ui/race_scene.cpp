#include "ui/race_scene.h"

#include <QPainter>
#include <QString>

#include "ui/resources.h"

namespace polmina {

namespace {

QPixmap art(const QString& name) { return loadPicture(QStringLiteral(":/art/race/") + name); }

// The part `from` of a picture drawn at `at` of a picture `ratio` times the game's size; both in the
// game's pixels. Source and target come out the same size in device pixels: a plain copy.
void drawPart(QPainter& p, int ratio, QPoint at, const QPixmap& pm, QRect from) {
  const int s = qRound(pm.devicePixelRatio());
  p.drawPixmap(QRect(at * ratio, from.size() * ratio), pm, QRect(from.topLeft() * s, from.size() * s));
}

void drawWhole(QPainter& p, int ratio, QPoint at, const QPixmap& pm) {
  drawPart(p, ratio, at, pm, QRect(QPoint(), pm.deviceIndependentSize().toSize()));
}

}  // namespace

RaceScene::RaceScene()
    : ratio_(pictureRatio()),
      picture_(Width * ratio_, Height * ratio_),
      upper_(art(QStringLiteral("upper.png"))),
      course_(art(QStringLiteral("course.png"))),
      gate_(art(QStringLiteral("gate.png"))),
      marker_(art(QStringLiteral("marker.png"))),
      goal_(art(QStringLiteral("goal.png"))) {
  for (size_t b = 0; b < breeds_.size(); ++b)
    breeds_[b] = art(QStringLiteral("breed%1.png").arg(b, 2, 10, QLatin1Char('0')));
  picture_.fill(Qt::white);
}

// The strip and the course scroll with the race; once every runner is home the course is drawn from
// its start under the goal and the scenery stands still.
void RaceScene::scenery(const RaceState& st, bool allFinished) {
  if (onScenery) onScenery(st);
  QPainter p(&picture_);
  if (allFinished) {
    drawPart(p, ratio_, {0, StripHeight}, course_, {0, 0, Width, Height - StripHeight});
    drawWhole(p, ratio_, {Width - st.sectionPos, ObjectTop}, goal_);
    return;
  }
  drawPart(p, ratio_, {0, 0}, upper_, {st.tickCount, 0, Width, StripHeight});
  drawPart(p, ratio_, {0, StripHeight}, course_, {st.backScroll, 0, Width, Height - StripHeight});
  if (st.sectionIndex == GoalSection)
    drawWhole(p, ratio_, {Width - st.sectionPos, ObjectTop}, goal_);
  else if (st.sectionIndex == 0)
    drawWhole(p, ratio_, {-st.sectionPos, ObjectTop}, gate_);
  else
    drawWhole(p, ratio_, {Width - st.sectionPos, ObjectTop}, marker_);
}

void RaceScene::runner(int slot, const Runner& run, int pose) {
  const QPixmap& strip = breeds_[std::min<size_t>(run.breed, breeds_.size() - 1)];
  QPainter p(&picture_);
  drawPart(p, ratio_, {run.position, run.laneY}, strip, {pose * Sprite, 0, Sprite, Sprite});
  if (slot == playerSlot_) drawPlayerMarker(p, run);
}

// A small blue arrow pointing down at the cat's head, outlined in white so that it reads on the
// course and on the other cats. It is drawn after the cat, and the lanes below begin under it.
void RaceScene::drawPlayerMarker(QPainter& p, const Runner& run) const {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(ratio_, ratio_);
  const QPointF tip(run.position + Sprite / 2.0, run.laneY + 4.0);
  const QPointF arrow[] = {tip, tip + QPointF(-5, -7), tip + QPointF(5, -7)};
  p.setPen(QPen(Qt::white, 1.5));
  p.setBrush(QColor(0x00, 0x00, 0xff));
  p.drawPolygon(arrow, 3);
  p.restore();
}

void RaceScene::message(std::u16string_view text) {
  if (onMessage) onMessage(text);
}

void RaceScene::refresh() {
  if (onRefresh) onRefresh();
}

}  // namespace polmina
