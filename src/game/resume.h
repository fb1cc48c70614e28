#pragma once
// Taking up the saved game, as the title window's "続きから" does once the player has said yes.
#include <filesystem>
#include <functional>

#include "history/history.h"
#include "store/savefile.h"
#include "world/game.h"

namespace polmina {

// Loads the save file of `dir` into `s` (untouched on failure), then: the condition level from the
// player's cat, its six training levels cleared, the welcome-back remark, the champions' captions.
// A missing save gives the title window's "セーブデータが見つかりません".
StoreResult resumeSavedGame(GameState& s, const std::filesystem::path& dir);
// The same from the bytes of a save (the history's last closed week).
StoreResult resumeSavedBytes(GameState& s, std::vector<uint8_t> bytes);
// The loaded game is taken up: the watcher (the history) leaves behind the weeks after it.
void takeUpGame(Game& g);
// The player ends the game, `saved` or not; the weeks since the save are thrown away unless it was.
void leaveGame(Game& g, bool saved);
// "終了": asks whether to end and whether to save; `save` writes the save. A save that failed is told
// and the player asked whether to end without it. True when the game ends (leaveGame done).
bool quitGame(Game& g, const std::function<StoreResult()>& save);

// Once the history has the resumed game: the fifth big race's winner, which the save cannot hold (its
// record is written over by the first runner-up's), from the history's record of that race.
void recallOverwrittenWinner(GameState& s, History* history);

inline constexpr const char16_t* WelcomeBack = N_(u"お帰りニャ、調教を設定しなおしてくれニャ");

}  // namespace polmina
