// The sound generator: renders every sound and both tunes of the game from code into a folder of WAV
// files (mono, 16 bits, 22 050 Hz). The same bytes every run.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <utility>

#include "sounds.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: soundgen FOLDER\n", stderr);
    return 2;
  }
  using namespace soundgen;
  const std::pair<const char*, Buffer (*)()> sounds[] = {
      {"gate.wav", gate},
      {"start.wav", startBell},
      {"fanfare-a.wav", fanfareA},
      {"fanfare-s.wav", fanfareS},
      {"paws.wav", paws},
      {"crowd.wav", crowd},
      {"cheer.wav", cheer},
      {"finish.wav", finish},
      {"win.wav", win},
      {"place.wav", place},
      {"awards.wav", awards},
      {"new-title.wav", newTitle},
      {"retire.wav", retire},
      {"paper.wav", paper},
      {"click.wav", click},
      {"stopped.wav", stopped},
      {"title-theme.wav", titleTheme},
      {"home-loop.wav", homeLoop},
  };
  try {
    const std::filesystem::path dir(argv[1]);
    std::filesystem::create_directories(dir);
    for (const auto& [name, make] : sounds) writeWav(dir / name, make());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "soundgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
