#include "game/newgame.h"

#include "game/newcat.h"
#include "rank/lists.h"
#include "store/savefile.h"
#include "world/calendar.h"
#include "world/text.h"

namespace polmina {

NewGameResult startNewGame(Game& g, const NewGameChoices& c,
                           const std::vector<std::filesystem::path>& startDataDirs) {
  GameState& s = g.s;
  if (c.playerSex < 0 || c.playerSex > 1 || c.catSex < 0 || c.catSex > 1)
    return {NewGameResult::BadInput, tr(u"性別は 0 か 1 で指定してください。")};
  if (c.trait < 0 || c.trait > 5) return {NewGameResult::BadInput, tr(u"特徴は 0～5 で指定してください。")};
  if (c.breed < 0 || c.breed >= BreedCount)
    return {NewGameResult::BadInput, tr(u"猫君のタイプは 0～10 で指定してください。")};
  const NameCheck player = checkName(trim(c.playerName));
  if (!player.ok) return {NewGameResult::BadInput, player.message};
  const NameCheck cat = checkName(trim(c.catName));
  if (!cat.ok) return {NewGameResult::BadInput, cat.message};

  s.playerName = player.name;
  s.playerSex = static_cast<uint8_t>(c.playerSex);
  namePlayerCat(s, cat.name, c.catSex);
  s.cats[0].breed = static_cast<uint8_t>(c.breed);
  createPlayerCat(g, c.trait);
  const StoreResult loaded = loadStartData(s, startDataDirs);
  if (!loaded) return {NewGameResult::NoStartData, loaded.message};
  listActiveCats(s, OrderName);
  fillCalendar(s);
  s.pendingMessage = firstWords(s);
  if (g.watcher) g.watcher->startedAfresh(s);
  return {};
}

}  // namespace polmina
