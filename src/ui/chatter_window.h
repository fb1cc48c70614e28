#pragma once
// The cat's chatter: a small window in which the text appears ten characters a second, stays a second,
// and signals that it has said it; a click ends it at once. Whoever owns it closes it then.
#include <QDialog>
#include <QTimer>
#include <string>

#include "news/chatter.h"

class QLabel;

namespace polmina {

class CatPicture;
class QtFrontend;
class SpokenLog;
struct Game;

class ChatterWindow : public QDialog {
  Q_OBJECT
 public:
  ChatterWindow(Game& g, const ChatterTexts& texts, QWidget* parent);
  // Chooses the text (with the choice's changes to the game) and starts typing it.
  void start();
  // Types `text`, chosen earlier (the remark kept by a fast-forward), without choosing again.
  void startWith(std::u16string text);
  // One tick of the typing timer.
  void tick();
  const std::u16string& text() const { return shownText_; }
  QString shown() const;

 signals:
  // The text has been said (or the window clicked): the window may close.
  void said();

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;
  void reject() override;

 private:
  int lastTick() const;
  Game& g_;
  const ChatterTexts& texts_;
  bool said_ = false;
  void finish();
  QLabel* lab_;
  // The whole remark at once for a screen reader, while the label types it for the eye.
  SpokenLog* log_;
  QTimer msgTim_;
  std::u16string shownText_;
  int revealCount_ = 0;
};

// The chatter window at `at`, shown modally until it has said `said` (or a text chosen now) and the
// cat picture's next tick closes it, or the player closes it.
void runChatterWindow(Game& g, const ChatterTexts& texts, CatPicture& pic, QtFrontend& ui, QPoint at,
                      const std::u16string* said);

}  // namespace polmina
