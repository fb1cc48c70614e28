#include "ui/fast_forward.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "game/watching.h"
#include "ui/fonts.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/remembered.h"
#include "ui/session.h"
#include "ui/sound.h"
#include "ui/widgets.h"
#include "ui/window_manager.h"

namespace polmina {

namespace {

constexpr int kWeeksOption = 3;
constexpr int kMostWeeks = 48;
const char16_t* const kOptions[] = {N_(u"次の出走まで"), N_(u"次の重賞まで"), N_(u"年末まで")};
// The season plan's stops, below the number of weeks: options 4 and 5.
constexpr StopAt kPlanStops[] = {StopAt::Target, StopAt::Rival};
const char16_t* const kPlanOptions[] = {N_(u"次の目標まで"), N_(u"注目猫と同じレースまで")};

int optionOf(StopAt stop) {
  for (int i = 0; i < 2; ++i)
    if (kPlanStops[i] == stop) return kWeeksOption + 1 + i;
  return static_cast<int>(stop);
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
  select(0);
  centreOn(this, parent);
}

void FastForwardWindow::select(int option, int weeks) {
  weeks_->setValue(weeks);
  options_->button(option)->setChecked(true);
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
  drawWeek_ = done == 0 || drawn_.elapsed() >= kFrameMs;
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
  stop_->show();
  stop_->raise();
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
  } else if (said) {
    main_.sayRemark(*said);
  }
}

void FastForward::finish() {
  running_ = false;
  drawWeek_ = true;
  se_.ui.setFastForward(false);
  SoundPlayer::instance().hold(false);
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
