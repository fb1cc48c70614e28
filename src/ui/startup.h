#pragma once
// The program's start: one copy per user, the program folder, the game's defaults, the title window.
class QApplication;

#include "ui/launch.h"

namespace polmina {

// Runs the game; returns the program's exit code. With a seed every draw of the game follows it.
int startUp(QApplication& app, const LaunchOptions& options);

}  // namespace polmina
