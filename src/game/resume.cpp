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
  const SaveState there = saveState(dir);
  if (there == SaveState::None) return StoreResult::failure(tr(u"セーブデータが見つかりません"));
  // A file that is there but holds no game (cut short, emptied) is damaged, not missing.
  if (there == SaveState::NotAGame) return StoreResult::failure(tr(u"セーブデータが壊れているため読み込めません。"));
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

void takeUpGame(Game& g) {
  if (g.watcher) g.watcher->resumedAt(g.s);
}

void leaveGame(Game& g, bool saved) {
  if (!saved && g.watcher) g.watcher->discardUnsaved();
}

bool quitGame(Game& g, const std::function<StoreResult()>& save) {
  if (!g.ui.askYesNo(Question::QuitConfirm, u"終了", tr(u"本当に終了します？"))) return false;
  const bool saving = g.ui.askYesNo(Question::SaveOnQuit, u"終了", tr(u"ゲームをセーブしますか？"));
  if (saving) {
    const StoreResult r = save();
    // A save that went well may still have something to say (backups given up for space).
    if (!r.message.empty()) g.ui.tell(r ? Question::SaveNotice : Question::SaveFailed, u"セーブ", tr(r.message));
    if (!r && !g.ui.askYesNo(Question::QuitUnsaved, u"終了", tr(u"セーブせずに終了しますか？"))) return false;
  }
  // Weeks the player chose not to save are thrown away; a save that failed keeps them for recovery.
  leaveGame(g, saving);
  return true;
}

}  // namespace polmina
