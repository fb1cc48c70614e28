#pragma once
// The small windows of the main window: the version window, the saving window, the newspaper.
#include <QDialog>
#include <filesystem>

#include "store/savefile.h"

namespace polmina {

class QtFrontend;
struct Session;

// "ﾊﾞｰｼﾞｮﾝ情報": the picture, the version line and the credits; "OK" closes it.
class VersionWindow : public QDialog {
  Q_OBJECT
 public:
  explicit VersionWindow(QWidget* mainWindow);
};

// "セーブ": saves the game at its first timer tick, stays a second, and closes.
class SaveWindow : public QDialog {
  Q_OBJECT
 public:
  SaveWindow(const GameState& s, std::filesystem::path dir, QtFrontend& ui, QWidget* mainWindow);
  const StoreResult& result() const { return result_; }

 protected:
  // The saving window cannot be sent away; it closes itself once the save is done.
  void reject() override;

 private:
  void save();

  const GameState& s_;
  std::filesystem::path dir_;
  QtFrontend& ui_;
  StoreResult result_ = StoreResult::failure(u"セーブされませんでした。");
};

// "新聞": this week's topic in the main window's place, or the box that there is none.
void showNewspaper(Session& se, QWidget* mainWindow);

}  // namespace polmina
