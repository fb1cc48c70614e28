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
std::unique_ptr<History> openHistory(const std::string& dir);

}  // namespace polmina::sim
