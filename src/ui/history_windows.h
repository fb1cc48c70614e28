#pragma once
// The cat's history on screen: the formbook (近走成績) with its races shown again in the race window,
// and the growth charts (成長グラフ) of the player's cat.
#include <QDialog>
#include <QStringList>
#include <vector>

#include "history/history.h"

class QListWidget;
class QTableWidget;
class QTableWidgetItem;
class QWidget;

namespace polmina {

struct Session;

class FormbookWindow : public QDialog {
  Q_OBJECT
 public:
  FormbookWindow(Session& se, const CatRecord& cat, QWidget* parent);
  // Rows of a formbook already read (a career of the hall); `starts` are the races the cat ran in all.
  FormbookWindow(Session& se, const std::u16string& catName, std::vector<FormbookRow> rows, int starts,
                 QWidget* parent);
  // Shows the race of row `row` again in the race window.
  void replayRow(int row);

 private:
  Session& se_;
  std::vector<FormbookRow> rows_;
  QTableWidget* table_ = nullptr;
};

class GrowthWindow : public QDialog {
  Q_OBJECT
 public:
  GrowthWindow(const std::u16string& catName, const std::vector<GrowthRow>& rows, QWidget* parent);
};

// The list of a history window: rows chosen whole, read only, one per line of `rows`; and its cells.
QTableWidget* makeRowTable(QWidget* parent, int rows, const QStringList& headers, const QString& name,
                           const QString& accessibleName);
QTableWidgetItem* tableCell(const QString& text, bool right = false);

// The formbook of a cat (the main window's cat panel, the cat lists) and the growth charts, opened
// from context menus and keyboard shortcuts of the main window.
// `catPanel` is the main window's details panel, `catList` the cat lists' list.
void installHistoryCommands(QWidget* mainWindow, Session& se, QWidget* catPanel, QListWidget* catList);
void openFormbook(Session& se, const CatRecord& cat, QWidget* parent);
void openGrowth(Session& se, QWidget* parent);

}  // namespace polmina
