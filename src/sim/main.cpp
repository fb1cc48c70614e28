// polmina-sim: the game without windows, for scripts and tests. Its options and output are a
// contract: keep them stable.
#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "sim/commands.h"

namespace {

using namespace polmina::sim;

constexpr const char* kSeedRange = "0 から 18446744073709551615 までの整数";

// --seed: a whole number that fits 64 bits, refused (not wrapped or cut) otherwise.
CLI::Option* addSeed(CLI::App* cmd, std::optional<uint64_t>& seed) {
  return cmd
      ->add_option_function<std::string>(
          "--seed",
          [&seed](const std::string& v) {
            errno = 0;
            char* end = nullptr;
            const unsigned long long n = std::strtoull(v.c_str(), &end, 10);
            if (v.empty() || v.find_first_not_of("0123456789") != std::string::npos || errno == ERANGE ||
                *end)
              throw CLI::ValidationError(std::string("--seed には ") + kSeedRange +
                                         "を指定してください: " + v);
            seed = n;
          },
          std::string("make every random draw reproducible (") + kSeedRange + ")")
      ->type_name("N");
}

// CLI11's own refusals, in the tool's language: the option as typed, what is wrong with it.
std::string inJapanese(const CLI::ParseError& e) {
  const std::string what = e.what();
  const std::string option = what.substr(0, what.find(':'));
  const auto between = [&](const std::string& from, const std::string& to) {
    const size_t a = what.find(from);
    if (a == std::string::npos) return std::string();
    const size_t b = to.empty() ? std::string::npos : what.find(to, a + from.size());
    return what.substr(a + from.size(), b == std::string::npos ? std::string::npos : b - a - from.size());
  };
  if (dynamic_cast<const CLI::ExtrasError*>(&e))
    return "知らないオプションか余分な引数です: " + between(": ", "");
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&e))
    return "オプション " + option +
           (what.find("At Most") != std::string::npos ? " が二度以上指定されています。"
                                                      : " に値がありません。");
  if (dynamic_cast<const CLI::RequiredError*>(&e)) {
    if (what.find("subcommand") != std::string::npos)
      return "コマンド（new、show、play、replay、recover、restore、target、follow "
             "のどれか）を指定してください。";
    return between("", " is required") + " を指定してください。";
  }
  if (what.find("には ") != std::string::npos) return what.substr(what.find("--"));  // the tool's own words
  if (what.find("not in range") != std::string::npos)
    return option + " には " + between("range ", " to") + " から " + between(" to ", "") +
           " までの整数を指定してください: " + between("Value ", " not");
  if (what.find(" not in {") != std::string::npos)
    return option + " には " + between("{", "}") + " のどれかを指定してください: " + between(": ", " not in");
  if (dynamic_cast<const CLI::ConversionError*>(&e) || what.find("convert") != std::string::npos)
    return option + " の値が数ではありません。";
  return "引数が正しくありません（" + what + "）。";
}

CLI::App* addNew(CLI::App& app, NewOptions& o) {
  auto* cmd = app.add_subcommand("new", "set up a new game in DIR and save it");
  cmd->add_option("dir", o.dir, "the game's folder")->required();
  cmd->add_option("--player", o.player, "the player's name")->required();
  cmd->add_option("--player-sex", o.playerSex, "0 male, 1 female")->required()->check(CLI::Range(0, 1));
  cmd->add_option("--cat", o.cat, "the cat's name")->required();
  cmd->add_option("--cat-sex", o.catSex, "0 male, 1 female")->required()->check(CLI::Range(0, 1));
  cmd->add_option("--trait", o.trait, "0 スピード … 5 分らない")->required()->check(CLI::Range(0, 5));
  cmd->add_option("--breed", o.breed, "breed 0..10")->required()->check(CLI::Range(0, 10));
  addSeed(cmd, o.seed);
  cmd->add_flag("--force", o.force, "replace the game in DIR (its save is kept as a backup)");
  return cmd;
}

CLI::App* addShow(CLI::App& app, ShowOptions& o) {
  auto* cmd = app.add_subcommand("show", "print part of the saved game in DIR");
  cmd->add_option("dir", o.dir, "the game's folder")->required();
  cmd->add_option(
         "what", o.what,
         "state | calendar | list-active K | list-retired K | record K | retired-record K | "
         "formbook K | retired-formbook K | growth | recovery | careers | career ID | backups | plan | "
         "rivals")
      ->required()
      ->check(CLI::IsMember({"state", "calendar", "list-active", "list-retired", "record", "retired-record",
                             "formbook", "retired-formbook", "growth", "recovery", "careers", "career",
                             "backups", "plan", "rivals"}));
  cmd->add_option("number", o.number,
                  "sort order 0..3 of the lists, the table index of a record, or a career's id");
  return cmd;
}

CLI::App* addPlay(CLI::App& app, PlayOptions& o) {
  auto* cmd = app.add_subcommand("play", "play weeks of the saved game in DIR and save it");
  cmd->add_option("dir", o.dir, "the game's folder")->required();
  cmd->add_option("--weeks", o.weeks, "weeks to play (with --until, the most)")->check(CLI::Range(0, 100000));
  cmd->add_option("--until", o.until,
                  "stop before the cat's next race or the next big race, or after the year end")
      ->check(CLI::IsMember({"race", "bigrace", "yearend", "target"}));
  // One of the two is needed.
  cmd->callback([&o] {
    if (o.weeks < 0 && o.until.empty()) throw CLI::ValidationError("play", "--weeks or --until is required");
  });
  addSeed(cmd, o.seed);
  cmd->add_option("--train", o.train, "six training levels 0..3")
      ->delimiter(',')
      ->expected(6)
      ->check(CLI::Range(0, 3));
  cmd->add_option("--style", o.style, "running style 0..3")->check(CLI::Range(0, 3));
  cmd->add_option("--rest-below", o.restBelow, "rest when the condition is below this");
  cmd->add_option("--invite", o.invite, "answer to the selection committee")
      ->check(CLI::IsMember({"yes", "no"}));
  cmd->add_flag("--read-news", o.readNews, "read the newspaper after every week");
  cmd->add_option("--lang", o.lang,
                  "ja | en: the language of the messages, the farewell and the news (the save, the history "
                  "and the race lines are the same in every language)")
      ->check(CLI::IsMember({"ja", "en"}));
  return cmd;
}

CLI::App* addReplay(CLI::App& app, ReplayOptions& o) {
  auto* cmd = app.add_subcommand("replay", "run a race of the history in DIR again");
  cmd->add_option("dir", o.dir, "the game's folder")->required();
  cmd->add_option("race", o.raceId, "the race's raceId")->required();
  return cmd;
}

CLI::App* addRestore(CLI::App& app, std::string& dir, int& n) {
  auto* cmd = app.add_subcommand("restore", "put backup N of the save in DIR back (see show DIR backups)");
  cmd->add_option("dir", dir, "the game's folder")->required();
  cmd->add_option("n", n, "the backup's number, 1 the newest")->required();
  return cmd;
}

struct MarkOptions {
  std::string dir;
  int year = 0, slot = 0, index = 0;
  bool off = false;
};

CLI::App* addTarget(CLI::App& app, MarkOptions& o) {
  auto* cmd = app.add_subcommand("target", "mark a race of the season plan in DIR as a target");
  cmd->add_option("dir", o.dir, "the game's folder")->required();
  cmd->add_option("year", o.year, "the race's year")->required();
  cmd->add_option("slot", o.slot, "the race's calendar slot 0..239")->required();
  cmd->add_flag("--off", o.off, "unmark it");
  return cmd;
}

CLI::App* addFollow(CLI::App& app, MarkOptions& o) {
  auto* cmd = app.add_subcommand("follow", "follow the cat at INDEX of the active cats in DIR");
  cmd->add_option("dir", o.dir, "the game's folder")->required();
  cmd->add_option("index", o.index, "the cat's index in show DIR state's cats")->required();
  cmd->add_flag("--off", o.off, "stop following it");
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
  std::string recoverDir, restoreDir;
  int restoreN = 0;
  app.set_version_flag("--version", "polmina-sim " POLMINA_VERSION);
  CLI::App* cmdNew = addNew(app, newOpt);
  CLI::App* cmdShow = addShow(app, showOpt);
  addPlay(app, playOpt);
  CLI::App* cmdReplay = addReplay(app, replayOpt);
  CLI::App* cmdRecover = addRecover(app, recoverDir);
  CLI::App* cmdRestore = addRestore(app, restoreDir, restoreN);
  MarkOptions targetOpt, followOpt;
  CLI::App* cmdTarget = addTarget(app, targetOpt);
  CLI::App* cmdFollow = addFollow(app, followOpt);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << inJapanese(e) << "\n「polmina-sim --help」で使い方を表示します。\n";
    return ExitBadArgument;
  }
  try {
    if (*cmdNew) return runNew(newOpt, self);
    if (*cmdShow) return runShow(showOpt);
    if (*cmdReplay) return runReplay(replayOpt);
    if (*cmdRecover) return runRecover(recoverDir);
    if (*cmdRestore) return runRestore(restoreDir, restoreN);
    if (*cmdTarget) return runTarget(targetOpt.dir, targetOpt.year, targetOpt.slot, targetOpt.off);
    if (*cmdFollow) return runFollow(followOpt.dir, followOpt.index, followOpt.off);
    return runPlay(playOpt);
  } catch (const std::exception& e) {
    std::cerr << "polmina-sim: " << e.what() << "\n";
    return 1;
  }
}
