// polmina-sim: the game without windows, for scripts and tests. Its options and output are a
// contract: keep them stable.
#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "sim/commands.h"
#include "sim/support.h"
#include "world/i18n.h"
#include "world/text.h"

namespace {

using namespace polmina;
using namespace polmina::sim;

// A refusal of the tool's own, in its own words: CLI11 hands it on with words of its own around it.
std::string ownRefusal;

[[noreturn]] void refuse(std::string words) {
  ownRefusal = words;
  throw CLI::ValidationError(std::move(words));
}

// A shown text (already through the catalog) as the terminal takes it.
std::string text(const std::u16string& shown) { return toUtf8(shown); }

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
              refuse(text(trf(u"--seed には 0 から 18446744073709551615 までの整数を指定してください: {value}",
                                               {{u"value", fromUtf8(v)}})));
            seed = n;
          },
          text(tr(u"乱数をすべて再現できるようにする（0 から 18446744073709551615 までの整数）")))
      ->type_name("N");
}

// CLI11's own refusals, in the tool's language: the option as typed, what is wrong with it.
std::string inOurWords(const CLI::ParseError& e) {
  const std::string what = e.what();
  const std::string option = what.substr(0, what.find(':'));
  const auto between = [&](const std::string& from, const std::string& to) {
    const size_t a = what.find(from);
    if (a == std::string::npos) return std::string();
    const size_t b = to.empty() ? std::string::npos : what.find(to, a + from.size());
    return what.substr(a + from.size(), b == std::string::npos ? std::string::npos : b - a - from.size());
  };
  const auto u = [](const std::string& t) { return fromUtf8(t); };
  if (dynamic_cast<const CLI::ExtrasError*>(&e))
    return text(trf(u"知らないオプションか余分な引数です: {args}", {{u"args", u(between(": ", ""))}}));
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&e))
    return what.find("At Most") != std::string::npos
               ? text(trf(u"オプション {option} が二度以上指定されています。", {{u"option", u(option)}}))
               : text(trf(u"オプション {option} に値がありません。", {{u"option", u(option)}}));
  if (dynamic_cast<const CLI::RequiredError*>(&e)) {
    if (what.find("subcommand") != std::string::npos)
      return text(tr(u"コマンド（new、show、play、replay、recover、restore、target、follow のどれか）を指定してください。"));
    return text(trf(u"{option} を指定してください。", {{u"option", u(between("", " is required"))}}));
  }
  if (!ownRefusal.empty()) return ownRefusal;
  if (what.find("not in range") != std::string::npos)
    return text(trf(u"{option} には {from} から {to} までの整数を指定してください: {value}",
                 {{u"option", u(option)}, {u"from", u(between("range ", " to"))}, {u"to", u(between(" to ", ""))},
                  {u"value", u(between("Value ", " not"))}}));
  if (what.find(" not in {") != std::string::npos)
    return text(trf(u"{option} には {choices} のどれかを指定してください: {value}",
                 {{u"option", u(option)}, {u"choices", u(between("{", "}"))}, {u"value", u(between(": ", " not in"))}}));
  if (what.find("Could not convert: ") == 0)
    return text(trf(u"{option} の値「{value}」が数ではありません。",
                 {{u"option", u(between("Could not convert: ", " = "))}, {u"value", u(between(" = ", ""))}}));
  if (dynamic_cast<const CLI::ConversionError*>(&e) || what.find("convert") != std::string::npos)
    return text(trf(u"{option} の値が数ではありません。", {{u"option", u(option)}}));
  return text(trf(u"引数が正しくありません（{what}）。", {{u"what", u(what)}}));
}

CLI::App* addNew(CLI::App& app, NewOptions& o) {
  auto* cmd = app.add_subcommand("new", text(tr(u"DIR に新しいゲームを作ってセーブする")));
  cmd->add_option("dir", o.dir, text(tr(u"ゲームのフォルダ")))->required();
  cmd->add_option("--player", o.player, text(tr(u"プレイヤーの名前")))->required();
  cmd->add_option("--player-sex", o.playerSex, text(tr(u"0 男、1 女")))->required()->check(CLI::Range(0, 1));
  cmd->add_option("--cat", o.cat, text(tr(u"猫の名前")))->required();
  cmd->add_option("--cat-sex", o.catSex, text(tr(u"0 男、1 女")))->required()->check(CLI::Range(0, 1));
  cmd->add_option("--trait", o.trait, text(tr(u"猫の特徴: 0 スピード … 5 分らない")))->required()->check(CLI::Range(0, 5));
  cmd->add_option("--breed", o.breed, text(tr(u"猫君のタイプ 0..10")))->required()->check(CLI::Range(0, 10));
  addSeed(cmd, o.seed);
  cmd->add_flag("--force", o.force, text(tr(u"DIR のゲームを置き換える（そのセーブはバックアップとして残る）")));
  return cmd;
}

CLI::App* addShow(CLI::App& app, ShowOptions& o) {
  auto* cmd = app.add_subcommand("show", text(tr(u"DIR のセーブされたゲームの一部を表示する")));
  cmd->add_option("dir", o.dir, text(tr(u"ゲームのフォルダ")))->required();
  cmd->add_option("what", o.what,
                  text(tr(u"表示するもの: state | calendar | list-active K | list-retired K | record K | retired-record K | formbook K | retired-formbook K | growth | recovery | careers | career ID | backups | plan | rivals")))
      ->required()
      ->check(CLI::IsMember({"state", "calendar", "list-active", "list-retired", "record", "retired-record",
                             "formbook", "retired-formbook", "growth", "recovery", "careers", "career",
                             "backups", "plan", "rivals"}));
  cmd->add_option("number", o.number,
                  text(tr(u"一覧の並び順 0..3、記録の猫の番号、または殿堂の経歴の番号")));
  return cmd;
}

CLI::App* addPlay(CLI::App& app, PlayOptions& o) {
  auto* cmd = app.add_subcommand("play", text(tr(u"DIR のセーブされたゲームを何週か進めてセーブする")));
  cmd->add_option("dir", o.dir, text(tr(u"ゲームのフォルダ")))->required();
  cmd->add_option("--weeks", o.weeks, text(tr(u"進める週の数（--until と一緒なら最大の週数）")))->check(CLI::Range(0, 100000));
  cmd->add_option("--until", o.until,
                  text(tr(u"猫の次のレースの前、次の大レースの前、年末のあと、または次の目標のレースの週の前で止まる")))
      ->check(CLI::IsMember({"race", "bigrace", "yearend", "target"}));
  // One of the two is needed.
  cmd->callback([&o] {
    if (o.weeks < 0 && o.until.empty()) refuse(text(tr(u"--weeks か --until を指定してください。")));
  });
  addSeed(cmd, o.seed);
  cmd->add_option("--train", o.train, text(tr(u"六つの調教の強さ 0..3")))
      ->delimiter(',')
      ->expected(6)
      ->check(CLI::Range(0, 3));
  cmd->add_option("--style", o.style, text(tr(u"走り方 0..3")))->check(CLI::Range(0, 3));
  cmd->add_option("--rest-below", o.restBelow, text(tr(u"調子がこの値より下なら休養させる")));
  cmd->add_option("--invite", o.invite, text(tr(u"審査会への返事")))
      ->check(CLI::IsMember({"yes", "no"}));
  cmd->add_flag("--read-news", o.readNews, text(tr(u"毎週のあとに新聞を読む")));
  cmd->add_flag("--skip-others", o.skipOthers,
                text(tr(u"愛猫の出ない重賞の観戦を、前もって断る")));
  return cmd;
}

CLI::App* addReplay(CLI::App& app, ReplayOptions& o) {
  auto* cmd = app.add_subcommand("replay", text(tr(u"DIR の履歴のレースをもう一度走らせる")));
  cmd->add_option("dir", o.dir, text(tr(u"ゲームのフォルダ")))->required();
  cmd->add_option("race", o.raceId, text(tr(u"レースの raceId")))->required();
  return cmd;
}

CLI::App* addRestore(CLI::App& app, std::string& dir, int& n) {
  auto* cmd = app.add_subcommand("restore", text(tr(u"DIR のセーブのバックアップ N を戻す（show DIR backups を参照）")));
  cmd->add_option("dir", dir, text(tr(u"ゲームのフォルダ")))->required();
  cmd->add_option("n", n, text(tr(u"バックアップの番号、1 が最新")))->required();
  return cmd;
}

struct MarkOptions {
  std::string dir;
  int year = 0, slot = 0, index = 0;
  bool off = false;
};

CLI::App* addTarget(CLI::App& app, MarkOptions& o) {
  auto* cmd = app.add_subcommand("target", text(tr(u"DIR の予定表のレースを目標にする")));
  cmd->add_option("dir", o.dir, text(tr(u"ゲームのフォルダ")))->required();
  cmd->add_option("year", o.year, text(tr(u"レースの年")))->required();
  cmd->add_option("slot", o.slot, text(tr(u"レースのカレンダーの番号 0..239")))->required();
  cmd->add_flag("--off", o.off, text(tr(u"目標をやめる")));
  return cmd;
}

CLI::App* addFollow(CLI::App& app, MarkOptions& o) {
  auto* cmd = app.add_subcommand("follow", text(tr(u"DIR の現役猫の INDEX 番目の猫に注目する")));
  cmd->add_option("dir", o.dir, text(tr(u"ゲームのフォルダ")))->required();
  cmd->add_option("index", o.index, text(tr(u"show DIR state の cats での猫の番号")))->required();
  cmd->add_flag("--off", o.off, text(tr(u"注目をやめる")));
  return cmd;
}

CLI::App* addRecover(CLI::App& app, std::string& dir) {
  auto* cmd = app.add_subcommand("recover", text(tr(u"DIR のセーブを履歴の最後に終えた週から書く")));
  cmd->add_option("dir", dir, text(tr(u"ゲームのフォルダ")))->required();
  return cmd;
}

}  // namespace

// --lang, wherever it is given: the help and every message follow it, so it is read before the
// options are described.
std::string languageAsked(int argc, char** argv) {
  std::string lang = "ja";
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--lang" && i + 1 < argc) lang = argv[i + 1];
    if (a.rfind("--lang=", 0) == 0) lang = a.substr(7);
  }
  return lang;
}

// CLI11's own words in the help, in the tool's language.
void describeInOurWords(CLI::App& app) {
  auto f = app.get_formatter();
  f->label("Usage", text(tr(u"使い方")));
  f->label("OPTIONS", text(tr(u"オプション")));
  f->label("SUBCOMMAND", text(tr(u"コマンド")));
  f->label("SUBCOMMANDS", text(tr(u"コマンド")));
  f->label("Positionals", text(tr(u"引数")));
  f->label("REQUIRED", text(tr(u"必須")));
  app.option_defaults()->group(text(tr(u"オプション")));
  app.set_help_flag("-h,--help", text(tr(u"この使い方を表示して終わる")));
  app.set_version_flag("--version", "polmina-sim " POLMINA_VERSION, text(tr(u"版を表示して終わる")));
  app.fallthrough();
}

int main(int argc, char** argv) {
  std::string lang = languageAsked(argc, argv);
  const bool known = useLanguage(lang);
  CLI::App app{text(tr(u"polmina-sim: ウィンドウのない 11種ポルミナF"))};
  describeInOurWords(app);
  app.add_option("--lang", lang, text(tr(u"ja | en: ヘルプとメッセージ、別れの言葉、新聞の言語（セーブと履歴、レースの行はどの言語でも同じ）")))
      ->check(CLI::IsMember({"ja", "en"}));
  app.require_subcommand(1);
  const std::string self = argv[0];
  NewOptions newOpt;
  ShowOptions showOpt;
  PlayOptions playOpt;
  ReplayOptions replayOpt;
  std::string recoverDir, restoreDir;
  int restoreN = 0;
  CLI::App* cmdNew = addNew(app, newOpt);
  CLI::App* cmdShow = addShow(app, showOpt);
  addPlay(app, playOpt);
  CLI::App* cmdReplay = addReplay(app, replayOpt);
  CLI::App* cmdRecover = addRecover(app, recoverDir);
  CLI::App* cmdRestore = addRestore(app, restoreDir, restoreN);
  MarkOptions targetOpt, followOpt;
  CLI::App* cmdTarget = addTarget(app, targetOpt);
  CLI::App* cmdFollow = addFollow(app, followOpt);
  for (CLI::App* cmd : app.get_subcommands({})) {
    cmd->group(text(tr(u"コマンド")));
    if (CLI::Option* help = cmd->get_help_ptr()) help->group(text(tr(u"オプション")));
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << inOurWords(e) << "\n" << text(tr(u"「polmina-sim --help」で使い方を表示します。")) << "\n";
    return ExitBadArgument;
  }
  if (!known) {
    fail(trf(u"言語のカタログ ({file}) が見つかりません。", {{u"file", fromUtf8(catalogFileName(Language::English))}}));
    return ExitNoGame;
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
