#pragma once
// The season plan on screen: 予定表 (every race to the end of next season, what 登録 would answer for
// it today, the targets) and 注目猫 (the cats the player follows, with their record against the
// player's cat).
#include <QDialog>
#include <QKeySequence>
#include <functional>
#include <vector>

#include "game/plan.h"

class QListWidget;
class QMenu;
class QPushButton;
class QTableWidget;

namespace polmina {

struct Session;

class PlanWindow : public QDialog {
  Q_OBJECT
 public:
  PlanWindow(Session& se, QWidget* parent);
  // Marks the race of row `row` as a target, or unmarks it.
  void toggleTarget(int row);
  QTableWidget* table() const { return table_; }

 private:
  void fill();
  void fillRow(int i, const PlanRow& r, const std::map<int, DistanceRecord>& record);
  Session& se_;
  SeasonPlanner& plan_;
  std::vector<PlanRow> rows_;
  QTableWidget* table_ = nullptr;
  QPushButton* target_ = nullptr;
};

class RivalsWindow : public QDialog {
  Q_OBJECT
 public:
  RivalsWindow(Session& se, QWidget* parent);
  // Stops following the cat of row `row`.
  void unfollow(int row);
  // The formbook of the cat of row `row`.
  void showFormbook(int row);
  QTableWidget* table() const { return table_; }

 private:
  void fill();
  Session& se_;
  SeasonPlanner& plan_;
  std::vector<RivalRow> rows_;
  QTableWidget* table_ = nullptr;
};

// 予定表 (Ctrl+O) and 注目猫 (Ctrl+U) on the main window, its context menu `menu` (after its first
// entry) and the cat panel's context menu.
void installPlanCommands(QWidget* mainWindow, Session& se, QWidget* catPanel, QMenu* menu);
// Follows cat `c`, or stops following it when it is followed; the player is told which.
void toggleFollow(Session& se, const CatRecord& c);
// The key that follows the cat selected in a list (Ctrl+J), and the menu entry's caption.
QKeySequence followKey();
QString followCaption();
// The active cat of that name, or -1.
int activeCatNamed(const GameState& s, std::u16string_view name);
// The active cats (not the player's) whose names appear in `texts`, in the order of the texts.
std::vector<int> activeCatsIn(const GameState& s, const std::vector<std::u16string>& texts);
// The active cats placed in the week's results panel.
std::vector<int> activeCatsInResults(const GameState& s);
// A context menu on `w` (and the follow key while it has focus) that follows or stops following
// each cat `cats` names at that moment.
void offerFollowing(QWidget* w, Session& se, std::function<std::vector<int>()> cats);

}  // namespace polmina
