#include "ui/history_windows.h"

#include <QAction>
#include <QChart>
#include <QChartView>
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
#include <functional>

#include "history/replay.h"
#include "ui/fonts.h"
#include "ui/qt_text.h"
#include "ui/race_window.h"
#include "ui/session.h"
#include "ui/widgets.h"
#include "ui/window_manager.h"
#include "world/text.h"

namespace polmina {

namespace {

constexpr const char16_t* kBoxTitle = u"ルネッタ";

QString dateText(int year, int month, int week) {
  return qs(num(year) + u"年" + num(month) + u"月" + num(week) + u"週");
}

// The cat the race is remembered by: its winner, or the runner-up when the cat itself won.
QString rivalText(const FormbookRow& r) {
  if (r.place == 1) return qs(u"2着 " + r.second);
  return qs(u"1着 " + r.winner);
}

QTableWidgetItem* cell(const QString& text, bool right = false) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  if (right) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

}  // namespace

FormbookWindow::FormbookWindow(Session& se, const CatRecord& cat, QWidget* parent)
    : QDialog(parent), se_(se), rows_(se.history ? se.history->formbook(cat) : std::vector<FormbookRow>{}) {
  setObjectName(QStringLiteral("FormbookFm"));
  setWindowTitle(QStringLiteral("近走成績"));
  setFixedSize(560, 330);
  makeLabel(this, qs(trim(cat.name) + u"の近走成績"), {10, 8, 540, 20}, gothic(10.5, true),
            QStringLiteral("labName"));
  table_ = new QTableWidget(static_cast<int>(rows_.size()), 7, this);
  table_->setObjectName(QStringLiteral("tblRaces"));
  table_->setAccessibleName(QStringLiteral("近走成績"));
  table_->setGeometry(10, 32, 540, 256);
  table_->setHorizontalHeaderLabels({QStringLiteral("日付"), QStringLiteral("レース"), QStringLiteral("距離"),
                                     QStringLiteral("頭数"), QStringLiteral("着順"),
                                     QStringLiteral("勝ち猫／2着"), QStringLiteral("賞金")});
  table_->verticalHeader()->hide();
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
    const FormbookRow& r = rows_[static_cast<size_t>(i)];
    table_->setItem(i, 0, cell(dateText(r.year, r.month, r.week)));
    table_->setItem(i, 1, cell(qs(trim(r.raceName))));
    table_->setItem(i, 2, cell(qs(num(r.distance) + u"m"), true));
    table_->setItem(i, 3, cell(qs(num(r.runners) + u"頭"), true));
    table_->setItem(i, 4, cell(r.place > 0 ? qs(num(r.place) + u"着") : QStringLiteral("－"), true));
    table_->setItem(i, 5, cell(rivalText(r)));
    table_->setItem(i, 6, cell(qs(num(r.prize) + u"万"), true));
  }
  table_->resizeColumnsToContents();
  table_->horizontalHeader()->setStretchLastSection(true);
  if (rows_.empty()) {
    table_->hide();
    makeLabel(this, QStringLiteral("まだレースの記録がありません"), {10, 40, 540, 20},
              QStringLiteral("labEmpty"));
  } else {
    table_->selectRow(0);
  }
  QPushButton* watch =
      makeButton(this, QStringLiteral("レースを見る"), {330, 296, 110, 24}, QStringLiteral("butReplay"));
  QPushButton* close =
      makeButton(this, QStringLiteral("閉じる"), {450, 296, 100, 24}, QStringLiteral("butClose"));
  watch->setEnabled(!rows_.empty());
  close->setDefault(true);
  connect(watch, &QPushButton::clicked, this, [this] { replayRow(table_->currentRow()); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { replayRow(row); });
  centreOn(this, parent);
}

void FormbookWindow::replayRow(int row) {
  if (row < 0 || row >= static_cast<int>(rows_.size()) || !se_.history) return;
  const auto race = se_.history->race(rows_[static_cast<size_t>(row)].raceId);
  if (!race || !race->replayable) {
    se_.ui.tell(kBoxTitle, u"このレースは記録が足りないため再生できません。");
    return;
  }
  // The race runs again in a world of its own: nothing of the game changes.
  ReplayWorld world = replayWorld(*race);
  SilentFrontend quiet;
  Game g{*world.state, world.rng, quiet, se_.g.clock};
  RaceWindow window;
  window.setWindowModality(Qt::ApplicationModal);
  setEnabled(false);
  window.runReplay(g, world.raceNumber, race->watched ? WatchedRace : UnseenRace);
  setEnabled(true);
}

namespace {

// One line of a growth chart: its name and how a week's row gives its value.
struct ChartLine {
  QString name;
  std::function<double(const GrowthRow&)> value;
};

QValueAxis* makeAxis(const QString& title) {
  auto* a = new QValueAxis;
  a->setTitleText(title);
  a->setLabelFormat(QStringLiteral("%d"));
  a->setTitleFont(gothic(9));
  a->setLabelsFont(gothic(9));
  return a;
}

// A chart of the weeks in `rows`, numbered from the first, one series a line.
QChartView* makeChart(const QString& title, const QString& unit, const std::vector<GrowthRow>& rows,
                      const std::vector<ChartLine>& lines) {
  auto* c = new QChart;
  c->setTitle(title);
  c->setTitleFont(gothic(10.5, true));
  c->legend()->setFont(gothic(9));
  const GrowthRow first = rows.empty() ? GrowthRow{} : rows.front();
  QValueAxis* x =
      makeAxis(rows.empty() ? QStringLiteral("週")
                            : dateText(first.year, first.month, first.week) + QStringLiteral("からの週"));
  QValueAxis* y = makeAxis(unit);
  c->addAxis(x, Qt::AlignBottom);
  c->addAxis(y, Qt::AlignLeft);
  double top = 1;
  for (const ChartLine& line : lines) {
    auto* s = new QLineSeries;
    s->setName(line.name);
    for (size_t i = 0; i < rows.size(); ++i) {
      const double v = line.value(rows[i]);
      s->append(static_cast<double>(i + 1), v);
      top = std::max(top, v);
    }
    c->addSeries(s);
    s->attachAxis(x);
    s->attachAxis(y);
  }
  x->setRange(1, std::max<double>(2, static_cast<double>(rows.size())));
  y->setRange(0, top * 1.1);
  y->applyNiceNumbers();
  auto* view = new QChartView(c);
  view->setRenderHint(QPainter::Antialiasing);
  return view;
}

}  // namespace

GrowthWindow::GrowthWindow(const std::u16string& catName, const std::vector<GrowthRow>& rows, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("GrowthFm"));
  setWindowTitle(QStringLiteral("成長グラフ"));
  setFixedSize(640, 440);
  auto* tabs = new QTabWidget(this);
  tabs->setObjectName(QStringLiteral("tabCharts"));
  tabs->setGeometry(8, 8, 624, 392);
  const auto tab = [&](const QString& title, const QString& unit, const std::vector<ChartLine>& lines) {
    QChartView* view = makeChart(qs(catName) + QStringLiteral("　") + title, unit, rows, lines);
    view->setAccessibleName(title);
    tabs->addTab(view, title);
  };
  tab(QStringLiteral("能力"), QStringLiteral("能力値"),
      {{QStringLiteral("スピード"), [](const GrowthRow& r) { return r.speed; }},
       {QStringLiteral("スタミナ"), [](const GrowthRow& r) { return r.stamina; }},
       {QStringLiteral("パワー"), [](const GrowthRow& r) { return r.power; }}});
  tab(QStringLiteral("体重"), QStringLiteral("体重（g）"),
      {{QStringLiteral("体重"), [](const GrowthRow& r) { return r.weight; }}});
  tab(QStringLiteral("賞金"), QStringLiteral("賞金（万円）"),
      {{QStringLiteral("総賞金"), [](const GrowthRow& r) { return r.totalPrize; }},
       {QStringLiteral("本年度賞金"), [](const GrowthRow& r) { return r.yearPrize; }}});
  QPushButton* close =
      makeButton(this, QStringLiteral("閉じる"), {532, 408, 100, 24}, QStringLiteral("butClose"));
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
  auto* formbook = new QAction(QStringLiteral("近走成績(&R)"), mainWindow);
  formbook->setObjectName(QStringLiteral("actFormbook"));
  formbook->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  formbook->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(formbook, &QAction::triggered, mainWindow,
                   [&se, mainWindow, playerCat] { openFormbook(se, playerCat(), mainWindow); });
  auto* growth = new QAction(QStringLiteral("成長グラフ(&G)"), mainWindow);
  growth->setObjectName(QStringLiteral("actGrowth"));
  growth->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  growth->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(growth, &QAction::triggered, mainWindow,
                   [&se, mainWindow] { openGrowth(se, mainWindow); });
  mainWindow->addAction(formbook);
  mainWindow->addAction(growth);
  // The cat panel (picture and details) offers both in its context menu.
  catPanel->setContextMenuPolicy(Qt::ActionsContextMenu);
  catPanel->addAction(formbook);
  catPanel->addAction(growth);
  // The cat lists: the formbook of the cat under the pointer, beside its career record.
  {
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(list, &QListWidget::customContextMenuRequested, list,
                     [&se, list, mainWindow](QPoint at) {
                       const int row = list->row(list->itemAt(at));
                       GameState& s = se.g.s;
                       const bool active = s.listShowsActive == -1;
                       const int count = active ? s.catCount : s.retiredCount;
                       if (row <= 0 || row - 1 >= count) return;
                       if (list->item(row)->text().left(10).trimmed().isEmpty()) return;
                       QMenu menu(list);
                       QAction* open = menu.addAction(QStringLiteral("近走成績"));
                       if (menu.exec(list->viewport()->mapToGlobal(at)) != open) return;
                       const auto at_ = static_cast<size_t>(row - 1);
                       openFormbook(se, active ? s.cats[at_] : s.retiredCats[at_], mainWindow);
                     });
  }
}

}  // namespace polmina
