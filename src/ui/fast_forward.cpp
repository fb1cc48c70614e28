#include "ui/fast_forward.h"

#include <QAction>
#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "ui/fonts.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/session.h"
#include "ui/sound.h"
#include "ui/widgets.h"
#include "ui/window_manager.h"

namespace polmina {

namespace {

constexpr int kWeeksOption = 3;
constexpr int kMostWeeks = 48;
const char16_t* const kOptions[] = {N_(u"次の出走まで"), N_(u"次の重賞まで"), N_(u"年末まで")};

}  // namespace

// ---- the window

FastForwardWindow::FastForwardWindow(QWidget* parent) : QDialog(parent), options_(new QButtonGroup(this)) {
  setObjectName(QStringLiteral("FastFm"));
  setWindowTitle(qtr(u"早送り"));
  setFixedSize(204, 152);
  setFont(gothic(9));
  makeLabel(this, qtr(u"どこまで進めますか？"), {12, 8, 180, 16}, QStringLiteral("Label1"));
  for (int i = 0; i < 4; ++i) {
    auto* o = new QRadioButton(i < kWeeksOption ? qtr(kOptions[i]) : QString(), this);
    o->setGeometry(20, 30 + 20 * i, i < kWeeksOption ? 160 : 18, 18);
    o->setObjectName(QStringLiteral("OptFast%1").arg(i));
    options_->addButton(o, i);
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
  QPushButton* go = makeButton(this, qtr(u"開始"), {52, 120, 68, 22}, QStringLiteral("butGo"));
  QPushButton* cancel = makeButton(this, qtr(u"やめる"), {126, 120, 68, 22}, QStringLiteral("butCancel"));
  go->setDefault(true);
  connect(go, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  chainFocus({options_->button(0), options_->button(1), options_->button(2), options_->button(3), weeks_, go,
              cancel});
  select(0);
  centreOn(this, parent);
}

void FastForwardWindow::select(int option, int weeks) {
  weeks_->setValue(weeks);
  options_->button(option)->setChecked(true);
}

FastForwardChoice FastForwardWindow::choice() const {
  const int option = options_->checkedId();
  if (option == kWeeksOption) return {std::nullopt, weeks_->value()};
  return {static_cast<StopAt>(option), 0};
}

// ---- the weeks

FastForward::FastForward(MainWindow& main, Session& se, QGroupBox* results)
    : QObject(&main), main_(main), se_(se), results_(results), resultsTitle_(results->title()) {
  action_ = new QAction(qtr(u"早送り..."), &main);
  action_->setObjectName(QStringLiteral("actFastForward"));
  action_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  connect(action_, &QAction::triggered, this, &FastForward::ask);
  main.addAction(action_);
  // Above the week's OK, clear of the fifth race's placings.
  stop_ = makeButton(results, qtr(u"停止"), {232, 153, 49, 17}, QStringLiteral("butFastStop"));
  stop_->setShortcut(QKeySequence(Qt::Key_Escape));
  stop_->setAccessibleDescription(qtr(u"今の週が終わったところで早送りを止めます"));
  stop_->hide();
  connect(stop_, &QPushButton::clicked, this, &FastForward::requestStop);
}

void FastForward::ask() {
  // Only from the home view, as 次週 is.
  if (running_ || main_.weekRunning() || main_.openPanel() != OpenPanel::None ||
      !main_.button(Command::NextWeek)->isEnabled() || !main_.isEnabled())
    return;
  static FastForwardChoice last{StopAt::Race, 4};
  FastForwardWindow w(&main_);
  w.select(last.until ? static_cast<int>(*last.until) : kWeeksOption, last.weeks > 0 ? last.weeks : 4);
  se_.ui.runModal(w);
  if (w.result() != QDialog::Accepted) return;
  last = w.choice();
  run(last);
}

bool FastForward::alreadyThere(const FastForwardChoice& c) {
  // The year end always lies ahead; a number of weeks too.
  if (!c.until || *c.until == StopAt::YearEnd || !isStopWeek(se_.g.s, *c.until)) return false;
  se_.ui.tell(u"早送り", *c.until == StopAt::Race ? polmina::tr(u"今週は出走する週です。")
                                                  : polmina::tr(u"今週は重賞が開催されます。"));
  return true;
}

bool FastForward::reached(const FastForwardChoice& c, int done) {
  if (!c.until) return done >= c.weeks;
  return isStopWeek(se_.g.s, *c.until);
}

// "早送り 3/12週" in the results panel's caption, the total as far as it is known.
void FastForward::showCount(const FastForwardChoice& c, int done) {
  std::optional<int> total = c.weeks;
  if (c.until) {
    const std::optional<int> left = weeksToStop(se_.g.s, *c.until);
    total = left ? std::optional<int>(done + *left) : std::nullopt;
  }
  const QString count = total ? QStringLiteral("%1/%2").arg(done + 1).arg(*total) : QString::number(done + 1);
  results_->setTitle(
      qs(trf(u"{title}　早送り {count}週", {{u"title", u16(resultsTitle_)}, {u"count", u16(count)}})));
}

void FastForward::run(const FastForwardChoice& c) {
  if (alreadyThere(c)) return;
  GameState& s = se_.g.s;
  running_ = true;
  stopAsked_ = false;
  remark_.reset();
  se_.ui.skipWaits = true;
  SoundPlayer::instance().hold(true);
  stop_->show();
  stop_->raise();
  for (int done = 0;; ++done) {
    showCount(c, done);
    const int boxes = se_.ui.boxesShown;
    const int year = s.year;
    main_.command(Command::NextWeek);
    // A question or a notice: the week waits for the player's OK, as after a clicked 次週.
    if (se_.ui.boxesShown != boxes) break;
    main_.closeWeekClicked();
    if (s.gameOver) {
      running_ = false;  // the program ends
      se_.ui.skipWaits = false;
      return;
    }
    if (se_.ui.boxesShown != boxes || s.year != year || stopAsked_ || reached(c, done + 1)) break;
  }
  // Stopped at the home view: the cat says what it kept for this week.
  const std::optional<std::u16string> said = main_.weekRunning() ? std::nullopt : remark_;
  finish();
  if (said) main_.sayRemark(*said);
}

void FastForward::finish() {
  running_ = false;
  SoundPlayer::instance().hold(false);
  se_.ui.skipWaits = false;
  remark_.reset();
  stop_->hide();
  results_->setTitle(resultsTitle_);
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
