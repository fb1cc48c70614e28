// The game's folders when their names hold Japanese characters and spaces: the program folder is used
// for the save when it is writable, and the start data lying beside the program is found there.
#include <gtest/gtest.h>

#include <random>

#include "store/savefile.h"
#include "ui/session.h"

namespace polmina::test {
namespace {

namespace fs = std::filesystem;

TEST(GamePaths, ProgramFolderWithJapaneseNameAndSpaces) {
  fs::path appDir = fs::temp_directory_path() / fs::path(u8"ポルミナ　ゲーム フォルダ ");
  appDir += std::to_string(std::random_device{}());
  fs::create_directories(appDir);
  fs::copy_file(fs::path(POLMINA_DATA_DIR) / StartDataFileName, appDir / StartDataFileName);
  const GamePaths paths = findGamePaths(appDir);
  EXPECT_EQ(paths.saveDir, appDir);
  EXPECT_EQ(findDataFile(paths, StartDataFileName), appDir / StartDataFileName);
  fs::remove_all(appDir);
}

}  // namespace
}  // namespace polmina::test
