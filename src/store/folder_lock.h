#pragma once
// One program at a time writes a save folder: the game and every command of polmina-sim that writes
// take the lock file "polmina.lock" in the folder for as long as they run. The system lets it go when
// the program ends, however it ends, so a crash never leaves the folder locked.
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "world/i18n.h"

namespace polmina {

inline constexpr const char* FolderLockName = "polmina.lock";
// What the game says when another program holds its folder and no running game answers.
inline constexpr const char16_t* FolderInUse =
    N_(u"このゲームのフォルダはほかのプログラム（polmina-sim など）が使っています。そちらが終わってからもう一度始めてください。");

class FolderLock {
 public:
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // The lock of `dir`, or nothing when another program holds it. A folder where the lock file cannot
  // be made (read-only, missing) cannot be written by anyone: it gives a lock that holds nothing, and
  // the writes themselves say what is wrong.
  // `program` names the holder in the file ("polmina", "polmina-sim"), for heldBy.
  static std::unique_ptr<FolderLock> take(const std::filesystem::path& dir, std::string_view program);
  // The program that holds (or last held) the lock of `dir`, as it named itself.
  static std::string heldBy(const std::filesystem::path& dir);

 private:
  explicit FolderLock(int fd) : fd_(fd) {}
  static void tidyAfterKill(const std::filesystem::path& dir);
  int fd_;
};

}  // namespace polmina
