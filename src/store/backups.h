#pragma once
// The save's backups: the five saves before the current one, kept in a folder of their own beside the
// save file ("polmina-backups"), numbered in the order they were made.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace polmina {

inline constexpr const char* BackupFolderName = "polmina-backups";
inline constexpr int KeptBackups = 5;

struct BackupInfo {
  int n = 0;  // 1 the newest
  std::filesystem::path file;
  bool loads = false;                 // holds a game that loads
  int year = 0, month = 0, week = 0;  // the saved week, when it loads
  uintmax_t bytes = 0;
};

std::filesystem::path backupFolder(const std::filesystem::path& dir);

// The backups of the save in `dir`, newest first.
std::vector<BackupInfo> listBackups(const std::filesystem::path& dir);
// The newest backup that loads.
std::optional<BackupInfo> newestLoadableBackup(const std::filesystem::path& dir);

// The save file as it is (its bytes are `current`) becomes the newest backup: a second name for the
// same file where the file system allows it (nothing to copy, nothing half written), else a copy
// written as crash-safely as the save. Returns the backup, or an empty path when none was made: none
// could be, or the newest backup already holds these bytes (a save cut off before it took the file's
// place made it); the save goes on either way.
std::filesystem::path backUpSave(const std::filesystem::path& dir, const std::vector<uint8_t>& current);
// Leaves the newest `keep` backups, a backup that holds the same bytes as the next newer one not
// counted (and gone). Returns how many of the `keep` newest distinct ones went.
int pruneBackups(const std::filesystem::path& dir, int keep = KeptBackups);

}  // namespace polmina
