#include "ui/panels.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>

#include "game/career.h"
#include "game/commands.h"
#include "game/yearend.h"
#include "rank/lists.h"
#include "ui/accessible.h"
#include "ui/fonts.h"
#include "ui/keyboard.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"
#include "world/calendar.h"
#include "world/game.h"
#include "world/labels.h"
#include "world/romaji.h"

namespace polmina {

namespace {

QFrame* makeBox(QWidget* parent, const QRect& geometry, const QString& colour) {
  auto* f = new QFrame(parent);
  f->setGeometry(geometry);
  f->setStyleSheet(QStringLiteral("background-color: %1; border: none;").arg(colour));
  return f;
}

}  // namespace

// ---- progress bar

ProgressBar::ProgressBar(QWidget* parent, const QString& caption, const QPoint& captionAt,
                         const QPoint& barAt, const QString& name)
    : caption_(makeLabel(parent, caption, {captionAt, QSize(120, 14)}, name + QStringLiteral("Caption"))),
      track_(makeBox(parent, {barAt, QSize(200, 7)}, QStringLiteral("#d8d8d8"))),
      fill_(makeBox(parent, {barAt, QSize(0, 7)}, QStringLiteral("#2f6fd0"))) {
  track_->setObjectName(name);
  hide();
}

void ProgressBar::show(int value, int maximum) {
  const int width = maximum > 0 ? std::clamp(200 * value / maximum, 0, 200) : 0;
  fill_->resize(width, 7);
  caption_->show();
  track_->show();
  fill_->setVisible(width > 0);
  fill_->raise();
  track_->parentWidget()->repaint();
}

void ProgressBar::hide() {
  caption_->hide();
  track_->hide();
  fill_->hide();
  fill_->resize(0, 7);
}

bool ProgressBar::visible() const { return !track_->isHidden(); }

// ---- cat lists

CatListPanel::CatListPanel(Game& g, QWidget* parent)
    : Panel(qtr(u"全猫情報"), parent),
      g_(g),
      cmb1_(new QComboBox(this)),
      lst0_(new QListWidget(this)) {
  setObjectName(QStringLiteral("Frm1"));
  cmb1_->setObjectName(QStringLiteral("Cmb1"));
  cmb1_->setGeometry(8, 16, 273, 20);
  cmb1_->setAccessibleName(qtr(u"並べ方"));
  // On the bus a closed box is named by its value: what it is for comes with it as its description.
  cmb1_->setAccessibleDescription(cmb1_->accessibleName());
  lst0_->setObjectName(QStringLiteral("Lst0"));
  lst0_->setGeometry(8, 40, 273, 100);
  lst0_->setFont(fixedGothic(9));
  lst0_->setAccessibleName(qtr(u"猫の一覧"));
  makeLabel(this, qtr(u"クリックすると戦績が御覧いただけます"), {8, 142, 273, 14});
  connect(cmb1_, &QComboBox::activated, this, &CatListPanel::sortChosen);
  connect(lst0_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { rowClicked(lst0_->row(item)); });
  activateRowsByKeyboard(lst0_, [this](int row) { rowClicked(row); });
}

void CatListPanel::open(bool active) {
  GameState& s = g_.s;
  openCatList(s, active);
  findPlayerCat(s);
  cmb1_->clear();
  cmb1_->addItem(qtr(u"名　　　　 前　　　　 順"));
  cmb1_->addItem(qtr(u"総　 賞　 金　 額　 順"));
  if (active) {
    cmb1_->addItem(qtr(u"本 年 度 賞 金 額 順"));
    cmb1_->addItem(qtr(u"年　　　　 齢　　　　 順"));
  }
  setTitle(active ? qtr(u"現役猫情報") : qtr(u"引退猫情報"));
  int order = s.listSortOrder;
  // The hall offers only the first two orders; a prize order stays a prize order.
  if (!active && order > 1) order = order == 2 ? 1 : 0;
  cmb1_->setCurrentIndex(order);
  sortChosen(order);
}

void CatListPanel::sortChosen(int order) {
  if (order < 0 || order > 3) return;
  const std::vector<std::u16string> rows = sortCatList(g_.s, order);
  lst0_->clear();
  for (const auto& r : rows) lst0_->addItem(qs(r));
  if (lst0_->count() > 0) lst0_->setCurrentRow(0);
  lst0_->setFocus();
}

void CatListPanel::rowClicked(int row) {
  if (row <= 0 || row >= lst0_->count()) return;
  if (lst0_->item(row)->text().left(10).trimmed().isEmpty()) return;
  showCareerRecord(g_, row - 1, g_.s.listShowsActive ? CareerView::Active : CareerView::Retired);
}

// ---- the week's results

ResultsPanel::ResultsPanel(GameState& s, QWidget* parent)
    : Panel(qtr(u"レース結果"), parent),
      s_(s),
      butRace_(makeButton(this, QStringLiteral("OK"), {232, 172, 49, 17}, QStringLiteral("butRace"))),
      bar_(this, qtr(u"週変り処理中"), {144, 160}, {24, 178}, QStringLiteral("Shp")) {
  setObjectName(QStringLiteral("Frm5"));
  const QFont small = gothic(8.25);
  for (int k = 0; k < 5; ++k) {
    const bool left = k < 3;
    const int x = left ? 8 : 140;
    const int y = left ? 16 + 52 * k : 16 + 72 * (k - 3);
    const int step = left ? 12 : 16;
    lines_[k][0] =
        makeLabel(this, {}, {x, y, left ? 129 : 141, 13}, QStringLiteral("LabZyuni%1_0").arg(k + 1));
    for (int e = 1; e <= 3; ++e) {
      makeLabel(this, qs(placeName(e)), {x, y + step * e, 24, 13}, small);
      lines_[k][e] = makeLabel(this, {}, {x + 24, y + step * e, left ? 105 : 117, 13},
                               QStringLiteral("LabZyuni%1_%2").arg(k + 1).arg(e));
    }
  }
}

void ResultsPanel::refresh() {
  for (int k = 0; k < 5; ++k)
    for (int e = 0; e < 4; ++e) {
      const ResultLine& line = s_.resultLines[k][e];
      setFittedText(lines_[k][e], shownLine(k, e));
      paintLabel(lines_[k][e], line.textColour, line.background);
    }
  // The OK has focus while the results show: a screen reader reads them with it.
  describe(butRace_, spoken());
}

QString ResultsPanel::shownLine(int k, int e) const {
  // The lines stay Japanese in the game (they are part of polmina-sim's record of a week).
  const ResultLine& line = s_.resultLines[k][e];
  return qs(e == 0 ? shownRaceName(line.text) : line.calledOff ? polmina::tr(line.text) : shownName(line.text));
}

// The results for the ear: the race the player's cat ran first, a race called off once ("中止"), not
// once a place.
QString ResultsPanel::spoken() const {
  QStringList races;
  int playerRace = -1;
  for (int k = 0; k < 5; ++k) {
    const QString name = shownLine(k, 0).trimmed();
    if (name.isEmpty()) continue;
    QStringList read{name};
    if (s_.resultLines[k][1].calledOff) {
      read << shownLine(k, 1).trimmed();
    } else {
      for (int e = 1; e <= 3; ++e) {
        const QString said = shownLine(k, e).trimmed();
        if (!said.isEmpty()) read << qs(placeName(e)) + QStringLiteral(" ") + said;
        if (s_.resultLines[k][e].textColour == ColourRed) playerRace = static_cast<int>(races.size());
      }
    }
    races << read.join(qtr(u"、"));
  }
  if (playerRace > 0) races.move(playerRace, 0);
  return races.join(qtr(u"、"));
}

// ---- the year's awards

AwardsPanel::AwardsPanel(GameState& s, QWidget* parent)
    : Panel(parent),
      s_(s),
      butNendo_(makeButton(this, QStringLiteral("OK"), {232, 172, 49, 17}, QStringLiteral("butNendo"))),
      bar_(this, qtr(u"年度末処理中"), {18, 160}, {18, 178}, QStringLiteral("Shp1")) {
  setObjectName(QStringLiteral("Frm6"));
  auto* head = makeLabel(this, qtr(u"各　賞　発　表"), {4, 10, 281, 16}, gothic(9, true));
  head->setAlignment(Qt::AlignCenter);
  for (int b = 0; b < 6; ++b) {
    makeLabel(this, qtr(AwardCaptions[b]), {4, 28 + 16 * b, 116, 15});
    names_[b] = makeLabel(this, {}, {120, 28 + 16 * b, 157, 15}, QStringLiteral("LabKingName%1").arg(b));
  }
  makeLabel(this, qtr(AwardCaptions[6]), {64, 124, 200, 15}, gothic(9, true));
  names_[6] = makeLabel(this, {}, {44, 140, 197, 17}, gothic(11.25, true), QStringLiteral("LabKingName6"));
  names_[6]->setAlignment(Qt::AlignCenter);
}

void AwardsPanel::refresh() {
  QStringList read;
  for (int b = 0; b < 7; ++b) {
    const QString name = qs(shownName(s_.awardNames[b]));
    names_[b]->setText(name);
    // For the ear the captions without their spacing, the names without their padding.
    if (!s_.awardNames[b].empty())
      read << qtr(AwardCaptions[b]).remove(QChar(u'　')).simplified() + QLatin1Char(' ') + name.trimmed();
  }
  describe(butNendo_, read.join(qtr(u"、")));
}

// ---- the A-class champions

ChampionsPanel::ChampionsPanel(GameState& s, QWidget* parent)
    : Panel(qtr(u"本年度Aクラス優勝猫"), parent), s_(s) {
  setObjectName(QStringLiteral("Frm7"));
  // The names in short: the column is narrow.
  static constexpr const char16_t* kRaces[] = {NC_("short", u"早猫賞"), NC_("short", u"桜猫賞"), NC_("short", u"優駿猫"),
                                               NC_("short", u"菊猫賞"), NC_("short", u"有猫記念")};
  static constexpr int kWinnerY[] = {16, 45, 74, 103, 132};
  static constexpr int kRunnerUpY[] = {30, 58, 87, 115, 144};
  for (int i = 0; i < 5; ++i) {
    makeLabel(this, qs(trc(u"short", kRaces[i])), {16, kWinnerY[i], 72, 14}, QStringLiteral("LabSyou%1").arg(i));
    winners_[i] = makeLabel(this, {}, {88, kWinnerY[i], 169, 14}, QStringLiteral("LabC1_%1").arg(i));
    runnersUp_[i] = makeLabel(this, {}, {108, kRunnerUpY[i], 173, 14}, QStringLiteral("LabA2_%1").arg(i));
  }
}

void ChampionsPanel::refresh() {
  for (int i = 0; i < 5; ++i) {
    winners_[i]->setText(qs(shownPlacingCaption(s_.winnerCaptions[i])));
    runnersUp_[i]->setText(qs(shownPlacingCaption(s_.runnerUpCaptions[i])));
  }
}

}  // namespace polmina
