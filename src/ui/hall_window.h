#pragma once
// The hall of fame (殿堂): every career the player finished or left for a new game, newest first; each
// opens its career record, its formbook (with its races shown again) and its growth charts.
#include <QDialog>
#include <vector>

#include "history/history.h"

class QTableWidget;
class QWidget;

namespace polmina {

struct Session;

class HallWindow : public QDialog {
  Q_OBJECT
 public:
  HallWindow(Session& se, QWidget* parent);
  // The career of row `row`: its record (as the farewell showed it), formbook and growth charts.
  void showRecord(int row);
  void showFormbook(int row);
  void showGrowth(int row);

 private:
  const Career* at(int row) const;

  Session& se_;
  std::vector<Career> careers_;
  QTableWidget* table_ = nullptr;
};

// The hall, from a context menu or its key (Ctrl+E) of the title window and the main window.
void openHall(Session& se, QWidget* parent);
// The window's action "殿堂(&E)" with its key; context menus built on the window offer it.
QAction* addHallCommand(QWidget* window, Session& se);

}  // namespace polmina
