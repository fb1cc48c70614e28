#pragma once
// Setting up a new game, as the wizard's confirmation does: the player's cat, the computer cats from
// the start data, the lists and the calendar.
#include <filesystem>
#include <string>
#include <vector>

#include "world/game.h"

namespace polmina {

struct NewGameChoices {
  std::u16string playerName;  // as typed
  int playerSex = 0;          // 0 male, 1 female
  std::u16string catName;     // as typed
  int catSex = 0;             // 0 male, 1 female
  int trait = 0;              // index in the character list, "スピード" … "分らない"
  int breed = 0;              // 0..10
};

struct NewGameResult {
  enum Kind { Ok, BadInput, NoStartData } kind = Ok;
  std::u16string message;
};

// Checks the names, builds the player's cat, loads the start data from the first of `startDataDirs`
// that holds it, sorts the active list by name and fills the calendar; the watcher (the history) is
// told the new game has begun. On failure `g.s` may hold a
// half-built game: callers set up new games on a fresh state.
NewGameResult startNewGame(Game& g, const NewGameChoices& choices,
                           const std::vector<std::filesystem::path>& startDataDirs);

}  // namespace polmina
