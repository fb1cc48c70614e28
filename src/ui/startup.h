#pragma once
// The program's start: one copy per user, the program folder, the game's defaults, the title window.
class QApplication;

#include "ui/launch.h"

namespace polmina {

// Runs the game; returns the program's exit code. With a seed every draw of the game follows it.
int startUp(QApplication& app, const LaunchOptions& options);

struct GamePaths;
// Shows the game in `lang` from now on: its catalog from the data folders, and Qt's own buttons in the
// same language. False, and the game stays Japanese, when the catalog is missing or unreadable.
bool useLanguage(Language lang, const GamePaths& paths);

}  // namespace polmina
