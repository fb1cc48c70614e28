#pragma once
// The home view's two frames about the player's cat: 詳細 (its title, name, age and weight, sex and
// growth, record, prize, class and next race) and 次レース作戦 (its running style, four options).
#include <QObject>
#include <QStringList>
#include <array>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace polmina {

struct Game;

class CatDetails : public QObject {
  Q_OBJECT
 public:
  // Both frames are made on `window` at their places of the home view.
  CatDetails(Game& g, QWidget* window);

  // The texts from the player's cat, without touching the running style.
  void showTexts();
  // The texts, and the cat's own running style set anew (which runs its click action: a coin).
  void refresh();
  void setNextRace(const QString& caption);
  QString nextRace() const;
  // The running style's options, in their order.
  const std::array<QRadioButton*, 4>& options() const { return opt_; }
  // What the frames say, for the ear: the title, each detail with its caption, the running style.
  QStringList spoken() const;
  // Both frames usable (the home view) or not (a panel covers it).
  void setEnabled(bool on);
  QGroupBox* details() const { return frm0_; }

 signals:
  // A detail was clicked: the cat's career record.
  void recordAsked();
  // The player chose a running style.
  void styleChosen();

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void buildDetails(QWidget* window);
  void buildStyleOptions(QWidget* window);

  Game& g_;
  QGroupBox* frm0_ = nullptr;
  QGroupBox* frm4_ = nullptr;
  QLabel* labSyogo_ = nullptr;
  // The values in the order of their rows: name, age and weight, sex and growth, record, prize, class,
  // next race.
  std::array<QLabel*, 7> values_{};
  // The money, filled but never seen.
  QLabel* money_ = nullptr;
  std::array<QRadioButton*, 4> opt_{};
  QButtonGroup* styles_ = nullptr;
};

}  // namespace polmina
