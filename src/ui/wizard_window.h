#pragma once
// The new-game wizard: the player's sex and name, the cat's name, sex and character, its breed; then
// the new game starts in the main window with the cat's first words.
#include <QWidget>
#include <array>

#include "game/newgame.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace polmina {

class WindowManager;

class WizardWindow : public QWidget {
  Q_OBJECT
 public:
  explicit WizardWindow(WindowManager& wm);

  void next(int page);
  void back(int page);
  int currentPage() const { return page_; }

 protected:
  void closeEvent(QCloseEvent* e) override;
  // Enter gives the page's 次へ, Esc its 戻る.
  void keyPressEvent(QKeyEvent* e) override;
  // A click on the breeds' picture chooses the breed drawn above the option where it lands.
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void buildWelcomePage();
  void buildPlayerPage();
  void buildCatPage();
  void buildBreedPage();
  QGroupBox* makePage(int k, const QString& lead);
  void changePage(int to);
  bool acceptName(int page);
  void startGame();
  void clearBreeds();

  WindowManager& wm_;
  std::array<QGroupBox*, 4> frm_{};
  std::array<QLabel*, 4> lab_{};
  std::array<QPushButton*, 4> next_{};
  std::array<QPushButton*, 4> back_{};
  std::array<QButtonGroup*, 2> sex_{};  // the player's, the cat's
  QComboBox* trait_ = nullptr;
  std::array<QLineEdit*, 2> txt_{};
  QLabel* nameCaption_ = nullptr;
  QButtonGroup* breeds_ = nullptr;
  QLabel* breedPicture_ = nullptr;
  std::array<QRadioButton*, 11> opt_{};
  int page_ = 0;
  int pageValid_ = -1;
  NewGameChoices choices_;
};

}  // namespace polmina
