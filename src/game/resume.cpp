#include "game/resume.h"

#include "game/commands.h"
#include "world/text.h"

namespace polmina {

namespace {

void welcomeBack(GameState& s) {
  updateConditionLevel(s);
  CatRecord& cat = catAt(s, s.playerCat);
  cat.trainSpeed1 = cat.trainStamina1 = cat.trainPower1 = 0;
  cat.trainSpeed2 = cat.trainStamina2 = cat.trainPower2 = 0;
  s.pendingMessage = tr(WelcomeBack);
  applySavedCaptions(s);
}

}  // namespace

StoreResult resumeSavedGame(GameState& s, const std::filesystem::path& dir) {
  const SaveState there = saveState(dir);
  if (there == SaveState::None) return StoreResult::failure(tr(u"セーブデータが見つかりません"));
  // A file that is there but holds no game (cut short, emptied) is damaged, not missing.
  if (there == SaveState::NotAGame) return StoreResult::failure(tr(u"セーブデータが壊れているため読み込めません。"));
  const StoreResult r = loadGame(s, dir);
  if (r) welcomeBack(s);
  return r;
}

StoreResult resumeSavedBytes(GameState& s, std::vector<uint8_t> bytes) {
  const StoreResult r = loadGameBytes(s, std::move(bytes));
  if (r) welcomeBack(s);
  return r;
}

}  // namespace polmina
