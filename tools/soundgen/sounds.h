#pragma once
// Every sound of the game and its two tunes, each rendered into a buffer.
#include "synth.h"

namespace soundgen {

Buffer gate();
Buffer startBell();
Buffer fanfareA();
Buffer fanfareS();
Buffer paws();
Buffer crowd();
Buffer cheer();
Buffer finish();
Buffer win();
Buffer place();
Buffer awards();
Buffer newTitle();
Buffer retire();
Buffer paper();
Buffer click();
Buffer stopped();

Buffer titleTheme();
Buffer homeLoop();

}  // namespace soundgen
