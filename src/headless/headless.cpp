#include "headless/headless.h"

#include "race/model.h"

namespace polmina {

bool HeadlessFrontend::askYesNo(Question id, std::u16string_view title, std::u16string_view text) {
  bool answer = defaultAnswer;
  if (decide) {
    answer = decide(id);
  } else if (!script.empty()) {
    answer = script.front();
    script.pop_front();
  }
  messages.push_back({id, std::u16string(title), std::u16string(text), answer});
  return answer;
}

void HeadlessFrontend::tell(Question id, std::u16string_view title, std::u16string_view text) {
  messages.push_back({id, std::u16string(title), std::u16string(text), std::nullopt});
}

void HeadlessFrontend::watchRace(Game& g, int raceNumber) {
  // Without a screen a watched race is still run to its end, exactly as the race window would.
  if (runWatched) {
    runWatched(g, raceNumber);
  } else {
    runWatchedRace(g, raceNumber);
  }
}

}  // namespace polmina
