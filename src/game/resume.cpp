#include "game/resume.h"

#include "game/commands.h"
#include "world/calendar.h"
#include "world/labels.h"
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
  if (!hasSaveGame(dir)) return StoreResult::failure(tr(u"セーブデータが見つかりません"));
  const StoreResult r = loadGame(s, dir);
  if (r) welcomeBack(s);
  return r;
}

void recallOverwrittenWinner(GameState& s, History* history) {
  std::u16string& caption = s.winnerCaptions[4];
  if (caption != UnrecordedCaption || !history) return;
  if (auto name = history->winnerOf(s.year, ChampionSlots[4]))
    caption = u"1着 " + padRight(*name, CatNameLength);
}

StoreResult resumeSavedBytes(GameState& s, std::vector<uint8_t> bytes) {
  const StoreResult r = loadGameBytes(s, std::move(bytes));
  if (r) welcomeBack(s);
  return r;
}

}  // namespace polmina
