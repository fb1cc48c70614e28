#include "ui/plan_windows.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <algorithm>

#include "ui/accessible.h"
#include "ui/fonts.h"
#include "ui/history_windows.h"
#include "ui/qt_text.h"
#include "ui/session.h"
#include "ui/widgets.h"
#include "ui/window_manager.h"
#include "world/calendar.h"
#include "world/labels.h"
#include "world/romaji.h"
#include "world/text.h"

namespace polmina {

namespace {

constexpr const char16_t* kPlanTitle = N_(u"予定表");
constexpr const char16_t* kRivalsTitle = N_(u"注目猫");

const QColor kOpen(0xe2, 0xf3, 0xd6);
const QColor kClosed(0x80, 0x80, 0x80);

QString weekText(int year, int slot) {
  return qs(trf(u"{year}年{month}月{week}週",
                {{u"year", num(year)}, {u"month", num(slot / 20 + 1)}, {u"week", num(slot % 20 / 5 + 1)}}));
}

bool isOpen(BookingVerdict v) { return v == BookingVerdict::Bookable || v == BookingVerdict::Below; }

QString targetMark(const PlanRow& r) {
  if (!r.target) return {};
  return r.missed ? qtr(u"×") : qtr(u"★");
}

// What a screen reader hears of a row beside its cells: the verdict and the marks, in words.
QString rowWords(const PlanRow& r, const QString& verdict) {
  QStringList words{verdict};
  if (r.booked) words << qtr(u"登録中のレース");
  if (r.target) words << (r.missed ? qtr(u"目標、出走できなくなりました") : qtr(u"目標のレース"));
  return words.join(QStringLiteral("、"));
}

void describeRow(QTableWidget* table, int row, const QString& words) {
  for (int c = 0; c < table->columnCount(); ++c)
    if (QTableWidgetItem* item = table->item(row, c)) item->setData(Qt::AccessibleDescriptionRole, words);
}

QPushButton* closeButton(QDialog* d, QRect at) {
  QPushButton* close = makeButton(d, qtr(u"閉じる"), at, QStringLiteral("butClose"));
  QObject::connect(close, &QPushButton::clicked, d, &QDialog::accept);
  return close;
}

SeasonPlanner& plannerOf(Session& se) { return *se.g.planner; }

}  // namespace

PlanWindow::PlanWindow(Session& se, QWidget* parent) : QDialog(parent), se_(se), plan_(plannerOf(se)) {
  setObjectName(QStringLiteral("PlanFm"));
  setWindowTitle(qtr(kPlanTitle));
  setFixedSize(700, 400);
  makeLabel(this, qtr(u"来年の終わりまでのレース（Enterで目標にする・外す）"), {10, 8, 680, 20},
            gothic(10.5, true), QStringLiteral("labPlan"));
  table_ = makeRowTable(this, 0,
                        {qtr(u"日付"), qtr(u"レース"), qtr(u"距離"), qtr(u"登録数"), qtr(u"1着賞金"),
                         qtr(u"登録"), qtr(u"目標"), qtr(u"この距離の成績")},
                        QStringLiteral("tblPlan"), qtr(kPlanTitle));
  table_->setGeometry(10, 32, 680, 326);
  table_->setTabKeyNavigation(false);
  onEnter(table_, [this] { toggleTarget(table_->currentRow()); });
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { toggleTarget(row); });
  target_ = makeButton(this, qtr(u"目標にする／外す"), {450, 366, 130, 24}, QStringLiteral("butTarget"));
  connect(target_, &QPushButton::clicked, this, [this] { toggleTarget(table_->currentRow()); });
  closeButton(this, {590, 366, 100, 24});
  fill();
  table_->resizeColumnsToContents();
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->selectRow(0);
  table_->setFocus();
  centreOn(this, parent);
}

void PlanWindow::fill() {
  GameState& s = se_.g.s;
  rows_ = plan_.plan(s);
  findPlayerCat(s);
  const auto record = recordByDistance(plan_.history().formbook(catAt(s, s.playerCat)));
  table_->setRowCount(static_cast<int>(rows_.size()));
  for (int i = 0; i < static_cast<int>(rows_.size()); ++i) fillRow(i, rows_[static_cast<size_t>(i)], record);
}

void PlanWindow::fillRow(int i, const PlanRow& r, const std::map<int, DistanceRecord>& record) {
  GameState& s = se_.g.s;
  const RaceSlot& race = slotAt(s, r.slot);
  const QString verdict = r.booked ? qtr(u"登録中") : qs(verdictText(r.verdict, race.raceClass));
  const bool reachable = r.verdict != BookingVerdict::Later;
  const auto at = record.find(race.distance);
  table_->setItem(i, 0, tableCell(weekText(r.year, r.slot)));
  table_->setItem(i, 1, tableCell(qs(trim(shownRaceName(race.raceName)))));
  table_->setItem(i, 2, tableCell(qs(num(race.distance) + u"m"), true));
  table_->setItem(i, 3, tableCell(reachable ? qs(fullnessText(s, r.slot)) : qtr(u"－"), true));
  table_->setItem(
      i, 4, tableCell(qs(trf(u"{n}万", {{u"n", num(race.prize)}, {u"yen", yenText(race.prize)}})), true));
  table_->setItem(i, 5, tableCell(verdict));
  table_->setItem(i, 6, tableCell(targetMark(r)));
  table_->setItem(i, 7,
                  tableCell(qs(distanceRecordText(at == record.end() ? DistanceRecord{} : at->second))));
  for (int c = 0; c < table_->columnCount(); ++c) {
    QTableWidgetItem* item = table_->item(i, c);
    if (isOpen(r.verdict)) item->setBackground(kOpen);
    if (!isOpen(r.verdict) && !r.booked) item->setForeground(kClosed);
    QFont f = item->font();
    f.setBold(r.booked || (r.target && !r.missed));
    item->setFont(f);
  }
  describeRow(table_, i, rowWords(r, verdict));
}

void PlanWindow::toggleTarget(int row) {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return;
  PlanRow& r = rows_[static_cast<size_t>(row)];
  plan_.history().setTarget(se_.g.s, r.year, r.slot, !r.target);
  tellHistoryProblem(se_);
  r.target = !r.target;
  r.missed = false;
  GameState& s = se_.g.s;
  findPlayerCat(s);
  fillRow(row, r, recordByDistance(plan_.history().formbook(catAt(s, s.playerCat))));
  // The row's new mark is read as the focused row's description.
  describe(table_, rowWords(r, table_->item(row, 5)->text()));
}

RivalsWindow::RivalsWindow(Session& se, QWidget* parent) : QDialog(parent), se_(se), plan_(plannerOf(se)) {
  setObjectName(QStringLiteral("RivalsFm"));
  setWindowTitle(qtr(kRivalsTitle));
  setFixedSize(700, 330);
  makeLabel(this, qtr(u"注目している猫と、愛猫との対戦成績"), {10, 8, 680, 20}, gothic(10.5, true),
            QStringLiteral("labRivals"));
  table_ = makeRowTable(this, 0,
                        {qtr(u"名前"), qtr(u"クラス"), qtr(u"成績"), qtr(u"獲得賞金"), qtr(u"登録レース"),
                         qtr(u"愛猫との対戦")},
                        QStringLiteral("tblRivals"), qtr(kRivalsTitle));
  table_->setGeometry(10, 32, 680, 256);
  table_->setTabKeyNavigation(false);
  onEnter(table_, [this] { showFormbook(table_->currentRow()); });
  QPushButton* formbook =
      makeButton(this, qtr(u"近走成績"), {260, 296, 100, 24}, QStringLiteral("butFormbook"));
  connect(formbook, &QPushButton::clicked, this, [this] { showFormbook(table_->currentRow()); });
  QPushButton* drop =
      makeButton(this, qtr(u"注目をやめる"), {370, 296, 110, 24}, QStringLiteral("butUnfollow"));
  connect(drop, &QPushButton::clicked, this, [this] { unfollow(table_->currentRow()); });
  closeButton(this, {590, 296, 100, 24});
  fill();
  if (rows_.empty())
    makeLabel(this, qtr(u"注目している猫はいません（猫の一覧などで Ctrl+J）"), {10, 40, 680, 20},
              QStringLiteral("labEmpty"));
  table_->selectRow(0);
  table_->setFocus();
  centreOn(this, parent);
}

void RivalsWindow::fill() {
  const GameState& s = se_.g.s;
  rows_ = plan_.rivals(s);
  table_->setRowCount(static_cast<int>(rows_.size()));
  for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
    const RivalRow& r = rows_[static_cast<size_t>(i)];
    const CatRecord& c = r.record;
    const bool retired = r.index < 0;
    const bool booked = !retired && c.entryRace >= 0 && c.entryRace < CalendarSize;
    table_->setItem(i, 0, tableCell(qs(shownName(r.cat.name)) + (retired ? qtr(u"（引退）") : QString())));
    table_->setItem(i, 1, tableCell(qs(classLabelMain(c.catClass))));
    table_->setItem(i, 2, tableCell(qs(recordCounts(c.starts, c.wins))));
    table_->setItem(
        i, 3,
        tableCell(qs(trf(u"{n}万", {{u"n", num(c.totalPrize)}, {u"yen", yenText(c.totalPrize)}})), true));
    table_->setItem(
        i, 4, tableCell(booked ? qs(trim(shownRaceName(slotAt(s, c.entryRace).raceName))) : qtr(u"－")));
    table_->setItem(i, 5,
                    tableCell(qs(trf(u"{n}戦 相手の先着{ahead}回",
                                     {{u"n", num(r.against.together)}, {u"ahead", num(r.against.ahead)}}))));
    if (retired)
      for (int col = 0; col < table_->columnCount(); ++col) table_->item(i, col)->setForeground(kClosed);
  }
  table_->resizeColumnsToContents();
  table_->horizontalHeader()->setStretchLastSection(true);
}

void RivalsWindow::showFormbook(int row) {
  if (row >= 0 && row < static_cast<int>(rows_.size()))
    openFormbook(se_, rows_[static_cast<size_t>(row)].record, this);
}

void RivalsWindow::unfollow(int row) {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return;
  const RivalRow& r = rows_[static_cast<size_t>(row)];
  plan_.history().follow(se_.g.s, r.record, false);
  tellHistoryProblem(se_);
  fill();
  table_->selectRow(std::min(row, table_->rowCount() - 1));
  table_->setFocus();
}

QKeySequence followKey() { return QKeySequence(Qt::CTRL | Qt::Key_J); }
QString followCaption() { return qtr(u"注目する／やめる(&J)"); }

int activeCatNamed(const GameState& s, std::u16string_view name) {
  for (int i = 0; i < s.catCount; ++i)
    if (s.cats[static_cast<size_t>(i)].retired == 0 &&
        trimView(s.cats[static_cast<size_t>(i)].name) == trimView(name))
      return i;
  return -1;
}

std::vector<int> activeCatsIn(const GameState& s, const std::vector<std::u16string>& texts) {
  std::vector<int> out;
  for (const std::u16string& text : texts)
    for (int i = 0; i < s.catCount; ++i) {
      const CatRecord& c = s.cats[static_cast<size_t>(i)];
      const std::u16string_view name = trimView(c.name);
      if (c.retired != 0 || c.owner == 1 || name.empty() || text.find(name) == std::u16string::npos) continue;
      if (std::find(out.begin(), out.end(), i) == out.end()) out.push_back(i);
    }
  return out;
}

std::vector<int> activeCatsInResults(const GameState& s) {
  std::vector<std::u16string> placed;
  for (const auto& race : s.resultLines)
    for (size_t e = 1; e < race.size(); ++e) placed.push_back(race[e].text);
  return activeCatsIn(s, placed);
}

void offerFollowing(QWidget* w, Session& se, std::function<std::vector<int>()> cats) {
  const auto popup = [w, &se, cats](QPoint at) {
    const std::vector<int> offered = se.g.planner ? cats() : std::vector<int>{};
    if (offered.empty()) return;
    QMenu menu(w);
    const auto followed = se.g.planner->history().followed(se.g.s);
    for (int i : offered) {
      const CatRecord& c = se.g.s.cats[static_cast<size_t>(i)];
      const bool on = std::any_of(followed.begin(), followed.end(),
                                  [&](const FollowedCat& f) { return isFollowedCat(f, c); });
      const std::u16string name = trim(c.name);
      QAction* a = menu.addAction(
          qs(on ? trf(u"{cat}の注目をやめる", {{u"cat", name}}) : trf(u"{cat}に注目する", {{u"cat", name}})));
      a->setData(i);
    }
    if (QAction* chosen = menu.exec(at))
      toggleFollow(se, se.g.s.cats[static_cast<size_t>(chosen->data().toInt())]);
  };
  w->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(w, &QWidget::customContextMenuRequested, w,
                   [w, popup](QPoint at) { popup(w->mapToGlobal(at)); });
  auto* key = new QShortcut(followKey(), w);
  key->setContext(Qt::WidgetWithChildrenShortcut);
  QObject::connect(key, &QShortcut::activated, w, [w, popup] { popup(w->mapToGlobal(w->rect().center())); });
}

void toggleFollow(Session& se, const CatRecord& c) {
  if (!se.g.planner) return;
  History& h = se.g.planner->history();
  const GameState& s = se.g.s;
  bool followed = false;
  for (const FollowedCat& f : h.followed(s)) followed = followed || isFollowedCat(f, c);
  h.follow(s, c, !followed);
  tellHistoryProblem(se);
  const std::u16string name = trim(c.name);
  se.ui.tell(Question::Following, kRivalsTitle,
             followed ? trf(u"{cat}の注目をやめました。", {{u"cat", name}})
                      : trf(u"{cat}を注目猫にしました。", {{u"cat", name}}));
}

namespace {

// A command of the main window (and of the cat panel and the context menu) that opens window W.
template <typename W>
QAction* windowCommand(QWidget* mainWindow, Session& se, const char16_t* caption, const char* name,
                       Qt::Key key) {
  auto* a = new QAction(qtr(caption), mainWindow);
  a->setObjectName(QString::fromLatin1(name));
  a->setShortcut(QKeySequence(Qt::CTRL | key));
  a->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(a, &QAction::triggered, mainWindow, [&se, mainWindow] {
    if (!se.g.planner) return;
    W w(se, mainWindow);
    se.ui.runModal(w);
  });
  mainWindow->addAction(a);
  return a;
}

}  // namespace

void installPlanCommands(QWidget* mainWindow, Session& se, QWidget* catPanel, QMenu* menu) {
  QAction* plan = windowCommand<PlanWindow>(mainWindow, se, N_(u"予定表(&Y)"), "actPlan", Qt::Key_O);
  QAction* rivals = windowCommand<RivalsWindow>(mainWindow, se, N_(u"注目猫(&U)"), "actRivals", Qt::Key_U);
  catPanel->addAction(plan);
  catPanel->addAction(rivals);
  menu->insertActions(menu->actions().value(1), {plan, rivals});
}

}  // namespace polmina
