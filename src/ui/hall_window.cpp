#include "ui/hall_window.h"

#include <QAction>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include "game/hall.h"
#include "ui/accessible.h"
#include "ui/fonts.h"
#include "ui/history_windows.h"
#include "ui/qt_text.h"
#include "ui/session.h"
#include "ui/widgets.h"
#include "ui/window_manager.h"
#include "world/labels.h"
#include "world/romaji.h"
#include "world/text.h"

namespace polmina {

namespace {

QString yearsText(const Career& c) {
  if (c.fromYear == c.toYear) return qs(trf(u"{year}年", {{u"year", num(c.fromYear)}}));
  return qs(trf(u"{from}～{to}年", {{u"from", num(c.fromYear)}, {u"to", num(c.toYear)}}));
}

}  // namespace

HallWindow::HallWindow(Session& se, QWidget* parent)
    : QDialog(parent), se_(se), careers_(se.history ? se.history->careers() : std::vector<Career>{}) {
  setObjectName(QStringLiteral("HallFm"));
  setWindowTitle(qtr(u"殿堂"));
  setFixedSize(560, 330);
  makeLabel(this, qtr(u"殿堂　これまでの猫たち"), {10, 8, 540, 20}, gothic(10.5, true),
            QStringLiteral("labTitle"));
  table_ = makeRowTable(
      this, static_cast<int>(careers_.size()),
      {qtr(u"猫"), qtr(u"飼い主"), qtr(u"年"), qtr(u"戦績"), qtr(u"賞金"), qtr(u"称号"), qtr(u"区分")},
      QStringLiteral("tblCareers"), qtr(u"殿堂"));
  for (int i = 0; i < static_cast<int>(careers_.size()); ++i) {
    const Career& c = careers_[static_cast<size_t>(i)];
    table_->setItem(i, 0, tableCell(qs(shownName(c.cat))));
    table_->setItem(i, 1, tableCell(qs(shownName(c.player))));
    table_->setItem(i, 2, tableCell(yearsText(c)));
    table_->setItem(i, 3, tableCell(qs(recordCounts(c.cat.starts, c.cat.wins)), true));
    table_->setItem(
        i, 4,
        tableCell(qs(trf(u"{n}万", {{u"n", num(c.cat.totalPrize)}, {u"yen", yenText(c.cat.totalPrize)}})),
                  true));
    table_->setItem(i, 5, tableCell(qs(trim(polmina::tr(careerTitle(c))))));
    table_->setItem(i, 6, tableCell(qs(polmina::tr(c.ended))));
  }
  table_->resizeColumnsToContents();
  table_->horizontalHeader()->setStretchLastSection(true);
  const QString empty =
      qtr(u"まだ殿堂入りした猫はいません（引退した猫と、最初からやり直す前の猫がここに残ります）");
  if (careers_.empty()) {
    table_->hide();
    makeLabel(this, empty, {10, 40, 540, 40}, QStringLiteral("labEmpty"))->setWordWrap(true);
  } else {
    table_->selectRow(0);
  }
  const auto button = [&](const QString& text, int x, const QString& name, void (HallWindow::*open)(int)) {
    QPushButton* b = makeButton(this, text, {x, 296, 100, 24}, name);
    b->setEnabled(!careers_.empty());
    connect(b, &QPushButton::clicked, this, [this, open] { (this->*open)(table_->currentRow()); });
    clickOnEnter(b);
    return b;
  };
  button(qtr(u"成績"), 10, QStringLiteral("butRecord"), &HallWindow::showRecord);
  button(qtr(u"近走成績"), 120, QStringLiteral("butFormbook"), &HallWindow::showFormbook);
  button(qtr(u"成長グラフ"), 230, QStringLiteral("butGrowth"), &HallWindow::showGrowth);
  QPushButton* close = makeButton(this, qtr(u"閉じる"), {450, 296, 100, 24}, QStringLiteral("butClose"));
  close->setDefault(true);
  // With nothing to choose the focus rests on 閉じる, which says why.
  if (careers_.empty()) describe(close, empty);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { showRecord(row); });
  // Tab leaves the table for the buttons; Enter on a row opens its career, as a double click does.
  table_->setTabKeyNavigation(false);
  onEnter(table_, [this] { showRecord(table_->currentRow()); });
  centreOn(this, parent);
}

const Career* HallWindow::at(int row) const {
  if (row < 0 || row >= static_cast<int>(careers_.size())) return nullptr;
  return &careers_[static_cast<size_t>(row)];
}

void HallWindow::showRecord(int row) {
  if (const Career* c = at(row)) se_.ui.tell(Question::CareerRecord, shownName(c->cat), careerText(*c));
}

void HallWindow::showFormbook(int row) {
  const Career* c = at(row);
  if (!c || !se_.history) return;
  FormbookWindow w(se_, trim(c->cat.name), se_.history->careerFormbook(c->id), c->cat.starts, this);
  se_.ui.runModal(w);
}

void HallWindow::showGrowth(int row) {
  const Career* c = at(row);
  if (!c || !se_.history) return;
  GrowthWindow w(trim(c->cat.name), se_.history->careerGrowth(c->id), this);
  se_.ui.runModal(w);
}

void openHall(Session& se, QWidget* parent) {
  tellHistoryProblem(se);
  HallWindow w(se, parent);
  se.ui.runModal(w);
}

QAction* addHallCommand(QWidget* window, Session& se) {
  auto* hall = new QAction(qtr(u"殿堂(&E)"), window);
  hall->setObjectName(QStringLiteral("actHall"));
  hall->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  hall->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(hall, &QAction::triggered, window, [&se, window] { openHall(se, window); });
  window->addAction(hall);
  return hall;
}

}  // namespace polmina
