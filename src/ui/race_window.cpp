#include "ui/race_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "race/results.h"
#include "ui/fonts.h"
#include "ui/qt_text.h"
#include "ui/sound.h"
#include "ui/window_manager.h"
#include "world/calendar.h"
#include "world/labels.h"
#include "world/numbers.h"
#include "world/text.h"

namespace polmina {

namespace {

constexpr int kClientWidth = 620;
constexpr int kClientHeight = 383;
constexpr int kMargin = 10;
constexpr int kPanelTop = 311;
constexpr int kPanelHeight = 62;

// Seconds a frame for each position of the speed bar.
constexpr std::array<double, 5> kFrameDelay = {0.2, 0.15, 0.1, 0.05, 0.01};
// The speed bar's position, kept for the whole session; a replay starts at the normal one.
constexpr int kNormalSpeed = 4;

const QString kPlayerLine = QStringLiteral("color: #0000ff; background: rgba(255, 255, 255, 150);");
const QString kRunnerLine = QStringLiteral("color: #000000; background: rgba(255, 255, 255, 150);");
const QString kPlacing =
    QStringLiteral("color: #000000; background: rgba(255, 255, 255, 210); padding-left: 8px;");
// The player's cat among the placings, in the blue of its runner line.
const QString kPlayerPlacing =
    QStringLiteral("color: #0000ff; background: rgba(255, 255, 255, 210); padding-left: 8px;");

// The runner lines and the placings know the player's cat by its name, as the race has always shown it.
bool isPlayersCat(const GameState& s, int catIndex) {
  return trim(catAt(s, catIndex).name) == s.playerCatName;
}

// The race picture as one 1x image: at a higher scale factor it is enlarged whole, pixel for pixel.
class RacePicture : public QWidget {
 public:
  RacePicture(const RaceScene& scene, QWidget* parent) : QWidget(parent), scene_(scene) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawPixmap(rect(), scene_.picture());
  }

 private:
  const RaceScene& scene_;
};

QLabel* label(QWidget* parent, const QString& name, const QRect& at, const QFont& font) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setGeometry(at);
  l->setFont(font);
  return l;
}

QColor titleColour(int raceClass) {
  if (raceClass == ClassS) return Qt::blue;
  if (raceClass == ClassA) return Qt::red;
  return Qt::black;
}

}  // namespace

// The speed bar's setting, kept from race to race, and the tests' pace.
int RaceWindow::speed_ = kNormalSpeed;
double RaceWindow::pace_ = 1.0;

void RaceWindow::setPace(double scale) { pace_ = std::max(0.0, scale); }

RaceWindow::RaceWindow(QWidget* parent) : QWidget(parent) {
  makeFixedWindow(this, Qt::WindowStaysOnTopHint);
  setObjectName(QStringLiteral("RaceFm"));
  setWindowTitle(qtr(u"レース中継"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFixedSize(kClientWidth, kClientHeight);
  buildPicture();
  buildSpeedPanel();
  scene_.onScenery = [this](const RaceState& st) { callFinalStretch(st); };
  scene_.onMessage = [this](std::u16string_view text) { say(qs(text)); };
  scene_.onRefresh = [this] { scrBkg_->update(); };
  // The window is shown without taking the focus: its key works from any window of the game.
  toResult_ = new QAction(qtr(u"結果へ"), this);
  toResult_->setObjectName(QStringLiteral("actToResult"));
  toResult_->setShortcut(QKeySequence(Qt::Key_End));
  toResult_->setShortcutContext(Qt::ApplicationShortcut);
  connect(toResult_, &QAction::triggered, this, &RaceWindow::skipToResult);
  addAction(toResult_);
  setContextMenuPolicy(Qt::ActionsContextMenu);
}

void RaceWindow::skipToResult() {
  if (!raceViewOpen_) return;
  skipped_ = true;
  SoundPlayer::instance().stopRace();
  if (waiting_) waiting_->quit();
}

void RaceWindow::runReplay(Game& g, int k, const RaceMode& mode) {
  const int kept = speed_;
  speed_ = kNormalSpeed;
  replay_ = true;
  setWindowTitle(qtr(u"レース中継（リプレイ）"));
  run(g, k, mode);
  replay_ = false;
  setWindowTitle(qtr(u"レース中継"));
  speed_ = kept;
}

// A runner's line at the end of its lane, level with the middle of the cat (whose sprite is drawn from
// the lane's y), so that the cat, its stall of the gate and its line stand in one row.
QRect RaceWindow::runnerLineRect(int slot) {
  const int laneY = 242 - 16 * (MaxRunners - 1 - slot);
  return {440, laneY + RaceScene::Sprite / 2 - 6, 158, 14};
}

// The picture with what lies on it: a runner line at the end of each lane, the title, the placings.
void RaceWindow::buildPicture() {
  scrBkg_ = new RacePicture(scene_, this);
  scrBkg_->setObjectName(QStringLiteral("scr_bkg"));
  scrBkg_->setAccessibleName(qtr(u"レースの様子"));
  // Tab reaches the picture: its description says who leads.
  scrBkg_->setFocusPolicy(Qt::TabFocus);
  scrBkg_->setGeometry(kMargin, kMargin, RaceScene::Width, RaceScene::Height);
  for (int i = 0; i < MaxRunners; ++i) {
    QLabel* l = label(scrBkg_, QStringLiteral("labName%1").arg(i), runnerLineRect(i), gothic(8));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    labName_[static_cast<size_t>(i)] = l;
  }
  labRaceName_ =
      label(scrBkg_, QStringLiteral("LabRaceName"), QRect(0, 70, RaceScene::Width, 160), gothic(1, true));
  labRaceName_->setAlignment(Qt::AlignCenter);
  auto* glow = new QGraphicsDropShadowEffect(labRaceName_);
  glow->setColor(Qt::white);
  glow->setOffset(0);
  glow->setBlurRadius(10);
  labRaceName_->setGraphicsEffect(glow);
  labRaceName_->hide();
  for (int i = 0; i < 5; ++i) {
    QLabel* l = label(scrBkg_, QStringLiteral("LabZyun%1").arg(i), QRect(180, 80 + 30 * i, 240, 26),
                      gothic(12, true));
    l->setStyleSheet(kPlacing);
    l->hide();
    labZyun_[static_cast<size_t>(i)] = l;
  }
}

// The bottom panel: the race caption and the commentary on the left, the speed bar on the right.
void RaceWindow::buildSpeedPanel() {
  frame_ = new QFrame(this);
  frame_->setObjectName(QStringLiteral("Frame"));
  frame_->setFrameShape(QFrame::StyledPanel);
  frame_->setGeometry(kMargin, kPanelTop, RaceScene::Width, kPanelHeight);
  labRace_ = label(frame_, QStringLiteral("LabRace"), QRect(10, 6, 390, 20), gothic(10, true));
  labMsg_ = label(frame_, QStringLiteral("LabMsg"), QRect(10, 30, 400, 24), gothic(12, true));
  label(frame_, QStringLiteral("Label3"), QRect(420, 10, 16, 18), gothic(9))->setText(qtr(u"遅"));
  label(frame_, QStringLiteral("Label2"), QRect(578, 10, 16, 18), gothic(9))->setText(qtr(u"速"));
  QLabel* caption = label(frame_, QStringLiteral("Label1"), QRect(438, 34, 136, 18), gothic(9));
  caption->setText(qtr(u"レース速度調整"));
  caption->setAlignment(Qt::AlignCenter);
  scr_ = new QScrollBar(Qt::Horizontal, frame_);
  scr_->setObjectName(QStringLiteral("Scr"));
  scr_->setAccessibleName(caption->text());
  scr_->setGeometry(438, 11, 136, 17);
  scr_->setRange(1, 5);
  scr_->setPageStep(1);
  scr_->setValue(speed_);
  stepWithArrows(scr_);
  connect(scr_, &QScrollBar::valueChanged, this, [](int v) { speed_ = v; });
  frame_->hide();
  // Over the commentary line, drawing nothing: the words show in the line above it.
  log_ = new SpokenLog(this, QStringLiteral("LogMsg"), qtr(u"実況"), false);
  log_->setGeometry(frame_->geometry().topLeft().x() + labMsg_->x(), frame_->y() + labMsg_->y(),
                    labMsg_->width(), labMsg_->height());
  setTabOrder(log_, scr_);
  setTabOrder(scr_, scrBkg_);
}

void RaceWindow::run(Game& g, int k, const RaceMode& mode) {
  GameState& s = g.s;
  mode_ = mode;
  const RaceSlot& slot = slotAt(s, s.weekBase + k - 1);
  raceViewOpen_ = true;
  skipped_ = false;
  closed_ = false;
  finalStretchCalled_ = false;
  scr_->setValue(speed_);
  for (QLabel* l : labZyun_) l->hide();
  labRace_->clear();
  labMsg_->clear();
  log_->clear();
  shown_ = &s;
  frame_->hide();
  setUpRunners(g, k);
  cues_.emplace(s, k);
  SoundPlayer::instance().raceBegins();
  showRunnerLines(s);
  prepareFrames(s);
  viewTick(g, k, &scene_, mode_);
  centreOnScreen();
  show();
  // The race is what the player follows now: its window takes the keys, and the log the focus.
  raise();
  activateWindow();
  log_->setFocus(Qt::OtherFocusReason);
  playTitle(slot);
  announceStart(slot);
  playFrames(g, k);
  if (!closed_) revealPlacings(g);
  raceViewOpen_ = false;
  shown_ = nullptr;
  SoundPlayer::instance().raceEnds();
  hide();
  // Only a replay can be closed before its end; its world is thrown away.
  if (!closed_) finishRace(g, k, s.runnerCount);
}

void RaceWindow::showRunnerLines(const GameState& s) {
  scene_.markPlayer(-1);
  for (int i = 0; i < MaxRunners; ++i) {
    QLabel* l = labName_[static_cast<size_t>(i)];
    const Runner& run = s.runners[static_cast<size_t>(i)];
    const bool placed = i < s.runnerCount && run.catIndex >= 0;
    l->setVisible(placed);
    if (!placed) {
      l->clear();
      continue;
    }
    l->setText(qs(runnerCaption(s, i)));
    const int width = l->fontMetrics().horizontalAdvance(l->text()) + 6;
    l->setGeometry(RaceScene::Width - 2 - width, l->y(), width, l->height());
    const bool player = isPlayersCat(s, run.catIndex);
    l->setStyleSheet(player ? kPlayerLine : kRunnerLine);
    if (player) scene_.markPlayer(i);
  }
}

// The race's name grows out of the picture for two seconds, stands for two more and goes.
void RaceWindow::playTitle(const RaceSlot& slot) {
  QPalette pal = labRaceName_->palette();
  pal.setColor(QPalette::WindowText, titleColour(slot.raceClass));
  labRaceName_->setPalette(pal);
  labRaceName_->setText(qs(shownRaceName(slot.raceName)) + QLatin1Char('\n') + qs(num(slot.distance)) + QLatin1Char('m'));
  double points = 1;
  labRaceName_->setFont(gothic(points, true));
  labRaceName_->show();
  SoundPlayer::instance().play(cues_->title());
  for (int step = 0; step < 20; ++step) {
    wait(0.1);
    points += 1.5;
    labRaceName_->setFont(gothic(points, true));
  }
  reached(Phase::Title);
  wait(2);
  labRaceName_->hide();
}

void RaceWindow::announceStart(const RaceSlot& slot) {
  labRace_->setText(qs(shownRaceName(slot.raceName)) + QStringLiteral("  ") + qs(num(slot.distance)) + QLatin1Char('m'));
  frame_->show();
  // The race's name and the first call come together: the ear gets them as one line.
  say(qtr(u"各猫ゲート入り完了"), labRace_->text());
  if (!skipped_) SoundPlayer::instance().play(cues_->gate());
  reached(Phase::Gate);
  wait(1);
  say(qtr(u"スタートしました"));
  if (!skipped_) SoundPlayer::instance().play(cues_->start());
}

// One tick a frame; a frame lasts as long as the speed bar says at the moment it starts. Each frame is
// due when the one before it ended, so a late timer does not slow the whole race; after a long stall
// (a busy machine) the pace starts afresh instead of racing to catch up.
void RaceWindow::playFrames(Game& g, int k) {
  QElapsedTimer clock;
  clock.start();
  double due = 0;
  while (!g.s.raceDone && !closed_) {
    const double delay = kFrameDelay[static_cast<size_t>(speed_ - 1)];
    const double now = clock.nsecsElapsed() / 1e9;
    if (now - due > delay) due = now;
    due += delay;
    prepareFrames(g.s);
    viewTick(g, k, &scene_, mode_);
    const std::vector<Cue> cues = cues_->frame(g.s, g.s.raceStates[static_cast<size_t>(mode_.stateIndex)]);
    if (!skipped_) SoundPlayer::instance().play(cues);
    clearOvertakenLines(g.s);
    reached(Phase::Running);
    wait(due - clock.nsecsElapsed() / 1e9);
  }
}

// A runner line stands at the end of its lane until its runner gets there.
void RaceWindow::clearOvertakenLines(const GameState& s) {
  for (int i = 0; i < MaxRunners; ++i) {
    QLabel* l = labName_[static_cast<size_t>(i)];
    if (!l->isHidden() && s.runners[static_cast<size_t>(i)].position + RaceScene::Sprite > l->x()) l->hide();
  }
}

// The final stretch is called once, as the goal comes into sight, and stands until the first finish.
void RaceWindow::callFinalStretch(const RaceState& st) {
  if (finalStretchCalled_ || st.sectionIndex != GoalSection || st.commentaryStep != 9) return;
  finalStretchCalled_ = true;
  say(qtr(u"残り100ｍを切りました 各猫が追い上げます"));
}

// Fifth place first, the winner last, each on the next whole second; then three seconds to look.
void RaceWindow::revealPlacings(Game& g) {
  const auto untilWholeSecond = [&](int seconds) {
    const double now = g.clock.secondsSinceMidnight();
    wait(cint(now) + seconds - now);
  };
  // Skipped to the result: all five at once.
  const bool atOnce = skipped_;
  QStringList placings;
  for (int i = 4; i >= 0; --i) {
    if (!atOnce) untilWholeSecond(1);
    const int cat = g.s.finishOrder[static_cast<size_t>(i)];
    if (cat < 0) continue;
    QLabel* l = labZyun_[static_cast<size_t>(i)];
    l->setText(qs(trf(u"{place} {cat}", {{u"place", placeName(i + 1)}, {u"cat", catAt(g.s, cat).name}})));
    const bool player = isPlayersCat(g.s, cat);
    l->setStyleSheet(player ? kPlayerPlacing : kPlacing);
    l->show();
    placings.prepend(l->text().trimmed());
  }
  // For the ear the placings come whole, once all are up, with the player's cat's place first: five
  // lines a second apart would be cut short by each other.
  const QString player = playerPlace(g.s);
  if (!player.isEmpty()) placings.prepend(player);
  log_->addLine(placings.join(qtr(u"、")));
  if (!closed_) SoundPlayer::instance().play(cues_->result(g.s));
  reached(Phase::Placings);
  // The placings stand for their look; 結果へ once more ends it.
  skipped_ = false;
  untilWholeSecond(3);
}

// The player's cat's place, said before the placings are read out ("ミケ 2着"); empty when it did not run.
QString RaceWindow::playerPlace(const GameState& s) const {
  for (int i = 0; i < s.runnerCount; ++i) {
    const int cat = s.finishOrder[static_cast<size_t>(i)];
    if (cat >= 0 && trim(catAt(s, cat).name) == s.playerCatName)
      return qs(trf(u"{cat} {place}", {{u"cat", trim(catAt(s, cat).name)}, {u"place", placeName(i + 1)}}));
  }
  return {};
}

void RaceWindow::centreOnScreen() { polmina::centreOnScreen(this); }

// A commentary line: shown in the panel, added to the log (after `before`, said with it), and the
// picture described anew.
void RaceWindow::say(const QString& line, const QString& before) {
  // A call repeated (each runner home) changes nothing on the screen: it is not said again.
  if (line == labMsg_->text()) return;
  labMsg_->setText(line);
  log_->addLine(before.isEmpty() ? line : before + qtr(u"、") + line);
  describe(scrBkg_, leaders());
}

// The picture in words: the first three of the field as it stands.
QString RaceWindow::leaders() const {
  if (!shown_) return {};
  std::vector<int> order;
  for (int i = 0; i < shown_->runnerCount; ++i)
    if (shown_->runners[static_cast<size_t>(i)].catIndex >= 0) order.push_back(i);
  const auto ahead = [this](int a, int b) {
    return shown_->runners[static_cast<size_t>(a)].position >
           shown_->runners[static_cast<size_t>(b)].position;
  };
  std::stable_sort(order.begin(), order.end(), ahead);
  QStringList places;
  for (size_t i = 0; i < std::min<size_t>(3, order.size()); ++i)
    places << (i == 0 ? qtr(u"先頭 %1") : qtr(u"%1番手 %2").arg(i + 1))
                  .arg(
                      qs(shownName(catAt(*shown_, shown_->runners[static_cast<size_t>(order[i])].catIndex))));
  return places.join(qtr(u"、"));
}

// A wait that keeps every window alive: a nested event loop ended by a timer.
void RaceWindow::wait(double seconds) {
  if (skipped_ || closed_) return;
  const int ms = static_cast<int>(std::lround(std::max(0.0, seconds) * pace_ * 1000));
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  timer.setTimerType(Qt::PreciseTimer);
  connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  timer.start(ms);
  waiting_ = &loop;
  loop.exec();
  waiting_ = nullptr;
}

// While a race runs the window stays: the placings and the results come after it.
// A replay changes nothing: it may be closed at any moment.
void RaceWindow::closeEvent(QCloseEvent* event) {
  if (raceViewOpen_ && !replay_) {
    event->ignore();
    return;
  }
  event->accept();
  if (raceViewOpen_) {
    closed_ = true;
    if (waiting_) waiting_->quit();
  }
}

}  // namespace polmina
