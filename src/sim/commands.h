#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace polmina::sim {

// Exit codes of the tool.
inline constexpr int ExitOk = 0;
inline constexpr int ExitBadArgument = 2;
inline constexpr int ExitNoGame = 3;
// `new` on a folder that holds a game, without --force.
inline constexpr int ExitGameExists = 4;
// A command that writes, while another program (the game, another polmina-sim) uses the folder.
inline constexpr int ExitLocked = 5;

struct NewOptions {
  std::string dir, player, cat;
  int playerSex = 0, catSex = 0, trait = 0, breed = 0;
  std::optional<uint64_t> seed;
  bool force = false;
};

struct ShowOptions {
  std::string dir, what;
  // The list's sort order, the table index of the cat whose record is shown, or a career's id.
  std::optional<int> number;
};

struct PlayOptions {
  std::string dir;
  int weeks = -1;  // not given
  std::optional<uint64_t> seed;
  std::vector<int> train;
  std::optional<int> style;
  std::optional<int> restBelow;
  std::string invite = "yes";
  bool readNews = false;
  // --skip-others: the watch question of a big race the cat does not run is answered beforehand (いいえ),
  // as the fast-forward's choice does; its record says so.
  bool skipOthers = false;
  // --until race|bigrace|yearend|target: stop before the cat's next race, before the next big race,
  // after the year end, or before the week of the next target race; --weeks is then a cap.
  std::string until;
};

struct ReplayOptions {
  std::string dir;
  int64_t raceId = 0;
};

// Exit code of a replay that did not give the recorded order.
inline constexpr int ExitMismatch = 1;

int runNew(const NewOptions& o, const std::string& argv0);
int runShow(const ShowOptions& o);
int runPlay(const PlayOptions& o);
// The cat's history: formbooks, growth, recovery (show), replay and recover.
int showHistory(const ShowOptions& o);
int runReplay(const ReplayOptions& o);
int runRecover(const std::string& dir);
// The hall of fame (show careers, show career ID) and the save's backups (show backups, restore).
int showHall(const ShowOptions& o);
int showBackups(const ShowOptions& o);
int runRestore(const std::string& dir, int n);
// The season plan: show plan, show rivals; target DIR YEAR SLOT [--off]; follow DIR INDEX [--off].
int showPlan(const ShowOptions& o);
int runTarget(const std::string& dir, int year, int slot, bool off);
int runFollow(const std::string& dir, int index, bool off);

}  // namespace polmina::sim
