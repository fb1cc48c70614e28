#pragma once
// What the game asks of a screen. The windows implement it with real message boxes; the headless
// frontend answers from a script and records every question.
#include <string>
#include <string_view>

namespace polmina {

struct Game;

class Frontend {
 public:
  virtual ~Frontend() = default;
  // A modal Yes/No question; true for Yes.
  virtual bool askYesNo(std::u16string_view title, std::u16string_view text) = 0;
  // A notice with one OK button.
  virtual void tell(std::u16string_view title, std::u16string_view text) = 0;
  // Shows race `raceNumber` of the week being run; returns when the watched race is over.
  virtual void watchRace(Game& g, int raceNumber) = 0;
  // Waits, keeping the windows alive.
  virtual void pause(double seconds) = 0;
  // The progress bar of long work (the year end): `value` of `maximum`; hidden again by progressDone.
  virtual void progress(int /*value*/, int /*maximum*/) {}
  virtual void progressDone() {}
  // The week has moved on: the home view shows the player's cat again (its running style option is
  // set anew, which draws that option's coin).
  virtual void refreshCatPanel(Game& /*g*/) {}
};

}  // namespace polmina
