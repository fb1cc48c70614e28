#pragma once
// The title window: the picture, "最初から" (the new-game wizard) and "続きから" (the saved game).
#include <QWidget>

class QPushButton;

namespace polmina {

struct SaveCheck;

class WindowManager;

class TitleWindow : public QWidget {
  Q_OBJECT
 public:
  explicit TitleWindow(WindowManager& wm);

  void newGame();
  void resume();
  void enableButtons(bool on);

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  bool recover();
  bool offerBackup(const std::u16string& why);
  bool takeWrittenBackup(const SaveCheck& check);
  void resumeSaved();
  void enterGame();

  WindowManager& wm_;
  QPushButton* but_[2];
};

}  // namespace polmina
