#include "store/file_io.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace polmina {

namespace {

// Closes the descriptor when the scope ends, unless it was closed on purpose first.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int close() {
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

ReplaceStepHook& stepHook() {
  static ReplaceStepHook hook;
  return hook;
}

// What the test hook says of the step about to be taken: 0 to go on.
int hookBefore(ReplaceStep step) { return stepHook() ? stepHook()(step) : 0; }

int errnoOr(int fallback) { return errno != 0 ? errno : fallback; }

// A file left at the temporary name by a save that was cut off is removed first (a link is removed,
// never followed) and the new one created afresh; a folder there is not ours to remove. Returns the
// descriptor, or minus an errno value.
int createTemp(const std::filesystem::path& temp) {
  std::error_code ec;
  const auto status = std::filesystem::symlink_status(temp, ec);
  if (std::filesystem::is_directory(status)) return -EISDIR;
  if (std::filesystem::is_regular_file(status) || std::filesystem::is_symlink(status))
    std::filesystem::remove(temp, ec);
  if (const int rc = hookBefore(ReplaceStep::CreateTemp); rc != 0) return -rc;
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  return fd >= 0 ? fd : -errnoOr(EIO);
}

int writeFlushed(const std::filesystem::path& temp, std::span<const uint8_t> bytes, const FileWriter& write) {
  Fd fd(createTemp(temp));
  if (fd.get() < 0) return -fd.get();
  if (const int rc = write(fd.get(), bytes); rc != 0) return rc;
  if (const int rc = hookBefore(ReplaceStep::FlushFile); rc != 0) return rc;
  if (::fsync(fd.get()) != 0) return errnoOr(EIO);
  if (const int rc = hookBefore(ReplaceStep::CloseFile); rc != 0) return rc;
  return fd.close();
}

int flushDirectory(const std::filesystem::path& dir) {
  if (const int rc = hookBefore(ReplaceStep::FlushDirectory); rc != 0) return rc;
  Fd fd(::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0) return errnoOr(EIO);
  // Some file systems cannot flush a directory; the rename is then as durable as they make it.
  if (::fsync(fd.get()) != 0 && errno != EINVAL) return errnoOr(EIO);
  return 0;
}

}  // namespace

void setReplaceStepHook(ReplaceStepHook hook) { stepHook() = std::move(hook); }

int readWholeFile(const std::filesystem::path& file, std::vector<uint8_t>& out) {
  out.clear();
  Fd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return errnoOr(EIO);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return errnoOr(EIO);
  if (S_ISDIR(st.st_mode)) return EISDIR;
  uint8_t buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errnoOr(EIO);
    if (n == 0) return 0;
    out.insert(out.end(), buf, buf + n);
  }
}

int writeAllBytes(int fd, std::span<const uint8_t> bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    if (const int rc = hookBefore(ReplaceStep::Write); rc != 0) return rc;
    const ssize_t n = ::write(fd, bytes.data() + done, std::min(WritePiece, bytes.size() - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errnoOr(EIO) : ENOSPC;
    done += static_cast<size_t>(n);
  }
  return 0;
}

std::filesystem::path tempPathFor(const std::filesystem::path& file) {
  std::filesystem::path t = file;
  t += ".tmp";
  return t;
}

int replaceFile(const std::filesystem::path& file, std::span<const uint8_t> bytes, const FileWriter& write,
                bool* replaced) {
  if (replaced) *replaced = false;
  const std::filesystem::path temp = tempPathFor(file);
  if (const int rc = writeFlushed(temp, bytes, write); rc != 0) {
    // A temporary name held by something other than a file (a folder) is not ours to remove.
    std::error_code ec;
    if (std::filesystem::is_regular_file(temp, ec)) std::filesystem::remove(temp, ec);
    return rc;
  }
  int rc = hookBefore(ReplaceStep::Rename);
  if (rc == 0 && ::rename(temp.c_str(), file.c_str()) != 0) rc = errnoOr(EIO);
  if (rc != 0) {
    std::error_code ec;
    std::filesystem::remove(temp, ec);
    return rc;
  }
  if (replaced) *replaced = true;
  return flushDirectory(file.parent_path());
}

}  // namespace polmina
