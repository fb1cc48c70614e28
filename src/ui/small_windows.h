#pragma once
// The small windows of the main window: the version window, the saving window, the newspaper.
#include <QDialog>
#include <filesystem>

#include "store/savefile.h"

class QLabel;
class QTextBrowser;

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
  QLabel* label_ = nullptr;
  StoreResult result_ = StoreResult::failure(N_(u"セーブされませんでした。"));
};

// The help page in the game's own window: links inside the page lead on within it, links to the web
// go to the browser. Kept once opened.
class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* mainWindow);
  // Shows `page`; false when it cannot be read.
  bool open(const std::filesystem::path& page);
  QTextBrowser* browser() const { return browser_; }
  // 閉じる or Esc: the window goes and the main window takes the keys again.
  void closeAndGiveBack();

 private:
  QTextBrowser* browser_;
};

// "新聞": this week's topic in the main window's place, or the box that there is none.
void showNewspaper(Session& se, QWidget* mainWindow);
// ﾍﾙﾌﾟ: the help page in the game's language in `help` (made over `over` at its first use), or the
// notice that it cannot be opened.
void openHelp(Session& se, QWidget* over, HelpWindow*& help);

}  // namespace polmina
