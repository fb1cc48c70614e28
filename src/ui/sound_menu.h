#pragma once
// 音量: the sound settings on a window's context menu, remembered with the game's other settings.
#include <QKeySequence>
#include <filesystem>

class QMenu;
class QWidget;

namespace polmina {

struct GamePaths;

// The folder of the sounds: beside the program, or among the installed data (empty when none is).
std::filesystem::path soundFolder(const GamePaths& paths);

// The levels remembered (effects at medium and music at low the first time) go to the player.
void applyRememberedSound();

// The key that mutes every sound at once, and unmutes them.
QKeySequence muteKey();

// Adds 音量 to `menu` (the context menu of `window`): 効果音 and 音楽, each 切 / 小 / 中 / 大, the clicks
// of the commands (off at first), and すべて消音 on muteKey() in `window`. The window's command
// buttons click softly when the clicks are on.
QMenu* addSoundMenu(QMenu* menu, QWidget* window);

}  // namespace polmina
