#include "store/data_folders.h"

#include <cstdlib>
#include <string>

namespace polmina {

namespace fs = std::filesystem;

namespace {

std::string environment(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

}  // namespace

fs::path runningProgramDir(std::string_view argv0) {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) return self.parent_path();
  return fs::absolute(fs::path(argv0), ec).parent_path();
}

std::vector<fs::path> dataFolders(const fs::path& programDir) {
  std::vector<fs::path> dirs{programDir, programDir.parent_path() / "share" / "polmina"};
  const std::string dataHome = environment("XDG_DATA_HOME");
  const std::string home = environment("HOME");
  if (!dataHome.empty())
    dirs.push_back(fs::path(dataHome) / "polmina");
  else if (!home.empty())
    dirs.push_back(fs::path(home) / ".local" / "share" / "polmina");
  std::string list = environment("XDG_DATA_DIRS");
  if (list.empty()) list = "/usr/local/share:/usr/share";
  for (size_t from = 0; from <= list.size();) {
    const size_t to = std::min(list.find(':', from), list.size());
    if (to > from) dirs.push_back(fs::path(list.substr(from, to - from)) / "polmina");
    from = to + 1;
  }
  return dirs;
}

fs::path findDataFile(const std::vector<fs::path>& dirs, std::string_view name) {
  for (const fs::path& dir : dirs) {
    std::error_code ec;
    if (fs::is_regular_file(dir / name, ec)) return dir / name;
  }
  return {};
}

}  // namespace polmina
