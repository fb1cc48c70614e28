#pragma once
// One running game as the windows see it: the game (state, random numbers, screen, clock), the same
// frontend with its window hooks, and where the files live.
#include <filesystem>
#include <vector>

#include "history/history.h"
#include "store/data_folders.h"
#include "ui/qt_frontend.h"
#include "world/game.h"

namespace polmina {

struct GamePaths {
  std::filesystem::path appDir;                 // the program's folder
  std::filesystem::path saveDir;                // where the save file is written and looked for
  std::vector<std::filesystem::path> dataDirs;  // where the start data and the help page are found
};

// The program folder when it is writable, else the user's data folder; the data from the game's data
// folders (store/data_folders.h).
GamePaths findGamePaths(const std::filesystem::path& appDir);

// A data file from the first folder that has it; empty when none does.
std::filesystem::path findDataFile(const GamePaths& paths, const char* name);

struct Session {
  Game& g;
  QtFrontend& ui;
  GamePaths paths;
  History* history = nullptr;  // the cat's history beside the save; none in some tests
};

// Tells the player, once, what went wrong with the history file.
void tellHistoryProblem(Session& se);

}  // namespace polmina
