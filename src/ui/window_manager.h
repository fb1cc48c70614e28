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

enum class GameWindow { Main, Opening, Start };

// Client sizes of the 295 x 238 windows (their frames take the rest).
inline constexpr int SmallWindowWidth = 289;
inline constexpr int SmallWindowHeight = 213;

class WindowManager {
 public:
  explicit WindowManager(Session& session);
  ~WindowManager();

  void showWindow(GameWindow w);
  MainWindow& mainWindow();
  TitleWindow& titleWindow();
  WizardWindow& wizardWindow();

  // Ends the program (tests record it instead).
  std::function<void()> quit;

  Session& session() { return session_; }

  // A watched race: the race window over the disabled main window until the race is over.
  void watchRace(Game& g, int raceNumber);

 private:
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
