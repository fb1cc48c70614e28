#pragma once
// The game's questions, notices, pauses and progress bars on a real screen. Waits run a nested event
// loop with a timer, so the windows stay alive and the processor stays idle meanwhile.
#include <functional>
#include <optional>

#include "platform/frontend.h"

class QDialog;

namespace polmina {

class QtFrontend : public Frontend {
 public:
  bool askYesNo(std::u16string_view title, std::u16string_view text) override;
  void tell(std::u16string_view title, std::u16string_view text) override;
  void watchRace(Game& g, int raceNumber) override;
  void pause(double seconds) override;
  void progress(int value, int maximum) override;
  void progressDone() override;
  void refreshCatPanel(Game& g) override;

  // The windows hook in here: a pause first lets them show what the game has changed (the awards
  // appear one by one), progress moves the bar of the panel on show, a watched race opens the race
  // window (until one is set, a watched race runs unseen to its end).
  std::function<void()> beforePause;
  std::function<void(int, int)> onProgress;
  std::function<void()> onProgressDone;
  std::function<void(Game&, int)> raceWindow;
  std::function<void()> onCatPanel;
  // Before every message box and after every watched race: the windows show what the week has done so
  // far (the results panel fills race by race).
  std::function<void()> beforeBox;

  // A question the player answered beforehand (a choice of the fast-forward): when this gives an
  // answer, no box is shown (nor counted), and the question is noted as answered.
  std::function<std::optional<bool>()> answerBeforehand;

  // A fast-forward runs: the waits that only pace the display are skipped (their hooks still run).
  bool skipWaits = false;
  // Message boxes shown so far: a fast-forward stops after a week that put anything to the player.
  int boxesShown = 0;

  // Shows a dialog modally and returns when it has closed.
  virtual void runModal(QDialog& dialog);

  // Waits `seconds` while the windows go on (a nested event loop with a timer).
  virtual void wait(double seconds);

 protected:
  // A question answered beforehand, with its answer: the windows show nothing of it.
  virtual void noteAnswered(std::u16string_view /*title*/, std::u16string_view /*text*/, bool /*answer*/) {}
  // One message box, modal over the active window; true for はい.
  virtual bool showBox(std::u16string_view title, std::u16string_view text, bool question);
};

}  // namespace polmina
