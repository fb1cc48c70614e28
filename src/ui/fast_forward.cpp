#include "ui/fast_forward.h"

#include <QAccessible>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "game/watching.h"
#include "ui/accessible.h"
#include "ui/fonts.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/remembered.h"
#include "ui/session.h"
#include "ui/sound.h"
#include "ui/widgets.h"
#include "ui/window_manager.h"
#include "world/text.h"

namespace polmina {

namespace {

constexpr int kWeeksOption = 3;
constexpr int kMostWeeks = 48;
const char16_t* const kOptions[] = {N_(u"次の出走まで"), N_(u"次の重賞まで"), N_(u"年末まで")};
// The season plan's stops, below the number of weeks: options 4 and 5.
constexpr StopAt kPlanStops[] = {StopAt::Target, StopAt::Rival};
const char16_t* const kPlanOptions[] = {N_(u"次の目標まで"), N_(u"注目猫と同じレースまで")};
const char16_t* const kStopHint = N_(u"今の週が終わったところで早送りを止めます");
// A screen reader hears the count every few weeks.
constexpr int kWeeksBetweenCounts = 4;
constexpr double kHeardSeconds = 1.0;

int optionOf(StopAt stop) {
  for (int i = 0; i < 2; ++i)
    if (kPlanStops[i] == stop) return kWeeksOption + 1 + i;
  return static_cast<int>(stop);
}

// How far the player asked to go, in the words of the window's option: "次の重賞まで", "4週".
std::u16string goalWords(const FastForwardChoice& c) {
  if (!c.until) return trf(u"{weeks}週", {{u"weeks", num(c.weeks.value_or(0))}});
  const int option = optionOf(*c.until);
  return tr(option < kWeeksOption ? kOptions[option] : kPlanOptions[option - kWeeksOption - 1]);
}

// Why the weeks stopped, as a screen reader says it with the home view.
std::u16string stopWords(const FastForwardChoice& c, const FastForwardResult& r) {
  if (r.reason == StopReason::Stopped) return tr(u"停止しました");
  if (r.reason == StopReason::Asked) return tr(u"お知らせがありました");
  if (r.reason != StopReason::Reached || !c.until) return tr(u"指定の週数を進めました");
  switch (*c.until) {
    case StopAt::Race:
      return tr(u"愛猫が出走する週です");
    case StopAt::BigRace:
      return tr(u"重賞が開催される週です");
    case StopAt::YearEnd:
      return tr(u"新しい年になりました");
    case StopAt::Target:
      return tr(u"目標のレースの週です");
    case StopAt::Rival:
      return tr(u"注目猫と同じレースに出走する週です");
  }
  return {};
}

}  // namespace

// ---- the window

FastForwardWindow::FastForwardWindow(QWidget* parent) : QDialog(parent), options_(new QButtonGroup(this)) {
  setObjectName(QStringLiteral("FastFm"));
  setWindowTitle(qtr(u"早送り"));
  setFixedSize(224, 212);
  setFont(gothic(9));
  makeLabel(this, qtr(u"どこまで進めますか？"), {12, 8, 180, 16}, QStringLiteral("Label1"));
  for (int i = 0; i < 4; ++i) {
    auto* o = new QRadioButton(i < kWeeksOption ? qtr(kOptions[i]) : QString(), this);
    o->setGeometry(20, 30 + 20 * i, i < kWeeksOption ? 160 : 18, 18);
    o->setObjectName(QStringLiteral("OptFast%1").arg(i));
    options_->addButton(o, i);
  }
  for (int i = 0; i < 2; ++i) {
    auto* o = new QRadioButton(qtr(kPlanOptions[i]), this);
    o->setGeometry(20, 112 + 20 * i, 180, 18);
    o->setObjectName(QStringLiteral("OptFast%1").arg(kWeeksOption + 1 + i));
    options_->addButton(o, kWeeksOption + 1 + i);
  }
  weeks_ = new QSpinBox(this);
  weeks_->setObjectName(QStringLiteral("TxtWeeks"));
  weeks_->setGeometry(40, 89, 52, 20);
  weeks_->setRange(1, kMostWeeks);
  QLabel* unit = makeLabel(this, qtr(u"週"), {98, 91, 40, 16}, QStringLiteral("Label2"));
  unit->setBuddy(weeks_);
  options_->button(kWeeksOption)->setAccessibleName(qtr(u"週数を指定"));
  weeks_->setAccessibleName(qtr(u"週数"));
  // Typing a number means the number of weeks.
  connect(weeks_, &QSpinBox::valueChanged, this,
          [this] { options_->button(kWeeksOption)->setChecked(true); });
  skipOthers_ = new QCheckBox(qtr(u"愛猫の出ない重賞は観戦しない"), this);
  skipOthers_->setObjectName(QStringLiteral("ChkSkipOthers"));
  skipOthers_->setGeometry(12, 156, 206, 18);
  skipOthers_->setAccessibleDescription(
      qtr(u"愛猫が出走しない重賞の「御覧になりますか？」にいいえと答えて進みます"));
  QPushButton* go = makeButton(this, qtr(u"開始"), {72, 184, 68, 22}, QStringLiteral("butGo"));
  QPushButton* cancel = makeButton(this, qtr(u"やめる"), {146, 184, 68, 22}, QStringLiteral("butCancel"));
  go->setDefault(true);
  connect(go, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  chainFocus({options_->button(0), options_->button(1), options_->button(2), options_->button(3), weeks_,
              options_->button(4), options_->button(5), skipOthers_, go, cancel});
  // The arrows choose, so that the option with the focus is always the one Enter runs.
  chooseWithArrows(options_);
  // The question, said with the window's name as it opens.
  setAccessibleDescription(qtr(u"どこまで進めますか？"));
  select(0);
  centreOn(this, parent);
}

void FastForwardWindow::select(int option, int weeks) {
  weeks_->setValue(weeks);
  options_->button(option)->setChecked(true);
  // The window opens on the option it offers.
  options_->button(option)->setFocus(Qt::OtherFocusReason);
}

void FastForwardWindow::setSkipOthers(bool skip) { skipOthers_->setChecked(skip); }

FastForwardChoice FastForwardWindow::choice() const {
  const int option = options_->checkedId();
  const bool skip = skipOthers_->isChecked();
  if (option == kWeeksOption) return {std::nullopt, weeks_->value(), skip};
  if (option > kWeeksOption) return {kPlanStops[option - kWeeksOption - 1], std::nullopt, skip};
  return {static_cast<StopAt>(option), std::nullopt, skip};
}

// ---- the weeks

FastForward::FastForward(MainWindow& main, Session& se, QGroupBox* results)
    : QObject(&main), main_(main), se_(se), results_(results), resultsTitle_(results->title()) {
  action_ = new QAction(qtr(u"早送り..."), &main);
  action_->setObjectName(QStringLiteral("actFastForward"));
  action_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  connect(action_, &QAction::triggered, this, &FastForward::ask);
  main.addAction(action_);
  // Over the results panel where it shows (16 below the window's top), above the week's OK and clear
  // of the fifth race's placings. The window holds it, not the panel: the panel is put away between the
  // weeks, and the button keeps the focus (and Esc) for the whole run.
  stop_ = makeButton(&main, qtr(u"停止"), {232, 169, 49, 17}, QStringLiteral("butFastStop"));
  stop_->setShortcut(QKeySequence(Qt::Key_Escape));
  stop_->setAccessibleDescription(qtr(kStopHint));
  stop_->hide();
  connect(stop_, &QPushButton::clicked, this, &FastForward::requestStop);
  // What a screen reader hears while the weeks run: the start and the count every few weeks, as the
  // current line of a list that holds the focus; it lies under 停止 and draws nothing.
  log_ = new SpokenLog(&main, QStringLiteral("LogFast"), qtr(u"早送り"), false);
  log_->setGeometry(stop_->geometry());
  putAway(log_);
  results_->installEventFilter(this);
}

bool FastForward::eventFilter(QObject* watched, QEvent* e) {
  // The results panel comes up over the home view on the weeks it shows: 停止 stays above it.
  if (running_ && watched == results_ && (e->type() == QEvent::ZOrderChange || e->type() == QEvent::Show))
    stop_->raise();
  return QObject::eventFilter(watched, e);
}

void FastForward::ask() {
  // Only from the home view, as 次週 is.
  if (running_ || main_.weekRunning() || main_.openPanel() != OpenPanel::None ||
      !main_.button(Command::NextWeek)->isEnabled() || !main_.isEnabled())
    return;
  FastForwardWindow w(&main_);
  w.select(last_.until ? optionOf(*last_.until) : kWeeksOption, last_.weeks.value_or(4));
  w.setSkipOthers(rememberedSkipOthers());
  se_.ui.runModal(w);
  if (w.result() != QDialog::Accepted) return;
  last_ = w.choice();
  rememberSkipOthers(last_.skipOtherBigRaces);
  run(last_);
}

// "早送り 3/12週" in the results panel's caption, the total as far as it is known.
void FastForward::weekBegins(Game& /*g*/, int done, std::optional<int> total) {
  constexpr qint64 kFrameMs = 16;
  const bool counted = done > 0 && done % kWeeksBetweenCounts == 0;
  if (counted)
    say(total ? qs(trf(u"早送り {done}/{total}週", {{u"done", num(done)}, {u"total", num(*total)}}))
              : qs(trf(u"早送り {done}週", {{u"done", num(done)}})));
  // Every drawn week is a flood of changes that a screen reader wades through for seconds before it
  // can say the count: while one listens, the weeks are said, not drawn.
  drawWeek_ = !QAccessible::isActive() && (done == 0 || drawn_.elapsed() >= kFrameMs);
  if (!drawWeek_) return;
  drawn_.start();
  const QString count = total ? QStringLiteral("%1/%2").arg(done + 1).arg(*total) : QString::number(done + 1);
  results_->setTitle(
      qs(trf(u"{title}　早送り {count}週", {{u"title", u16(resultsTitle_)}, {u"count", u16(count)}})));
}

void FastForward::run(const FastForwardChoice& c) {
  running_ = true;
  stopAsked_ = false;
  remark_.reset();
  drawn_.start();
  se_.ui.setFastForward(true);
  SoundPlayer::instance().hold(true);
  // The spoken lines hold the focus until the stop, the results panel's too on the weeks it shows.
  log_->clear();
  log_->setEnabled(true);
  log_->show();
  stop_->show();
  stop_->raise();
  log_->setFocus(Qt::OtherFocusReason);
  results_->setFocusProxy(log_);
  if (QAccessible::isActive()) se_.ui.wait(kHeardSeconds);  // the reader takes in the focus first
  say(qs(trf(u"早送り開始：{goal}。停止（Esc）で、今の週が終わったところで止めます",
             {{u"goal", goalWords(c)}})));
  const FastForwardResult r = fastForward(se_.g, c, *this);
  if (r.reason == StopReason::Retired) {
    running_ = false;  // the program ends
    se_.ui.setFastForward(false);
    main_.gameEnded();
    return;
  }
  // Stopped at the home view: the cat says what it kept for this week.
  const std::optional<std::u16string> said = r.weekOpen ? std::nullopt : remark_;
  finish();
  main_.refreshWeekView();
  if (r.reason == StopReason::AlreadyThere) {
    se_.ui.tell(Question::AlreadyThere, u"早送り",
                *c.until == StopAt::Race     ? polmina::tr(u"今週は出走する週です。")
                : *c.until == StopAt::Target ? polmina::tr(u"今週は目標のレースの週です。")
                : *c.until == StopAt::Rival  ? polmina::tr(u"今週は注目猫と同じレースに出走します。")
                                             : polmina::tr(u"今週は重賞が開催されます。"));
  } else if (r.weekOpen) {
    // A question or a notice: the week waits for the player's OK, as after a clicked 次週.
    main_.closeOpenWeek();
  } else {
    sayStopped(c, r);
    if (said) main_.sayRemark(*said);
  }
}

// The stop and its reason lead 次週's description, which a screen reader reads as 次週 takes the focus.
void FastForward::sayStopped(const FastForwardChoice& c, const FastForwardResult& r) {
  QWidget* next = main_.button(Command::NextWeek);
  const QString words = qs(trf(u"早送り終了：{reason}（{weeks}週進みました）",
                               {{u"reason", stopWords(c, r)}, {u"weeks", num(r.weeks)}}));
  describe(next, words + qtr(u"、") + next->accessibleDescription());
}

void FastForward::finish() {
  running_ = false;
  drawWeek_ = true;
  se_.ui.setFastForward(false);
  SoundPlayer::instance().hold(false);
  remark_.reset();
  stop_->hide();
  results_->setFocusProxy(nullptr);
  putAway(log_);
  results_->setTitle(resultsTitle_);
}

// A line for a screen reader. The weeks give the window no time of their own to answer the reader's
// questions: a reader that listens is given a moment to hear the line.
void FastForward::say(const QString& line) {
  log_->addLine(line);
  if (QAccessible::isActive()) se_.ui.wait(kHeardSeconds);
}

void FastForward::requestStop() {
  if (running_) stopAsked_ = true;
}

bool FastForward::keepRemark(const std::function<std::u16string()>& choose) {
  if (!running_) return false;
  remark_ = choose();
  return true;
}

}  // namespace polmina
