#pragma once
// Where the game's own data files (the start data, the catalogs, the help pages) are found, the same
// for the game and for polmina-sim: the program's folder, the installed data folder beside it
// (<prefix>/share/polmina for <prefix>/bin), then the user's and the system's data folders.
#include <filesystem>
#include <string_view>
#include <vector>

namespace polmina {

// The folder of the running program (`argv0` when the system cannot tell).
std::filesystem::path runningProgramDir(std::string_view argv0 = {});

// The data folders in the order they are searched, for a program in `programDir`.
std::vector<std::filesystem::path> dataFolders(const std::filesystem::path& programDir);

// `name` in the first folder of `dirs` that has it; empty when none does.
std::filesystem::path findDataFile(const std::vector<std::filesystem::path>& dirs, std::string_view name);

}  // namespace polmina
