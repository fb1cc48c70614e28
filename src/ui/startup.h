#pragma once
// The program's start: one copy per user, the program folder, the game's defaults, the title window.
class QApplication;

namespace polmina {

// Runs the game; returns the program's exit code.
int startUp(QApplication& app);

}  // namespace polmina
