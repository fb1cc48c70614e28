#include "ui/training_panel.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "game/commands.h"
#include "ui/accessible.h"
#include "ui/keyboard.h"
#include "ui/qt_text.h"
#include "ui/remembered.h"
#include "ui/widgets.h"
#include "world/state.h"

namespace polmina {

namespace {

// Slider position → training level, for Wednesday and for Thursday.
constexpr int kLevels[2][6] = {{0, 1, 1, 2, 2, 3}, {0, 1, 2, 2, 3, 3}};
const char* const kLit[3] = {"#00ffff", "#ffff00", "#ff8000"};  // speed, stamina, power
constexpr const char* kOff = "#e0e0e0";
const char* const kRows[3] = {N_("スピードUP"), N_("スタミナUP"), N_("パワーUP")};
const char* const kBarNames[6] = {"ScrSp1", "ScrSt1", "ScrPw1", "ScrSp2", "ScrSt2", "ScrPw2"};
const char* const kCellNames[6] = {"Sp1", "St1", "Pw1", "Sp2", "St2", "Pw2"};

constexpr const char16_t* kSameDescription = N_(u"調教を前回の設定に戻します");

}  // namespace

TrainingPanel::TrainingPanel(GameState& s, QWidget* parent)
    : Panel(qtr(u"調教設定"), parent), s_(s), last_(rememberedTraining()) {
  setObjectName(QStringLiteral("Frm2"));
  build(0);
  build(1);
  same_ = makeButton(this, qtr(u"前回と同じ"), {160, 146, 121, 13}, QStringLiteral("butSameTraining"));
  setCommandKey(same_, QKeySequence(Qt::CTRL | Qt::Key_Y));
  same_->setAccessibleDescription(qtr(kSameDescription));
  same_->setEnabled(last_ != std::array<int, 6>{});
  connect(same_, &QPushButton::clicked, this, &TrainingPanel::sameAsLast);
}

void TrainingPanel::keepAsLast() {
  std::array<int, 6> bars{};
  for (int b = 0; b < 6; ++b) bars[b] = bars_[b]->value();
  if (bars == std::array<int, 6>{} || bars == last_) return;
  last_ = bars;
  rememberTraining(bars);
  same_->setEnabled(true);
}

void TrainingPanel::sameAsLast() {
  for (int b = 0; b < 6; ++b) bars_[b]->setValue(last_[b]);
  // The notice the moves left, read with the button as with a bar.
  const QString notice = s_.noticeVisible ? qs(s_.noticeLine) : QString();
  describe(same_, notice.isEmpty() ? qtr(kSameDescription) : notice);
}

void TrainingPanel::build(int day) {
  auto* frame = makeFrame(this, day == 0 ? qtr(u"水曜") : qtr(u"木曜"),
                          day == 0 ? QRect(12, 16, 133, 129) : QRect(152, 16, 129, 129),
                          day == 0 ? QStringLiteral("Frame1") : QStringLiteral("Frame2"));
  for (int row = 0; row < 3; ++row) {
    const int bar = day * 3 + row;
    const int y = 16 + 36 * row;
    makeLabel(frame, qtr(kRows[row]), {8, y, 64, 14});
    for (int c = 0; c < 5; ++c) {
      auto* cell = new QFrame(frame);
      cell->setGeometry(70 + 11 * c, y + 3, 10, 9);
      cell->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(kCellNames[bar])).arg(c));
      cells_[bar][c] = cell;
    }
    makeLabel(frame, qtr(u"弱"), {4, y + 16, 14, 13});
    auto* sb = new QScrollBar(Qt::Horizontal, frame);
    sb->setGeometry(18, y + 16, 94, 13);
    sb->setRange(0, 5);
    sb->setPageStep(1);
    sb->setObjectName(QString::fromLatin1(kBarNames[bar]));
    sb->setAccessibleName(QStringLiteral("%1 %2").arg(frame->title(), qtr(kRows[row])));
    stepWithArrows(sb);
    makeLabel(frame, qtr(u"強"), {114, y + 16, 14, 13});
    bars_[bar] = sb;
    connect(sb, &QScrollBar::valueChanged, this, [this, bar](int v) { moved(bar, v); });
    light(bar, 0);
  }
}

void TrainingPanel::light(int bar, int value) {
  for (int c = 0; c < 5; ++c)
    cells_[bar][c]->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid #909090;")
                                      .arg(QString::fromLatin1(c < value ? kLit[bar % 3] : kOff)));
}

void TrainingPanel::moved(int bar, int value) {
  light(bar, value);
  std::array<int, 6> levels{};
  for (int b = 0; b < 6; ++b) levels[b] = kLevels[b / 3][bars_[b]->value()];
  setTraining(s_, levels);
  // The notice line the move changed, read with the bar that has focus.
  describe(bars_[bar], s_.noticeVisible ? qs(s_.noticeLine) : QString());
  emit trainingChanged();
}

// The training for the ear: each day with the rows it works and their strength, or "調教なし".
QString TrainingPanel::spoken() const {
  QStringList days;
  for (int day = 0; day < 2; ++day) {
    QStringList rows;
    for (int row = 0; row < 3; ++row)
      if (const int v = bars_[day * 3 + row]->value(); v > 0)
        rows << qtr(kRows[row]) + QLatin1Char(' ') + QString::number(v);
    const QString name = day == 0 ? qtr(u"水曜") : qtr(u"木曜");
    days << name + QLatin1Char(' ') + (rows.isEmpty() ? qtr(u"調教なし") : rows.join(qtr(u"、")));
  }
  return days.join(qtr(u"、"));
}

void TrainingPanel::clear() {
  for (int b = 0; b < 6; ++b) {
    const QSignalBlocker quiet(bars_[b]);
    bars_[b]->setValue(0);
    light(b, 0);
  }
}

}  // namespace polmina
