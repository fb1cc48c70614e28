#pragma once
// The game state as JSON for scripts: field names are those of the cat record.
#include <nlohmann/json.hpp>

#include "world/state.h"

namespace polmina::sim {

nlohmann::ordered_json catJson(const CatRecord& c);
nlohmann::ordered_json stateJson(const GameState& s);
nlohmann::ordered_json calendarJson(const GameState& s);

}  // namespace polmina::sim
