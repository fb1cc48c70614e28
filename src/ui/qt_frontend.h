#pragma once
// The game's questions, notices, pauses and progress bars on a real screen. Waits run a nested event
// loop with a timer, so the windows stay alive and the processor stays idle meanwhile.
#include "platform/frontend.h"

class QDialog;

namespace polmina {

// What the windows do when the game asks the screen for something: one listener, set by the window
// manager. Every hook does nothing until a window takes it.
class FrontendListener {
 public:
  virtual ~FrontendListener() = default;
  // A pause: the windows first show what the game has changed (the awards appear one by one).
  virtual void beforePause() {}
  // Before every message box and after every watched race: the windows show what the week has done
  // so far (the results panel fills race by race).
  virtual void beforeBox() {}
  // The progress bar of the panel on show.
  virtual void progress(int /*value*/, int /*maximum*/) {}
  virtual void progressDone() {}
  // The home view shows the player's cat again.
  virtual void catPanel() {}
  // A watched race in the race window; false when there is no window for it (it then runs unseen).
  virtual bool watchRace(Game& /*g*/, int /*raceNumber*/) { return false; }
  // A step of the week (Frontend::weekStep).
  virtual void weekStep(Game& /*g*/, WeekStep /*step*/) {}
  // The cat's remark after the week.
  virtual void catRemark(Game& /*g*/) {}
};

class QtFrontend : public Frontend {
 public:
  bool askYesNo(Question id, std::u16string_view title, std::u16string_view text) override;
  void tell(Question id, std::u16string_view title, std::u16string_view text) override;
  void watchRace(Game& g, int raceNumber) override;
  void pause(double seconds) override;
  void progress(int value, int maximum) override;
  void progressDone() override;
  void refreshCatPanel(Game& g) override;
  void weekStep(Game& g, WeekStep step) override;
  void catRemark(Game& g) override;
  bool takeAsked() override;

  // The windows' side of the frontend (none: nothing is shown but the boxes).
  void setListener(FrontendListener* listener);

  // A fast-forward runs: the waits that only pace the display are skipped (their hooks still run).
  void setFastForward(bool on) { fast_ = on; }
  bool fastForwarding() const { return fast_; }
  // The windows waited for the player's ＯＫ: a fast-forward stops after such a week.
  void noteAsked() { asked_ = true; }

  // Shows a dialog modally and returns when it has closed.
  virtual void runModal(QDialog& dialog);

  // Waits `seconds` while the windows go on (a nested event loop with a timer).
  virtual void wait(double seconds);

 protected:
  // One message box, modal over the active window; true for はい.
  virtual bool showBox(Question id, std::u16string_view title, std::u16string_view text, bool question);

 private:
  FrontendListener none_;
  FrontendListener* listener_ = &none_;
  bool fast_ = false;
  bool asked_ = false;
};

}  // namespace polmina
