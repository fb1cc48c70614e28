#pragma once
// Going on from the history's last closed week when the last run of the game ended without saving.
#include <filesystem>
#include <optional>

#include "history/history.h"
#include "store/savefile.h"

namespace polmina {

// The history's last closed week, when it is newer than the save in `dir` (any week is, when there
// is no save that loads).
std::optional<RecoveryPoint> recoveryOffer(History& h, const std::filesystem::path& dir);

// Writes the save of `dir` from the recovery point, as the save flow would have written it at that
// week (crash-safe, as every save).
StoreResult saveRecovered(const RecoveryPoint& point, const std::filesystem::path& dir);

// The question of the title window's "続きから" when a recovery is offered: after a run that ended
// without saving, or (`saveLoads` false) when there is a save that cannot be read.
std::u16string recoveryQuestion(const RecoveryPoint& point, bool saveLoads = true);

}  // namespace polmina
