#pragma once
// A frontend without a screen: questions are answered from a script (or by a default), every box is
// recorded in order, pauses return at once, and a watched race runs unseen.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/frontend.h"

namespace polmina {

struct MessageRecord {
  Question id;
  std::u16string title;
  std::u16string text;
  std::optional<bool> answer;  // set for questions
  bool beforehand = false;     // answered by the player's choice beforehand, never put
};

class HeadlessFrontend final : public Frontend {
 public:
  // Answers for the next questions, in order; once they run out, `defaultAnswer` is given.
  std::deque<bool> script;
  bool defaultAnswer = false;
  // When set, decides questions instead of the script, by the question's id.
  std::function<bool(Question)> decide;
  // How a watched race is run without a screen; by default the race model runs it without drawing.
  std::function<void(Game&, int)> runWatched;

  std::vector<MessageRecord> messages;
  double pausedSeconds = 0;

  // Called at each step of a week (the results before their ＯＫ, the awards …).
  std::function<void(Game&, WeekStep)> onWeekStep;

  bool askYesNo(Question id, std::u16string_view title, std::u16string_view text) override;
  void tell(Question id, std::u16string_view title, std::u16string_view text) override;
  void answeredBeforehand(Question id, std::u16string_view title, std::u16string_view text, bool answer) override {
    messages.push_back({id, std::u16string(title), std::u16string(text), answer, true});
  }
  void weekStep(Game& g, WeekStep step) override {
    if (onWeekStep) onWeekStep(g, step);
  }
  void watchRace(Game& g, int raceNumber) override;
  void pause(double seconds) override { pausedSeconds += seconds; }
};

}  // namespace polmina
