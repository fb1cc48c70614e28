#include "sim/commands.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/career.h"
#include "game/newgame.h"
#include "store/data_folders.h"
#include "headless/headless.h"
#include "rank/lists.h"
#include "sim/json.h"
#include "sim/support.h"
#include "store/savefile.h"
#include "world/text.h"

namespace polmina::sim {

namespace fs = std::filesystem;

namespace {

// Where the start data is looked for: the game's folder, then the game's data folders.
std::vector<fs::path> startDataDirs(const std::string& gameDir, const std::string& argv0) {
  std::vector<fs::path> dirs{fs::path(gameDir)};
  for (fs::path& d : dataFolders(runningProgramDir(argv0))) dirs.push_back(std::move(d));
  return dirs;
}

void printRows(const std::vector<std::u16string>& rows) {
  for (const auto& row : rows) std::cout << toUtf8(row) << "\n";
}

// The career record as its message box shows it: the stored name as the title, then the text.
int printRecord(const GameState& s, bool retired, int index) {
  const int count = retired ? s.retiredCount : s.catCount;
  if (index < 0 || index >= count) {
    fail(tr(u"その番号の猫はいません。"));
    return ExitBadArgument;
  }
  const size_t at = static_cast<size_t>(index);
  const CatRecord& c = retired ? s.retiredCats[at] : s.cats[at];
  std::string text = toUtf8(careerRecordText(s, c, retired ? CareerView::Retired : CareerView::Active));
  std::erase(text, '\r');
  std::cout << toUtf8(c.name) << "\n" << text << "\n";
  return ExitOk;
}

// The folder of a new game: made when missing, and one this program may write in.
std::optional<std::u16string> unwritableFolder(const std::string& dir) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (fs::is_directory(dir) && ::access(dir.c_str(), W_OK | X_OK) == 0) return std::nullopt;
  return trf(u"フォルダ「{dir}」に書き込めないため、ゲームを作れません。", {{u"dir", fromUtf8(dir)}});
}

}  // namespace

int runNew(const NewOptions& o, const std::string& argv0) {
  if (const auto why = unwritableFolder(o.dir)) {
    fail(*why);
    return ExitNoGame;
  }
  const auto lock = lockFolder(o.dir);
  if (!lock) return ExitLocked;
  if (saveState(o.dir) != SaveState::None && !o.force) {
    fail(trf(u"フォルダ「{dir}」にはもうゲームがあります。新しいゲームで置き換えるときは --force を付けてください（今のセーブはバックアップとして残ります）。",
             {{u"dir", fromUtf8(o.dir)}}));
    return ExitGameExists;
  }
  auto state = std::make_unique<GameState>();
  GameRng rng = makeRng(o.seed);
  HeadlessFrontend ui;
  SystemClock clock;
  // The game it replaces goes to the hall when the new one begins (the history reads it from the
  // save); nothing of its weeks is removed.
  auto history = openHistory(o.dir);
  const SaveWitness witness(*history);
  Game g{*state, rng, ui, clock, history.get()};
  const NewGameChoices choices{fromUtf8(o.player), o.playerSex, fromUtf8(o.cat), o.catSex, o.trait, o.breed};
  const NewGameResult r = startNewGame(g, choices, startDataDirs(o.dir, argv0));
  if (r.kind != NewGameResult::Ok) {
    fail(r.message);
    return r.kind == NewGameResult::BadInput ? ExitBadArgument : ExitNoGame;
  }
  const StoreResult saved = saveGame(*state, o.dir);
  if (!saved.message.empty()) fail(saved.message);
  return saved ? ExitOk : ExitNoGame;
}

int runShow(const ShowOptions& o) {
  if (o.what == "careers" || o.what == "career") return showHall(o);
  if (o.what == "backups") return showBackups(o);
  if (o.what == "plan" || o.what == "rivals") return showPlan(o);
  if (o.what == "formbook" || o.what == "retired-formbook" || o.what == "growth" || o.what == "recovery")
    return showHistory(o);
  const bool isList = o.what == "list-active" || o.what == "list-retired";
  const bool isRecord = o.what == "record" || o.what == "retired-record";
  if (isList && (!o.number || *o.number < 0 || *o.number > 3)) {
    fail(tr(u"並び順 (0～3) を指定してください。"));
    return ExitBadArgument;
  }
  if (isRecord && !o.number) {
    fail(tr(u"猫の番号を指定してください。"));
    return ExitBadArgument;
  }
  if (!isList && !isRecord && o.number) {
    fail(tr(u"余分な引数があります。"));
    return ExitBadArgument;
  }
  auto state = std::make_unique<GameState>();
  if (!loadSaved(*state, o.dir)) return ExitNoGame;
  if (o.what == "state") {
    std::cout << stateJson(*state).dump() << "\n";
  } else if (o.what == "calendar") {
    std::cout << calendarJson(*state).dump() << "\n";
  } else if (o.what == "list-active") {
    printRows(listActiveCats(*state, *o.number));
  } else if (o.what == "list-retired") {
    printRows(listRetiredCats(*state, *o.number));
  } else {
    return printRecord(*state, o.what == "retired-record", *o.number);
  }
  return ExitOk;
}

}  // namespace polmina::sim
