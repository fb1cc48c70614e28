#include "ui/history_windows.h"

#include <QAction>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDate>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>
#include <cmath>
#include <functional>

#include "history/replay.h"
#include "ui/accessible.h"
#include "ui/fonts.h"
#include "ui/hall_window.h"
#include "ui/plan_windows.h"
#include "ui/qt_text.h"
#include "ui/race_window.h"
#include "ui/session.h"
#include "ui/widgets.h"
#include "ui/window_manager.h"
#include "world/calendar.h"
#include "world/labels.h"
#include "world/romaji.h"
#include "world/text.h"

namespace polmina {

namespace {


QString dateText(int year, int month, int week) {
  return qs(trf(u"{year}年{month}月{week}週", {{u"year", num(year)}, {u"month", num(month)}, {u"week", num(week)}}));
}

// The cat the race is remembered by: its winner, or the runner-up when the cat itself won.
QString rivalText(const FormbookRow& r) {
  if (r.place == 1) return qs(trf(u"2着 {cat}", {{u"cat", r.second}}));
  return qs(trf(u"1着 {cat}", {{u"cat", r.winner}}));
}

}  // namespace

QTableWidgetItem* tableCell(const QString& text, bool right) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  if (right) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

QTableWidget* makeRowTable(QWidget* parent, int rows, const QStringList& headers, const QString& name,
                           const QString& accessibleName) {
  auto* table = new QTableWidget(rows, static_cast<int>(headers.size()), parent);
  table->setObjectName(name);
  table->setAccessibleName(accessibleName);
  table->setGeometry(10, 32, 540, 256);
  table->setHorizontalHeaderLabels(headers);
  table->verticalHeader()->hide();
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  return table;
}

FormbookWindow::FormbookWindow(Session& se, const CatRecord& cat, QWidget* parent)
    : FormbookWindow(se, trim(cat.name), se.history ? se.history->formbook(cat) : std::vector<FormbookRow>{},
                     cat.starts, parent) {
  // The cat itself, and the winners and runners-up of its races, may be followed from here.
  offerFollowing(this, se, [this, name = trim(cat.name), &s = se.g.s] {
    std::vector<std::u16string> names{name};
    const int row = table_->currentRow();
    if (row >= 0 && row < static_cast<int>(rows_.size()))
      names.insert(names.end(), {rows_[static_cast<size_t>(row)].winner, rows_[static_cast<size_t>(row)].second});
    return activeCatsIn(s, names);
  });
}

FormbookWindow::FormbookWindow(Session& se, const std::u16string& catName, std::vector<FormbookRow> rows,
                               int starts, QWidget* parent)
    : QDialog(parent), se_(se), rows_(std::move(rows)) {
  setObjectName(QStringLiteral("FormbookFm"));
  setWindowTitle(qtr(u"近走成績"));
  setFixedSize(560, 330);
  makeLabel(this, qs(trf(u"{cat}の近走成績", {{u"cat", catName}})), {10, 8, 540, 20}, gothic(10.5, true),
            QStringLiteral("labName"));
  table_ = makeRowTable(this, static_cast<int>(rows_.size()),
                        {qtr(u"日付"), qtr(u"レース"), qtr(u"距離"), qtr(u"頭数"), qtr(u"着順"),
                         qtr(u"勝ち猫／2着"), qtr(u"賞金")},
                        QStringLiteral("tblRaces"), qtr(u"近走成績"));
  // Tab leaves the table for the buttons; Enter on a row watches its race.
  table_->setTabKeyNavigation(false);
  onEnter(table_, [this] { replayRow(table_->currentRow()); });
  for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
    const FormbookRow& r = rows_[static_cast<size_t>(i)];
    table_->setItem(i, 0, tableCell(dateText(r.year, r.month, r.week)));
    table_->setItem(i, 1, tableCell(qs(trim(shownRaceName(r.raceName)))));
    table_->setItem(i, 2, tableCell(qs(num(r.distance) + u"m"), true));
    table_->setItem(i, 3, tableCell(qs(trf(u"{n}頭", {{u"n", num(r.runners)}})), true));
    table_->setItem(i, 4, tableCell(r.place > 0 ? qs(placeName(r.place)) : qtr(u"－"), true));
    table_->setItem(i, 5, tableCell(rivalText(r)));
    table_->setItem(i, 6, tableCell(qs(trf(u"{n}万", {{u"n", num(r.prize)}, {u"yen", yenText(r.prize)}})), true));
  }
  table_->resizeColumnsToContents();
  table_->horizontalHeader()->setStretchLastSection(true);
  if (rows_.empty()) {
    table_->hide();
    // A cat of the start data ran its races before this game's history began.
    makeLabel(this,
              starts > 0 ? qtr(u"この猫のレースは、履歴をつけ始める前に走ったものです")
                         : qtr(u"まだレースの記録がありません"),
              {10, 40, 540, 20}, QStringLiteral("labEmpty"));
  } else {
    table_->selectRow(0);
    table_->setFocus();
  }
  QPushButton* watch =
      makeButton(this, qtr(u"レースを見る"), {330, 296, 110, 24}, QStringLiteral("butReplay"));
  QPushButton* close =
      makeButton(this, qtr(u"閉じる"), {450, 296, 100, 24}, QStringLiteral("butClose"));
  watch->setEnabled(!rows_.empty());
  close->setDefault(true);
  connect(watch, &QPushButton::clicked, this, [this] { replayRow(table_->currentRow()); });
  clickOnEnter(watch);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { replayRow(row); });
  centreOn(this, parent);
}

void FormbookWindow::replayRow(int row) {
  if (row < 0 || row >= static_cast<int>(rows_.size()) || !se_.history) return;
  const auto race = se_.history->race(rows_[static_cast<size_t>(row)].raceId);
  if (!race || !race->replayable) {
    se_.ui.tell(Question::ReplayMissing, BoxTitle, polmina::tr(u"このレースは記録が足りないため再生できません。"));
    return;
  }
  // The race runs again in a world of its own: nothing of the game changes.
  ReplayWorld world = replayWorld(*race);
  SilentFrontend quiet;
  Game g{*world.state, world.rng, quiet, se_.g.clock};
  RaceWindow window;
  window.setWindowModality(Qt::ApplicationModal);
  QWidget* was = focusWidget();
  setEnabled(false);
  window.runReplay(g, world.raceNumber, race->watched ? WatchedRace : UnseenRace);
  setEnabled(true);
  // Disabled, the window lost its focus: the keys go back where the player was.
  giveBackKeys(this);
  if (was) was->setFocus();
}

namespace {

// One line of a growth chart: its name, how a week's row gives its value, and how wide it is drawn (a
// line that may lie on another is drawn under it, wider, so that both show).
struct ChartLine {
  QString name;
  std::function<double(const GrowthRow&)> value;
  int width = 2;
  bool money = false;  // counted in 万: the table writes it with its unit ("20万", "¥200,000")
};

template <class Axis>
Axis* styled(Axis* a, const QString& title) {
  a->setTitleText(title);
  a->setTitleFont(gothic(9));
  a->setLabelsFont(gothic(9));
  return a;
}

// A week of the game's calendar on the chart's time axis, in months from January of `firstYear`.
qreal weekTime(const GrowthRow& r, int firstYear) {
  return (r.year - firstYear) * 12 + (r.month - 1) + (r.week - 1) / 4.0;
}

// The time axis labelled at whole months, evenly: every month, or every 2, 3, 6, 12 … months so that
// no more than six labels stand on it; a year's labels fall on January.
QCategoryAxis* timeAxis(int firstYear, qreal from, qreal to) {
  auto* x = styled(new QCategoryAxis, qtr(u"年月"));
  x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  const int first = static_cast<int>(std::floor(from));
  const int last = std::max(first + 1, static_cast<int>(std::ceil(to)));
  int step = 1;
  for (int s : {1, 2, 3, 6, 12, 24, 36, 60, 120}) {
    step = s;
    if ((last - first) / s < 6) break;
  }
  for (int m = (first + step - 1) / step * step; m <= last; m += step)
    x->append(QDate(firstYear + m / 12, m % 12 + 1, 1).toString(qtr(u"yyyy年M月")), m);
  x->setRange(first, last);
  return x;
}

// A chart of the weeks in `rows` against their dates, one series a line.
QChartView* makeChart(const QString& title, const QString& unit, const std::vector<GrowthRow>& rows,
                      const std::vector<ChartLine>& lines) {
  auto* c = new QChart;
  c->setTitle(title);
  c->setTitleFont(gothic(10.5, true));
  c->legend()->setFont(gothic(9));
  const GrowthRow first = rows.empty() ? GrowthRow{2001, 1, 1} : rows.front();
  const GrowthRow last = rows.size() < 2 ? GrowthRow{first.year, first.month, 4} : rows.back();
  auto* x = timeAxis(first.year, weekTime(first, first.year), weekTime(last, first.year));
  auto* y = styled(new QValueAxis, unit);
  y->setLabelFormat(QStringLiteral("%d"));
  c->addAxis(x, Qt::AlignBottom);
  c->addAxis(y, Qt::AlignLeft);
  double top = 1;
  for (const ChartLine& line : lines) {
    auto* s = new QLineSeries;
    s->setName(line.name);
    for (const GrowthRow& r : rows) {
      const double v = line.value(r);
      s->append(weekTime(r, first.year), v);
      top = std::max(top, v);
    }
    c->addSeries(s);
    QPen pen = s->pen();
    pen.setWidth(line.width);
    s->setPen(pen);
    s->attachAxis(x);
    s->attachAxis(y);
  }
  y->setRange(0, top * 1.1);
  y->applyNiceNumbers();
  auto* view = new QChartView(c);
  view->setRenderHint(QPainter::Antialiasing);
  return view;
}

QString cellText(const ChartLine& line, const GrowthRow& row) {
  const double v = line.value(row);
  if (line.money) {
    const auto man = static_cast<int64_t>(v);
    return qs(trf(u"{n}万", {{u"n", num(man)}, {u"yen", yenText(man)}}));
  }
  return QString::number(v, 'f', v == std::floor(v) ? 0 : 1);
}

// The charts' numbers as a table, week by week, for those who cannot see the lines.
QTableWidget* makeGrowthTable(const std::vector<GrowthRow>& rows, const std::vector<ChartLine>& lines) {
  auto* t = new QTableWidget(static_cast<int>(rows.size()), static_cast<int>(lines.size()) + 1);
  t->setObjectName(QStringLiteral("tblGrowth"));
  t->setAccessibleName(qtr(u"成長の表"));
  QStringList heads{qtr(u"日付")};
  for (const ChartLine& line : lines) heads << line.name;
  t->setHorizontalHeaderLabels(heads);
  t->verticalHeader()->hide();
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->setTabKeyNavigation(false);
  for (size_t i = 0; i < rows.size(); ++i) {
    const int r = static_cast<int>(i);
    t->setItem(r, 0, tableCell(dateText(rows[i].year, rows[i].month, rows[i].week)));
    for (size_t c = 0; c < lines.size(); ++c) {
      t->setItem(r, static_cast<int>(c) + 1, tableCell(cellText(lines[c], rows[i]), true));
    }
  }
  t->resizeColumnsToContents();
  return t;
}

}  // namespace

GrowthWindow::GrowthWindow(const std::u16string& catName, const std::vector<GrowthRow>& rows, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("GrowthFm"));
  setWindowTitle(qtr(u"成長グラフ"));
  setFixedSize(640, 440);
  auto* tabs = new QTabWidget(this);
  tabs->setObjectName(QStringLiteral("tabCharts"));
  tabs->setGeometry(8, 8, 624, 392);
  std::vector<ChartLine> all;
  const auto tab = [&](const QString& title, const QString& unit, const std::vector<ChartLine>& lines) {
    QChartView* view = makeChart(qs(shownName(catName)) + qtr(u"　") + title, unit, rows, lines);
    view->setAccessibleName(title);
    view->setAccessibleDescription(qtr(u"グラフの数値は「表」のタブにあります"));
    tabs->addTab(view, title);
    all.insert(all.end(), lines.begin(), lines.end());
  };
  tab(qtr(u"能力"), qtr(u"能力値"),
      {{qtr(u"スピード"), [](const GrowthRow& r) { return r.speed; }},
       {qtr(u"スタミナ"), [](const GrowthRow& r) { return r.stamina; }},
       {qtr(u"パワー"), [](const GrowthRow& r) { return r.power; }}});
  tab(qtr(u"体重"), qtr(u"体重（g）"), {{qtr(u"体重"), [](const GrowthRow& r) { return r.weight; }}});
  tab(qtr(u"体調"), qtr(u"体調"), {{qtr(u"体調"), [](const GrowthRow& r) { return r.condition; }}});
  // Until the year's end the year's prize is the whole prize: the total is drawn under it, wider.
  tab(qtr(u"賞金"), qtr(u"賞金（万円）"),
      {{qtr(u"総賞金"), [](const GrowthRow& r) { return r.totalPrize; }, 6, true},
       {qtr(u"本年度賞金"), [](const GrowthRow& r) { return r.yearPrize; }, 2, true}});
  tabs->addTab(makeGrowthTable(rows, all), qtr(u"表"));
  QPushButton* close =
      makeButton(this, qtr(u"閉じる"), {532, 408, 100, 24}, QStringLiteral("butClose"));
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  centreOn(this, parent);
}

void openFormbook(Session& se, const CatRecord& cat, QWidget* parent) {
  tellHistoryProblem(se);
  FormbookWindow w(se, cat, parent);
  se.ui.runModal(w);
}

void openGrowth(Session& se, QWidget* parent) {
  tellHistoryProblem(se);
  GameState& s = se.g.s;
  findPlayerCat(s);
  GrowthWindow w(trim(catAt(s, s.playerCat).name),
                 se.history ? se.history->growth() : std::vector<GrowthRow>{}, parent);
  se.ui.runModal(w);
}

void installHistoryCommands(QWidget* mainWindow, Session& se, QWidget* catPanel, QListWidget* list) {
  const auto playerCat = [&se]() -> const CatRecord& {
    findPlayerCat(se.g.s);
    return catAt(se.g.s, se.g.s.playerCat);
  };
  auto* formbook = new QAction(qtr(u"近走成績(&R)"), mainWindow);
  formbook->setObjectName(QStringLiteral("actFormbook"));
  formbook->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  formbook->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(formbook, &QAction::triggered, mainWindow,
                   [&se, mainWindow, playerCat] { openFormbook(se, playerCat(), mainWindow); });
  auto* growth = new QAction(qtr(u"成長グラフ(&G)"), mainWindow);
  growth->setObjectName(QStringLiteral("actGrowth"));
  growth->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  growth->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(growth, &QAction::triggered, mainWindow,
                   [&se, mainWindow] { openGrowth(se, mainWindow); });
  mainWindow->addAction(formbook);
  mainWindow->addAction(growth);
  QAction* hall = addHallCommand(mainWindow, se);
  // The cat panel (picture and details) offers both in its context menu.
  catPanel->setContextMenuPolicy(Qt::ActionsContextMenu);
  catPanel->addAction(formbook);
  catPanel->addAction(growth);
  catPanel->addAction(hall);
  // The cat lists: the formbook of the cat under the pointer, beside its career record.
  {
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(list, &QListWidget::customContextMenuRequested, list,
                     [&se, list, mainWindow](QPoint at) {
                       const int row = list->row(list->itemAt(at));
                       GameState& s = se.g.s;
                       const bool active = s.listShowsActive;
                       const int count = active ? s.catCount : s.retiredCount;
                       if (row <= 0 || row - 1 >= count) return;
                       if (list->item(row)->text().left(10).trimmed().isEmpty()) return;
                       QMenu menu(list);
                       QAction* open = menu.addAction(qtr(u"近走成績"));
                       QAction* follow = active ? menu.addAction(followCaption()) : nullptr;
                       QAction* chosen = menu.exec(list->viewport()->mapToGlobal(at));
                       const auto at_ = static_cast<size_t>(row - 1);
                       if (chosen && chosen == follow) toggleFollow(se, s.cats[at_]);
                       if (chosen != open) return;
                       openFormbook(se, active ? s.cats[at_] : s.retiredCats[at_], mainWindow);
                     });
    // The follow key on the selected cat of the active list.
    auto* key = new QShortcut(followKey(), list);
    key->setContext(Qt::WidgetShortcut);
    QObject::connect(key, &QShortcut::activated, list, [&se, list] {
      const int row = list->currentRow();
      GameState& s = se.g.s;
      if (!s.listShowsActive || row <= 0 || row - 1 >= s.catCount) return;
      if (list->item(row)->text().left(10).trimmed().isEmpty()) return;
      toggleFollow(se, s.cats[static_cast<size_t>(row - 1)]);
    });
  }
}

}  // namespace polmina
