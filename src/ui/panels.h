#pragma once
// The display panels of the main window: the cat lists, the week's results, the year's awards and the
// A-class champions. Each is a frame that the main window moves over its home view.
#include <array>

#include "ui/widgets.h"

class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

namespace polmina {

struct Game;
struct GameState;

// A thin progress bar of 200 x 7 pixels with its caption, hidden while no long work runs.
class ProgressBar {
 public:
  ProgressBar(QWidget* parent, const QString& caption, const QPoint& captionAt, const QPoint& barAt,
              const QString& name);
  void show(int value, int maximum);
  void hide();
  bool visible() const;

 private:
  QLabel* caption_;
  QFrame* track_;
  QFrame* fill_;
};

// "現役" / "引退": the sort-order box and the list; a click on a cat opens its career record.
class CatListPanel : public Panel {
  Q_OBJECT
 public:
  CatListPanel(Game& g, QWidget* parent);
  // Opens on the active cats (or the hall) in the last chosen order.
  void open(bool active);
  // The sort-order box chose order `order`.
  void sortChosen(int order);
  // Row `row` of the list was clicked.
  void rowClicked(int row);
  QListWidget* list() const { return lst0_; }

 private:
  Game& g_;
  QComboBox* cmb1_;
  QListWidget* lst0_;
};

// "レース結果": the five races of the week with their first three, the week's progress bar and OK.
class ResultsPanel : public Panel {
  Q_OBJECT
 public:
  ResultsPanel(GameState& s, QWidget* parent);
  void refresh();
  QPushButton* ok() const { return butRace_; }
  ProgressBar& bar() { return bar_; }

 private:
  QString shownLine(int k, int e) const;
  QString spoken() const;

  GameState& s_;
  std::array<std::array<QLabel*, 4>, 5> lines_{};
  QPushButton* butRace_;
  ProgressBar bar_;
};

// The year's awards, filled name by name while the year closes, and its OK.
class AwardsPanel : public Panel {
  Q_OBJECT
 public:
  AwardsPanel(GameState& s, QWidget* parent);
  void refresh();
  QPushButton* ok() const { return butNendo_; }
  ProgressBar& bar() { return bar_; }

 private:
  GameState& s_;
  std::array<QLabel*, 7> names_{};
  QPushButton* butNendo_;
  ProgressBar bar_;
};

// "本年度Aクラス優勝猫": winner and runner-up of the five A-class big races.
class ChampionsPanel : public Panel {
  Q_OBJECT
 public:
  ChampionsPanel(GameState& s, QWidget* parent);
  void refresh();

 private:
  GameState& s_;
  std::array<QLabel*, 5> winners_{};
  std::array<QLabel*, 5> runnersUp_{};
};

}  // namespace polmina
