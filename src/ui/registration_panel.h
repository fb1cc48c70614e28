#pragma once
// "レース登録": the 240 races of the year; choosing one books the player's cat after the checks.
#include "ui/widgets.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace polmina {

struct Game;

class RegistrationPanel : public Panel {
  Q_OBJECT
 public:
  RegistrationPanel(Game& g, QWidget* parent);
  // The panel opens: the list filled and scrolled towards the coming weeks, the booked race shown.
  // `nextRace` is what the details panel shows as the next race.
  void showRegistration(const QString& nextRace);
  // A row of the list was chosen (-1: none).
  void rowChosen(int row);
  void cancel();
  // A command of the main window ran: the list's next choice is the one it makes while filling, and
  // is no booking.
  void swallowNextChoice() { swallowNext_ = true; }

 signals:
  // A booking or a cancellation changed the next race; the details panel shows `caption`.
  void nextRaceChanged(const QString& caption);

 private:
  void markOpenRaces();

  Game& g_;
  QListWidget* lst1_;
  QLabel* labRace_;
  QPushButton* butCan_;
  bool swallowNext_ = false;
};

}  // namespace polmina
