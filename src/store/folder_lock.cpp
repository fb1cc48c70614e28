#include "store/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "store/backups.h"
#include "store/file_io.h"
#include "store/savefile.h"

namespace polmina {

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);
}

std::unique_ptr<FolderLock> FolderLock::take(const std::filesystem::path& dir, std::string_view program) {
  const std::filesystem::path file = dir / FolderLockName;
  int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  // A lock file another user made: a lock needs no right to write it.
  if (fd < 0) fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return std::unique_ptr<FolderLock>(new FolderLock(-1));
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return nullptr;
  }
  // Who holds it, for a person who finds the file.
  const std::string pid = std::to_string(::getpid()) + "\n" + std::string(program) + "\n";
  if (::ftruncate(fd, 0) == 0 && ::write(fd, pid.data(), pid.size()) < 0) errno = 0;
  tidyAfterKill(dir);
  return std::unique_ptr<FolderLock>(new FolderLock(fd));
}

std::string FolderLock::heldBy(const std::filesystem::path& dir) {
  std::vector<uint8_t> bytes;
  if (readWholeFile(dir / FolderLockName, bytes) != 0) return {};
  const std::string text(bytes.begin(), bytes.end());
  const size_t from = text.find('\n');
  if (from == std::string::npos) return {};
  return text.substr(from + 1, text.find('\n', from + 1) - from - 1);
}

// What a writer killed in the middle of a save left behind: nobody else writes while the lock is ours.
void FolderLock::tidyAfterKill(const std::filesystem::path& dir) {
  std::error_code ec;
  const auto temp = tempPathFor(savePath(dir));
  if (std::filesystem::is_regular_file(std::filesystem::symlink_status(temp, ec)))
    std::filesystem::remove(temp, ec);
  for (std::filesystem::directory_iterator it(backupFolder(dir), ec), end; !ec && it != end;
       it.increment(ec)) {
    std::error_code kind;
    if (it->path().extension() == ".tmp" && it->is_regular_file(kind))
      std::filesystem::remove(it->path(), kind);
  }
}

}  // namespace polmina
