#pragma once
// Whether the save file is one the game wrote: the history keeps the checksum of every save written.
// A save that matches none was changed afterwards (damaged on the disk, or copied in by hand).
#include <filesystem>
#include <optional>
#include <string>

#include "history/history.h"
#include "store/backups.h"

namespace polmina {

struct SaveCheck {
  bool changed = false;              // the game never wrote these bytes
  std::optional<BackupInfo> backup;  // then the newest backup it did write, when there is one
};

// Nothing is changed when there is no history, or the history has never seen a save (an older
// version's folder).
SaveCheck checkSaveFile(History& h, const std::filesystem::path& dir);

// The question of "続きから" for a changed save: the backup (yes) or the save as it is (no); without a
// backup, whether to load the save as it is.
std::u16string changedSaveQuestion(const SaveCheck& c);

}  // namespace polmina
