#include "store/backups.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "store/file_io.h"
#include "store/savefile.h"

namespace polmina {

namespace fs = std::filesystem;

namespace {

// "ZedeVazO-000012.Dat": the save's own name and the backup's number, in the order they were made.
constexpr const char* kStem = "ZedeVazO-";
constexpr const char* kSuffix = ".Dat";

std::optional<long> numberOf(const fs::path& file) {
  const std::string name = file.filename().string();
  const std::string stem = kStem, suffix = kSuffix;
  if (name.size() != stem.size() + 6 + suffix.size() || name.compare(0, stem.size(), stem) != 0 ||
      name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
    return std::nullopt;
  const std::string digits = name.substr(stem.size(), 6);
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  return std::stol(digits);
}

// The backups' files, newest first.
std::vector<std::pair<long, fs::path>> backupFiles(const fs::path& dir) {
  std::vector<std::pair<long, fs::path>> out;
  std::error_code ec;
  for (fs::directory_iterator it(backupFolder(dir), ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code kind;
    if (!it->is_regular_file(kind)) continue;
    if (const auto n = numberOf(it->path())) out.emplace_back(*n, it->path());
  }
  std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  return out;
}

fs::path nameFor(const fs::path& dir, long n) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%s%06ld%s", kStem, n % 1000000, kSuffix);
  return backupFolder(dir) / buf;
}

bool sameBytes(const fs::path& file, const std::vector<uint8_t>& bytes) {
  std::error_code ec;
  if (fs::file_size(file, ec) != bytes.size() || ec) return false;
  std::vector<uint8_t> there;
  return readWholeFile(file, there) == 0 && there == bytes;
}

}  // namespace

fs::path backupFolder(const fs::path& dir) { return dir / BackupFolderName; }

std::vector<BackupInfo> listBackups(const fs::path& dir) {
  std::vector<BackupInfo> out;
  for (const auto& [number, file] : backupFiles(dir)) {
    BackupInfo b;
    b.n = static_cast<int>(out.size()) + 1;
    b.file = file;
    std::vector<uint8_t> bytes;
    if (readWholeFile(file, bytes) == 0) {
      b.bytes = bytes.size();
      auto s = std::make_unique<GameState>();
      if (loadGameBytes(*s, std::move(bytes))) {
        b.loads = true;
        b.year = s->year;
        b.month = s->month;
        b.week = s->week;
      }
    }
    out.push_back(std::move(b));
  }
  return out;
}

std::optional<BackupInfo> newestLoadableBackup(const fs::path& dir) {
  for (BackupInfo& b : listBackups(dir))
    if (b.loads) return std::move(b);
  return std::nullopt;
}

fs::path backUpSave(const fs::path& dir, const std::vector<uint8_t>& current) {
  std::error_code ec;
  fs::create_directories(backupFolder(dir), ec);
  const auto files = backupFiles(dir);
  if (!files.empty() && sameBytes(files.front().second, current)) return {};
  const fs::path to = nameFor(dir, files.empty() ? 1 : files.front().first + 1);
  fs::remove(to, ec);  // a number that came round again
  if (::link(savePath(dir).c_str(), to.c_str()) == 0) return to;
  if (replaceFile(to, current) == 0) return to;
  return {};
}

int pruneBackups(const fs::path& dir, int keep) {
  int kept = 0, gone = 0;
  std::vector<uint8_t> newer;
  for (const auto& [number, file] : backupFiles(dir)) {
    std::vector<uint8_t> bytes;
    const bool read = readWholeFile(file, bytes) == 0;
    const bool twin = read && kept > 0 && bytes == newer;
    if (!twin && kept < keep) {
      ++kept;
      newer = std::move(bytes);
      continue;
    }
    std::error_code ec;
    fs::remove(file, ec);
    if (!twin) ++gone;
  }
  return gone;
}

}  // namespace polmina
