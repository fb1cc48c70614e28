#pragma once
// A world to play in: 999 computer cats made by the new-cat intake and a small hall, as start data.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "game/intake.h"
#include "headless/headless.h"
#include "store/builders.h"
#include "world/calendar.h"
#include "world/text.h"

namespace polmina::testing {

inline std::unique_ptr<GameState> intakeWorld(uint64_t seed) {
  auto s = std::make_unique<GameState>();
  GameRng rng = GameRng::fixed(seed);
  HeadlessFrontend ui;
  FixedClock clock;
  Game g{*s, rng, ui, clock};
  s->cats[0].owner = 1;
  s->cats[0].inUse = -1;
  s->cats[0].name = padRight(u"オヤブン", CatNameLength);
  s->retiredCount = 0;
  while (s->catCount < MaxCats) intakeNewCats(g);
  // A few cats of the hall: copies of real careers, moved out of the table's identity range.
  for (int j = 0; j < 5; ++j) {
    s->retiredCats[j] = s->cats[10 + j];
    s->retiredCats[j].owner = static_cast<int16_t>(2000 + j);
    s->retiredCats[j].name = padRight(u"ゴインキョ" + num(j), CatNameLength);
    s->retiredCats[j].retired = -1;
  }
  return s;
}

inline void writeStartData(const std::filesystem::path& dir, uint64_t seed = 7) {
  writeBytes(dir / "StartDiza.Dat", startDataBytes(*intakeWorld(seed)));
}

struct SimRun {
  int exitCode = -1;
  std::string out;
};

// Runs `program` with `args` (both already quoted), capturing standard output.
inline SimRun runProgram(const std::string& program, const std::string& args) {
  SimRun r;
  const std::string cmd = program + " " + args + " 2>/dev/null";
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return r;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
  const int status = pclose(p);
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

// Runs the command-line tool with `args` (already quoted), capturing standard output.
inline SimRun runSim(const std::string& args) { return runProgram(POLMINA_SIM, args); }

inline std::string quoted(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

}  // namespace polmina::testing
