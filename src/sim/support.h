#pragma once
// What the tool's commands share.
#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/history.h"
#include "platform/rng.h"
#include "store/folder_lock.h"
#include "world/state.h"

namespace polmina::sim {

// A formbook and the growth rows as JSON (show formbook, show growth, show career).
nlohmann::ordered_json formbookJson(const std::vector<FormbookRow>& rows);
nlohmann::ordered_json growthJson(const std::vector<GrowthRow>& rows);

// A message on standard error, in UTF-8.
void fail(std::u16string_view message);
GameRng makeRng(const std::optional<uint64_t>& seed);
// Loads the saved game of `dir` as the title window's "続きから" does; prints why when it cannot.
bool loadSaved(GameState& s, const std::string& dir);
// The history of the game in `dir`; a problem with it goes to standard error and the tool goes on.
// A command that writes has taken the folder's lock first (see lockFolder); one that only reads
// opens it to read.
std::unique_ptr<History> openHistory(const std::string& dir, HistoryAccess access = HistoryAccess::Write);
// The folder's lock for a command that writes; nothing, and the reason on standard error, while
// another program (the game, another polmina-sim) holds it.
std::unique_ptr<FolderLock> lockFolder(const std::string& dir);
// The catalog of `code` ("ja", "en") beside the program, or in the installed data folder; false when
// there is none.
bool useLanguage(const std::string& code);

}  // namespace polmina::sim
