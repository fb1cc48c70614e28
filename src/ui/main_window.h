#pragma once
// The window in which the game is played: the home view of the player's cat (picture, details,
// running style, date, notice line), twelve command buttons, and the panels that are moved over the
// home view: cat lists, training, booking, the week's results, the awards and the A-class champions.
#include <QWidget>
#include <array>

#include "news/chatter.h"
#include "platform/frontend.h"
#include "store/savefile.h"
#include "platform/rng.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace polmina {

class AwardsPanel;
class CatDetails;
class CatListPanel;
class CatPicture;
class ChampionsPanel;
class ChatterWindow;
class FastForward;
class HelpWindow;
class RegistrationPanel;
class ResultsPanel;
class TrainingPanel;
class WeekPanels;
class WindowManager;
struct Session;
struct GameState;

// The main window's commands, in the order of their buttons (objectName "but0" .. "but11"). A button's
// caption is only what it shows: the window acts on the command and on the panel that is open.
enum class Command {
  Champions,    // Ａ戦
  ActiveCats,   // 現役
  RetiredCats,  // 引退
  Registration, // 登録
  Training,     // 調教
  NextWeek,     // 次週
  Rest,         // 休養
  Newspaper,    // 新聞
  Help,         // ﾍﾙﾌﾟ
  Version,      // ﾊﾞｰｼﾞｮﾝ
  Pet,          // 飼猫
  Quit,         // 終了
};
inline constexpr int CommandCount = 12;

// What covers the home view, the one state the panels follow. The cat lists, training, booking and the
// champions are opened by their command and closed by it again (then captioned ＯＫ or 戻る); the
// results and the awards by the week.
enum class OpenPanel { None, ActiveCats, RetiredCats, Training, Registration, Champions, Results, Awards };

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  explicit MainWindow(WindowManager& wm);
  ~MainWindow() override;

  // What the window manager does before showing the window: the chatter texts with the current names,
  // the date, the cat panel and the lists.
  void prepare();
  // The home view from the player's cat (runs the chosen running style's click action).
  void refreshCatPanel();
  // The date above the home view.
  void setDate();
  // The cat's details as they stand, without its running style's click action.
  void showCatTexts();
  // The chatter window beside this one, shown modally until it has said its text.
  void showChatter();
  // The picture's click: the advice of the first weeks, then the chatter.
  void catClicked();
  // The chatter window with a remark chosen earlier (a fast-forward's last one).
  void sayRemark(const std::u16string& text);

  // A command, as a click on its button.
  void command(Command c);
  // The week's races have run but the week waits for its close (a fast-forward stopped by a question):
  // the results panel waits for its OK, then the week closes as after a clicked 次週.
  void closeOpenWeek();
  // The player's cat retired: the program ends.
  void gameEnded();
  // After a fast-forward that drew only some of its weeks: the home view as the game stands.
  void refreshWeekView();

  // The game's steps of a week as the windows show them (through the frontend's listener).
  void weekStep(WeekStep step);
  void beforePause();
  void beforeBox();
  // The week's results and awards panels.
  WeekPanels& weekPanels() const { return *week_; }

  bool weekRunning() const { return busy_; }
  // The cat's timers stop (a watched race runs); the command's end starts them again.
  void stopCatTimers();
  QPushButton* button(Command c) const { return but_[static_cast<int>(c)]; }
  OpenPanel openPanel() const { return panel_; }
  // 早送り: weeks by these same commands in a loop.
  FastForward& fastForward() const { return *fastForward_; }

 protected:
  void closeEvent(QCloseEvent* e) override;
  // Enter gives the open panel's ＯＫ (or the results' and awards' OK), Esc closes it (its 戻る).
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void buildHomeView();
  void buildButtons();
  QPushButton* buttonForKey(int key) const;
  void openPanelFor(Command c);
  void hookFrontend();
  void announceWeek();
  void describeNextWeek();
  void focusOpenPanel(Command c);
  void showNotice();
  void showPanel(QWidget* panel);
  void hidePanels();
  void closePanel();
  void enableCommands();
  void enableCatPanel(bool on);
  void askRest();
  void closedView();
  void homeView();
  bool drawing() const;
  void showWeekView();
  StoreResult saveBeforeQuit();
  void runChatter(const std::u16string* said);
  QPushButton*& but(Command c) { return but_[static_cast<int>(c)]; }

  WindowManager& wm_;
  Session& se_;
  GameState& s_;
  ChatterTexts chatter_;
  QLabel* labNen_ = nullptr;
  QLabel* labComment_ = nullptr;
  CatDetails* details_ = nullptr;
  std::array<QPushButton*, CommandCount> but_{};
  OpenPanel panel_ = OpenPanel::None;
  // The cat picture's idle moves only decorate: they draw from a generator of their own, so that a
  // seeded game never depends on how long the player watched the cat.
  GameRng idleRng_ = GameRng::fromClock();
  CatPicture* pic_ = nullptr;
  CatListPanel* catList_ = nullptr;
  TrainingPanel* training_ = nullptr;
  RegistrationPanel* registration_ = nullptr;
  WeekPanels* week_ = nullptr;
  ChampionsPanel* champions_ = nullptr;
  HelpWindow* help_ = nullptr;
  FastForward* fastForward_ = nullptr;
  bool busy_ = false;
  // The week's view is up (a fast-forward puts it up only for the weeks it draws).
  bool weekShown_ = false;
  bool quitting_ = false;
  bool refusingClose_ = false;
};

}  // namespace polmina
