// polmina-sim: the game without windows, for scripts and tests. Its options and output are a
// contract: keep them stable.
#include <CLI/CLI.hpp>
#include <iostream>

#include "sim/commands.h"

int main(int argc, char** argv) {
  using namespace polmina::sim;
  CLI::App app{"polmina-sim: 11種ポルミナF without windows"};
  app.require_subcommand(1);
  const std::string self = argv[0];

  NewOptions newOpt;
  auto* cmdNew = app.add_subcommand("new", "set up a new game in DIR and save it");
  cmdNew->add_option("dir", newOpt.dir, "the game's folder")->required();
  cmdNew->add_option("--player", newOpt.player, "the player's name")->required();
  cmdNew->add_option("--player-sex", newOpt.playerSex, "0 male, 1 female")->required()->check(CLI::Range(0, 1));
  cmdNew->add_option("--cat", newOpt.cat, "the cat's name")->required();
  cmdNew->add_option("--cat-sex", newOpt.catSex, "0 male, 1 female")->required()->check(CLI::Range(0, 1));
  cmdNew->add_option("--trait", newOpt.trait, "0 スピード … 5 分らない")->required()->check(CLI::Range(0, 5));
  cmdNew->add_option("--breed", newOpt.breed, "breed 0..10")->required()->check(CLI::Range(0, 10));
  cmdNew->add_option("--seed", newOpt.seed, "make every random draw reproducible");

  ShowOptions showOpt;
  auto* cmdShow = app.add_subcommand("show", "print part of the saved game in DIR");
  cmdShow->add_option("dir", showOpt.dir, "the game's folder")->required();
  cmdShow->add_option("what", showOpt.what,
                      "state | calendar | list-active K | list-retired K | record K | retired-record K | "
                      "formbook K | retired-formbook K | growth | recovery")
      ->required()
      ->check(CLI::IsMember({"state", "calendar", "list-active", "list-retired", "record", "retired-record",
                             "formbook", "retired-formbook", "growth", "recovery"}));
  cmdShow->add_option("number", showOpt.number, "sort order 0..3 of the lists, or the table index of a record");

  PlayOptions playOpt;
  auto* cmdPlay = app.add_subcommand("play", "play weeks of the saved game in DIR and save it");
  cmdPlay->add_option("dir", playOpt.dir, "the game's folder")->required();
  cmdPlay->add_option("--weeks", playOpt.weeks, "weeks to play")->required()->check(CLI::Range(0, 100000));
  cmdPlay->add_option("--seed", playOpt.seed, "make every random draw reproducible");
  cmdPlay->add_option("--train", playOpt.train, "six training levels 0..3")
      ->delimiter(',')
      ->expected(6)
      ->check(CLI::Range(0, 3));
  cmdPlay->add_option("--style", playOpt.style, "running style 0..3")->check(CLI::Range(0, 3));
  cmdPlay->add_option("--rest-below", playOpt.restBelow, "rest when the condition is below this");
  cmdPlay->add_option("--invite", playOpt.invite, "answer to the selection committee")
      ->check(CLI::IsMember({"yes", "no"}));
  cmdPlay->add_flag("--read-news", playOpt.readNews, "read the newspaper after every week");

  ReplayOptions replayOpt;
  auto* cmdReplay = app.add_subcommand("replay", "run a race of the history in DIR again");
  cmdReplay->add_option("dir", replayOpt.dir, "the game's folder")->required();
  cmdReplay->add_option("race", replayOpt.raceId, "the race's raceId")->required();

  std::string recoverDir;
  auto* cmdRecover = app.add_subcommand("recover", "write the save in DIR from the history's last closed week");
  cmdRecover->add_option("dir", recoverDir, "the game's folder")->required();

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
