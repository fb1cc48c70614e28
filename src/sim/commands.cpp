#include "sim/commands.h"

#include <filesystem>
#include <iostream>
#include <memory>

#include "game/newgame.h"
#include "game/text.h"
#include "platform/headless.h"
#include "rank/lists.h"
#include "sim/json.h"
#include "sim/support.h"
#include "store/savefile.h"

namespace polmina::sim {

namespace fs = std::filesystem;

namespace {

// Where the program's own copy of the data files lies: beside the executable.
fs::path programDir(const std::string& argv0) {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) return self.parent_path();
  return fs::absolute(fs::path(argv0)).parent_path();
}

void printRows(const std::vector<std::u16string>& rows) {
  for (const auto& row : rows) std::cout << toUtf8(row) << "\n";
}

}  // namespace

int runNew(const NewOptions& o, const std::string& argv0) {
  auto state = std::make_unique<GameState>();
  GameRng rng = makeRng(o.seed);
  HeadlessFrontend ui;
  SystemClock clock;
  Game g{*state, rng, ui, clock};
  std::error_code ec;
  fs::create_directories(o.dir, ec);
  state->appDir = fromUtf8(o.dir);
  const NewGameChoices choices{fromUtf8(o.player), o.playerSex, fromUtf8(o.cat), o.catSex, o.trait, o.breed};
  const NewGameResult r = startNewGame(g, choices, {fs::path(o.dir), programDir(argv0)});
  if (r.kind != NewGameResult::Ok) {
    fail(r.message);
    return r.kind == NewGameResult::BadInput ? ExitBadArgument : ExitNoGame;
  }
  const StoreResult saved = saveGame(*state, o.dir);
  if (!saved) {
    fail(saved.message);
    return ExitNoGame;
  }
  return ExitOk;
}

int runShow(const ShowOptions& o) {
  const bool isList = o.what == "list-active" || o.what == "list-retired";
  if (isList && o.order < 0) {
    fail(u"並び順 (0～3) を指定してください。");
    return ExitBadArgument;
  }
  if (!isList && o.order >= 0) {
    fail(u"余分な引数があります。");
    return ExitBadArgument;
  }
  auto state = std::make_unique<GameState>();
  if (!loadSaved(*state, o.dir)) return ExitNoGame;
  if (o.what == "state") {
    std::cout << stateJson(*state).dump() << "\n";
  } else if (o.what == "calendar") {
    std::cout << calendarJson(*state).dump() << "\n";
  } else if (o.what == "list-active") {
    printRows(listActiveCats(*state, o.order));
  } else {
    printRows(listRetiredCats(*state, o.order));
  }
  return ExitOk;
}

}  // namespace polmina::sim
