#pragma once
// Every window of the game is opened through here: each gets its fixed size and is centred on the
// screen; the main window is prepared from the game before it shows. Windows are made at their first
// opening and kept until the program ends.
#include <Qt>
#include <functional>
#include <memory>

#include "ui/session.h"

class QWidget;

namespace polmina {

class MainWindow;
class RaceWindow;
class TitleWindow;
class WizardWindow;

// The three windows of the game: the main window, the title window, the new-game wizard.
enum class GameWindow { Main, Title, Wizard };

// Client sizes of the 295 x 238 windows (their frames take the rest).
inline constexpr int SmallWindowWidth = 289;
inline constexpr int SmallWindowHeight = 213;

// Owns the windows and is the frontend's one listener: the race window watches races, the main window
// shows the week's steps.
class WindowManager : private FrontendListener {
 public:
  explicit WindowManager(Session& session);
  ~WindowManager();

  void showWindow(GameWindow w);
  MainWindow& mainWindow();
  // The main window when it has been made, else none.
  MainWindow* madeMainWindow() const { return main_.get(); }
  TitleWindow& titleWindow();
  WizardWindow& wizardWindow();

  // Ends the program (tests record it instead).
  std::function<void()> quit;

  Session& session() { return session_; }

  // A watched race: the race window over the disabled main window until the race is over.
  bool watchRace(Game& g, int raceNumber) override;

 private:
  void beforePause() override;
  void beforeBox() override;
  void progress(int value, int maximum) override;
  void progressDone() override;
  void catPanel() override;
  void weekStep(Game& g, WeekStep step) override;
  void catRemark(Game& g) override;

  Session& session_;
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<TitleWindow> title_;
  std::unique_ptr<WizardWindow> wizard_;
  std::unique_ptr<RaceWindow> race_;
};

// Moves a window so that it is centred, frame included, on the screen it is on. A window shown for
// the first time learns its frame from the window system only once it is up: it is centred again then.
void centreOnScreen(QWidget* w);
// A fixed-size top-level window: title, minimise and close buttons, no maximise button.
void makeFixedWindow(QWidget* w, Qt::WindowFlags extra = {});
// Moves a window so that it is centred on another one.
void centreOn(QWidget* w, const QWidget* over);

}  // namespace polmina
