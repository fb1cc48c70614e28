#include "sim/support.h"

#include "store/data_folders.h"

#include <filesystem>
#include <iostream>
#include <string>

#include "game/resume.h"
#include "store/data_folders.h"
#include "world/text.h"

namespace polmina::sim {

// One message, its lines ending as a terminal's lines do, and the last line ended too.
void fail(std::u16string_view message) {
  std::string text = toUtf8(message);
  std::erase(text, '\r');
  while (!text.empty() && text.back() == '\n') text.pop_back();
  std::cerr << text << "\n";
}

GameRng makeRng(const std::optional<uint64_t>& seed) {
  return seed ? GameRng::fixed(*seed) : GameRng::fromClock();
}

bool loadSaved(GameState& s, const std::string& dir) {
  const StoreResult r = resumeSavedGame(s, dir);
  if (!r) fail(r.message + u" (" + fromUtf8(dir) + u")");
  return r.ok;
}

std::unique_ptr<History> openHistory(const std::string& dir, HistoryAccess access) {
  auto h = std::make_unique<History>(dir, access);
  if (auto problem = h->takeProblem()) fail(*problem);
  return h;
}

std::unique_ptr<FolderLock> lockFolder(const std::string& dir) {
  auto lock = FolderLock::take(dir, "polmina-sim");
  if (!lock)
    fail(trf(u"フォルダ「{dir}」はほかのプログラム（ゲームか polmina-sim）が使っているため、書き込めません。終わってからもう一度試してください。",
             {{u"dir", fromUtf8(dir)}}));
  return lock;
}

bool useLanguage(const std::string& code) {
  Language l = Language::Japanese;
  if (!languageFromCode(fromUtf8(code), l)) return false;
  if (l == Language::Japanese) return true;
  const std::filesystem::path file = findDataFile(dataFolders(runningProgramDir()), catalogFileName(l));
  return !file.empty() && loadCatalog(file);
}

}  // namespace polmina::sim
