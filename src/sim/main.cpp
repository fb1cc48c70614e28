// polmina-sim: the game without windows, for scripts and tests. Its options and output are a
// contract: keep them stable.
#include <CLI/CLI.hpp>
#include <iostream>

#include "sim/commands.h"

namespace {

using namespace polmina::sim;

CLI::App* addNew(CLI::App& app, NewOptions& o) {
  auto* cmd = app.add_subcommand("new", "set up a new game in DIR and save it");
  cmd->add_option("dir", o.dir, "the game's folder")->required();
  cmd->add_option("--player", o.player, "the player's name")->required();
  cmd->add_option("--player-sex", o.playerSex, "0 male, 1 female")->required()->check(CLI::Range(0, 1));
  cmd->add_option("--cat", o.cat, "the cat's name")->required();
  cmd->add_option("--cat-sex", o.catSex, "0 male, 1 female")->required()->check(CLI::Range(0, 1));
  cmd->add_option("--trait", o.trait, "0 スピード … 5 分らない")->required()->check(CLI::Range(0, 5));
  cmd->add_option("--breed", o.breed, "breed 0..10")->required()->check(CLI::Range(0, 10));
  cmd->add_option("--seed", o.seed, "make every random draw reproducible");
  return cmd;
}

CLI::App* addShow(CLI::App& app, ShowOptions& o) {
  auto* cmd = app.add_subcommand("show", "print part of the saved game in DIR");
  cmd->add_option("dir", o.dir, "the game's folder")->required();
  cmd->add_option("what", o.what,
                  "state | calendar | list-active K | list-retired K | record K | retired-record K | "
                  "formbook K | retired-formbook K | growth | recovery")
      ->required()
      ->check(CLI::IsMember({"state", "calendar", "list-active", "list-retired", "record", "retired-record",
                             "formbook", "retired-formbook", "growth", "recovery"}));
  cmd->add_option("number", o.number, "sort order 0..3 of the lists, or the table index of a record");
  return cmd;
}

CLI::App* addPlay(CLI::App& app, PlayOptions& o) {
  auto* cmd = app.add_subcommand("play", "play weeks of the saved game in DIR and save it");
  cmd->add_option("dir", o.dir, "the game's folder")->required();
  cmd->add_option("--weeks", o.weeks, "weeks to play (with --until, the most)")->check(CLI::Range(0, 100000));
  cmd->add_option("--until", o.until,
                  "stop before the cat's next race or the next big race, or after the year end")
      ->check(CLI::IsMember({"race", "bigrace", "yearend"}));
  // One of the two is needed.
  cmd->callback([&o] {
    if (o.weeks < 0 && o.until.empty()) throw CLI::ValidationError("play", "--weeks or --until is required");
  });
  cmd->add_option("--seed", o.seed, "make every random draw reproducible");
  cmd->add_option("--train", o.train, "six training levels 0..3")
      ->delimiter(',')
      ->expected(6)
      ->check(CLI::Range(0, 3));
  cmd->add_option("--style", o.style, "running style 0..3")->check(CLI::Range(0, 3));
  cmd->add_option("--rest-below", o.restBelow, "rest when the condition is below this");
  cmd->add_option("--invite", o.invite, "answer to the selection committee")
      ->check(CLI::IsMember({"yes", "no"}));
  cmd->add_flag("--read-news", o.readNews, "read the newspaper after every week");
  return cmd;
}

CLI::App* addReplay(CLI::App& app, ReplayOptions& o) {
  auto* cmd = app.add_subcommand("replay", "run a race of the history in DIR again");
  cmd->add_option("dir", o.dir, "the game's folder")->required();
  cmd->add_option("race", o.raceId, "the race's raceId")->required();
  return cmd;
}

CLI::App* addRecover(CLI::App& app, std::string& dir) {
  auto* cmd = app.add_subcommand("recover", "write the save in DIR from the history's last closed week");
  cmd->add_option("dir", dir, "the game's folder")->required();
  return cmd;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"polmina-sim: 11種ポルミナF without windows"};
  app.require_subcommand(1);
  const std::string self = argv[0];
  NewOptions newOpt;
  ShowOptions showOpt;
  PlayOptions playOpt;
  ReplayOptions replayOpt;
  std::string recoverDir;
  CLI::App* cmdNew = addNew(app, newOpt);
  CLI::App* cmdShow = addShow(app, showOpt);
  addPlay(app, playOpt);
  CLI::App* cmdReplay = addReplay(app, replayOpt);
  CLI::App* cmdRecover = addRecover(app, recoverDir);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return ExitBadArgument;
  }
  try {
    if (*cmdNew) return runNew(newOpt, self);
    if (*cmdShow) return runShow(showOpt);
    if (*cmdReplay) return runReplay(replayOpt);
    if (*cmdRecover) return runRecover(recoverDir);
    return runPlay(playOpt);
  } catch (const std::exception& e) {
    std::cerr << "polmina-sim: " << e.what() << "\n";
    return 1;
  }
}
