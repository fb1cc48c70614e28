#pragma once
// Taking up the saved game, as the title window's "続きから" does once the player has said yes.
#include <filesystem>

#include "history/history.h"
#include "store/savefile.h"
#include "world/state.h"

namespace polmina {

// Loads the save file of `dir` into `s` (untouched on failure), then: the condition level from the
// player's cat, its six training levels cleared, the welcome-back remark, the champions' captions.
// A missing save gives the title window's "セーブデータが見つかりません".
StoreResult resumeSavedGame(GameState& s, const std::filesystem::path& dir);
// The same from the bytes of a save (the history's last closed week).
StoreResult resumeSavedBytes(GameState& s, std::vector<uint8_t> bytes);

// Once the history has the resumed game: the fifth big race's winner, which the save cannot hold (its
// record is written over by the first runner-up's), from the history's record of that race.
void recallOverwrittenWinner(GameState& s, History* history);

inline constexpr const char16_t* WelcomeBack = N_(u"お帰りニャ、調教を設定しなおしてくれニャ");

}  // namespace polmina
