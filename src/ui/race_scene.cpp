#include "ui/race_scene.h"

#include <QPainter>
#include <QString>

#include "ui/fonts.h"
#include "ui/qt_text.h"
#include "ui/resources.h"
#include "world/text.h"

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

// The goal board's word, lettered on the blank board of the picture in the shown language.
void letterGoal(QPainter& p, int ratio, QPoint at) {
  p.save();
  p.scale(ratio, ratio);
  p.setPen(Qt::white);
  p.setFont(gothic(8, true));
  p.drawText(QRectF(at.x() + 1, at.y(), 42, 13), Qt::AlignCenter, qtr(u"ゴール"));
  p.restore();
}

// A distance post's board: the metres still to run, "150m", on a white board beside the post's top.
void distanceBoard(QPainter& p, int ratio, QPoint at, int metres) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(ratio, ratio);
  p.setFont(gothic(8, true));
  const QString text = qs(num(metres)) + QLatin1Char('m');
  const QRectF board(at.x() + 7, at.y() + 2, p.fontMetrics().horizontalAdvance(text) + 6, 13);
  p.setPen(QPen(QColor(0xe0, 0x30, 0x30), 1.5));
  p.setBrush(Qt::white);
  p.drawRoundedRect(board, 3, 3);
  p.setPen(Qt::black);
  p.drawText(board, Qt::AlignCenter, text);
  p.restore();
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
    drawGoal(p, {Width - st.sectionPos, ObjectTop});
    return;
  }
  drawPart(p, ratio_, {0, 0}, upper_, {st.tickCount, 0, Width, StripHeight});
  drawPart(p, ratio_, {0, StripHeight}, course_, {st.backScroll, 0, Width, Height - StripHeight});
  const QPoint post(Width - st.sectionPos, ObjectTop);
  if (st.sectionIndex == GoalSection) {
    drawGoal(p, post);
  } else if (st.sectionIndex == 0) {
    drawWhole(p, ratio_, {-st.sectionPos, ObjectTop}, gate_);
  } else {
    // The posts count down 50 metres a section to the goal, whose section is the last 100 metres.
    drawWhole(p, ratio_, post, marker_);
    distanceBoard(p, ratio_, post, (st.sections - st.sectionIndex + 1) * 50);
  }
}

void RaceScene::drawGoal(QPainter& p, QPoint at) const {
  drawWhole(p, ratio_, at, goal_);
  letterGoal(p, ratio_, at);
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
