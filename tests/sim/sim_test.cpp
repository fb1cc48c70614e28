// The command-line tool's contract: options, exit codes and output, run as a script would.
#include <gtest/gtest.h>

#include <algorithm>

#include <nlohmann/json.hpp>

#include "sim/world.h"
#include "history/history.h"
#include "store/file_io.h"
#include "store/folder_lock.h"
#include "store/savefile.h"
#include "support/retiring.h"
#include "world/state.h"

namespace polmina::testing {
namespace {

using nlohmann::json;

class SimTool : public ::testing::Test {
 protected:
  TempDir dir;
  std::string d = quoted(dir.path());

  void SetUp() override { writeStartData(dir.path()); }

  SimRun newGame(const std::string& player, const std::string& cat, const std::string& extra = "") {
    return runSim("new " + d + " --player '" + player + "' --player-sex 1 --cat '" + cat +
                  "' --cat-sex 0 --trait 3 --breed 5 --seed 11 " + extra);
  }
  json state() { return json::parse(runSim("show " + d + " state").out); }
};

std::string trimmed(const json& name) {
  std::string n = name;
  while (!n.empty() && n.back() == ' ') n.pop_back();
  return n;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  size_t start = 0;
  for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
    out.push_back(text.substr(start, nl - start));
  return out;
}

TEST_F(SimTool, NewGameStoresConvertedNamesAndAFullWorld) {
  ASSERT_EQ(newGame("ab c", "ﾀﾏ").exitCode, 0);
  const json s = state();
  EXPECT_EQ(s["playerName"], "ａｂｃ");
  EXPECT_EQ(s["playerSex"], 1);
  EXPECT_EQ(s["catCount"], 1000);
  EXPECT_EQ(s["retiredCount"], 5);
  EXPECT_EQ(s["cats"].size(), 1000u);
  const json& player = s["cats"][s["playerCat"].get<int>()];
  EXPECT_EQ(player["owner"], 1);
  EXPECT_EQ(player["name"], "タマ                  ");
  EXPECT_EQ(player["breed"], 5);
  EXPECT_EQ(player["trait2"], 1) << "the character 健康 makes the cat robust";
  EXPECT_EQ(player["catClass"], 9);
  EXPECT_EQ(s["year"], 2001);
  // The list is in name order as the new game left it: the player's cat among the others.
  const auto rows = lines(runSim("show " + d + " list-active 0").out);
  ASSERT_EQ(rows.size(), 1001u);
  EXPECT_EQ(rows[0], "　名　　　　前　      性別　  歳　 体調");
}

TEST_F(SimTool, RefusedNamesAndBadArgumentsExitTwoAndWriteNothing) {
  EXPECT_EQ(newGame("ねこねこねこねこねこね", "タマ").exitCode, 2) << "11 characters";
  EXPECT_EQ(newGame("プレイヤー", "🐱").exitCode, 2) << "no Shift-JIS form";
  EXPECT_EQ(newGame("プレイヤー", "").exitCode, 2);
  EXPECT_EQ(
      runSim("new " + d + " --player a --player-sex 2 --cat b --cat-sex 0 --trait 0 --breed 0").exitCode, 2);
  EXPECT_EQ(
      runSim("new " + d + " --player a --player-sex 0 --cat b --cat-sex 0 --trait 6 --breed 0").exitCode, 2);
  EXPECT_EQ(
      runSim("new " + d + " --player a --player-sex 0 --cat b --cat-sex 0 --trait 0 --breed 11").exitCode, 2);
  EXPECT_FALSE(std::filesystem::exists(savePath(dir.path())));
  // The refusals in Japanese, the option as typed; a seed beyond 64 bits refused, not cut.
  const auto said = [&](const std::string& args) { return runSim(args + " 2>&1 | cat").out; };
  EXPECT_EQ(runSim("play " + d + " --weeks 1 --seed 18446744073709551616").exitCode, 2);
  EXPECT_NE(said("play " + d + " --weeks 1 --seed -1").find("0 から 18446744073709551615 までの整数"),
            std::string::npos);
  EXPECT_NE(said("play " + d + " --weeks 1 --bogus").find("知らないオプションか余分な引数です: --bogus"),
            std::string::npos);
  EXPECT_NE(said("play " + d + " --weeks 1 --seed 1 --seed 2").find("--seed が二度以上"), std::string::npos);
  EXPECT_NE(said("play " + d + " --weeks").find("オプション --weeks に値がありません。"), std::string::npos);
  EXPECT_EQ(newGame("ねこねこねこねこねこ", "タマ〜").exitCode, 0)
      << "10 characters; the wave dash is mended";
  EXPECT_EQ(state()["playerName"], "ねこねこねこねこねこ");
}

TEST_F(SimTool, MissingOrDamagedSavesExitThreeAndStayAsTheyWere) {
  EXPECT_EQ(runSim("show " + d + " state").exitCode, 3);
  EXPECT_EQ(runSim("play " + d + " --weeks 1").exitCode, 3);
  EXPECT_FALSE(std::filesystem::exists(savePath(dir.path())));
  ASSERT_EQ(newGame("ミケ", "タマ").exitCode, 0);
  Bytes bytes = readBytes(savePath(dir.path()));
  bytes[23] = 42;  // breed of the first cat
  writeBytes(savePath(dir.path()), bytes);
  EXPECT_EQ(runSim("show " + d + " calendar").exitCode, 3);
  EXPECT_EQ(runSim("play " + d + " --weeks 3 --seed 1").exitCode, 3);
  EXPECT_EQ(readBytes(savePath(dir.path())), bytes);
}

TEST_F(SimTool, ShowPrintsTheCalendarAndBothLists) {
  ASSERT_EQ(newGame("ミケ", "タマ").exitCode, 0);
  const json cal = json::parse(runSim("show " + d + " calendar").out);
  ASSERT_EQ(cal.size(), 240u);
  EXPECT_EQ(cal[0]["raceName"], " 1/1 1R 未勝利戦");
  EXPECT_EQ(cal[239]["raceName"], "12/4 5R 猫皇記念");
  EXPECT_EQ(cal[239]["prize"], 1500);
  const auto retired = lines(runSim("show " + d + " list-retired 1").out);
  ASSERT_EQ(retired.size(), 6u);
  EXPECT_EQ(retired[0], "名　　前　　　        性別　  戦　　績");
  EXPECT_EQ(runSim("show " + d + " list-active").exitCode, 2) << "a list needs its order";
  EXPECT_EQ(runSim("show " + d + " list-active 4").exitCode, 2);
  EXPECT_EQ(runSim("show " + d + " weather").exitCode, 2);
}

TEST_F(SimTool, SeededPlayIsReproducibleToTheByte) {
  ASSERT_EQ(newGame("ミケ", "タマ").exitCode, 0);
  TempDir other;
  std::filesystem::copy(dir.path(), other.path(), std::filesystem::copy_options::recursive);
  const std::string args = " --weeks 30 --seed 99 --train 1,2,0,1,0,3 --style 2 --rest-below 50 --invite no";
  const SimRun a = runSim("play " + d + args);
  const SimRun b = runSim("play " + quoted(other.path()) + args);
  ASSERT_EQ(a.exitCode, 0);
  EXPECT_EQ(a.out, b.out);
  EXPECT_EQ(readBytes(savePath(dir.path())), readBytes(savePath(other.path())));
  const json out = json::parse(a.out);
  EXPECT_EQ(out["weeks"], 30);
  EXPECT_EQ(out["year"], 2001);
  EXPECT_EQ(out["month"], 8);
  EXPECT_EQ(out["week"], 3);
  EXPECT_EQ(out["lastWeek"].size(), 5u);
  EXPECT_EQ(out["lastWeek"][0]["race"], " 8/2 1R 新猫戦");
  // Saved as quitting with a save does: the next load continues in the same week.
  EXPECT_EQ(state()["month"], 8);
  EXPECT_EQ(runSim("play " + d + " --weeks 1 --train 1,2,3,4,0,0").exitCode, 2);
  EXPECT_EQ(runSim("play " + d + " --weeks 1 --style 4").exitCode, 2);
  EXPECT_EQ(runSim("play " + d + " --weeks 1 --invite maybe").exitCode, 2);
}

// The language is only what the weeks show: a season played in English leaves the save and the history
// of the same season played in Japanese, to the byte.
TEST_F(SimTool, ASeasonInEnglishLeavesTheSameSaveAndHistoryAsInJapanese) {
  ASSERT_EQ(newGame("ミケ", "タマ").exitCode, 0);
  TempDir other;
  std::filesystem::copy(dir.path(), other.path(), std::filesystem::copy_options::recursive);
  const std::string args = " --weeks 52 --seed 5 --train 2,1,1,0,2,3 --style 1 --rest-below 40 --invite yes --read-news";
  const SimRun ja = runSim("play " + d + args);
  const SimRun en = runSim("play " + quoted(other.path()) + args + " --lang en");
  ASSERT_EQ(ja.exitCode, 0);
  ASSERT_EQ(en.exitCode, 0);
  EXPECT_EQ(readBytes(savePath(dir.path())), readBytes(savePath(other.path())));
  const auto history = [](const std::filesystem::path& p) { return readBytes(p / HistoryFileName); };
  EXPECT_EQ(history(dir.path()), history(other.path()));
  for (const char* what : {"state", "formbook 0", "growth", "recovery"})
    EXPECT_EQ(runSim("show " + d + " " + what).out, runSim("show " + quoted(other.path()) + " " + what).out) << what;
  // The English run did speak English (its news), and the race lines it reports stay as they are.
  EXPECT_NE(en.out.find("A showcase of speed"), std::string::npos);
  EXPECT_NE(ja.out.find("スピードの競演"), std::string::npos);
  EXPECT_EQ(json::parse(ja.out)["lastWeek"], json::parse(en.out)["lastWeek"]);
  EXPECT_EQ(runSim("play " + d + " --weeks 1 --lang fr").exitCode, 2);
}

// --until stops before the cat's race week (and plays nothing when already there), or after the year end.
TEST_F(SimTool, PlayUntilStopsBeforeTheCatsRaceOrAfterTheYearEnd) {
  ASSERT_EQ(newGame("ミケ", "タマ").exitCode, 0);
  const std::string args = " --seed 5 --train 1,1,1,1,1,1 --invite no";
  const json race = json::parse(runSim("play " + d + " --until race" + args).out);
  EXPECT_EQ(race["stopReason"], "race");
  const json again = json::parse(runSim("play " + d + " --until race" + args).out);
  EXPECT_EQ(again["weeks"], 0);
  EXPECT_EQ(again["stoppedAt"], race["stoppedAt"]);
  const json capped = json::parse(runSim("play " + d + " --until yearend --weeks 2" + args).out);
  EXPECT_EQ(capped["weeks"], 2);
  EXPECT_EQ(capped["stopReason"], "weeks");
  const json year = json::parse(runSim("play " + d + " --until yearend" + args).out);
  EXPECT_EQ(year["stopReason"], "yearend");
  EXPECT_EQ(year["stoppedAt"], json({{"year", 2002}, {"month", 1}, {"week", 1}}));
  EXPECT_EQ(runSim("play " + d + " --seed 5").exitCode, 2) << "--weeks or --until";
  EXPECT_EQ(runSim("play " + d + " --until tomorrow").exitCode, 2);
}

// The season plan from the command line: a target marked, the weeks played up to it, a cat followed.
TEST_F(SimTool, ThePlanItsTargetsAndTheFollowedCats) {
  ASSERT_EQ(newGame("ミケ", "タマ").exitCode, 0);
  const json plan = json::parse(runSim("show " + d + " plan").out);
  ASSERT_EQ(plan.size(), 2u * 240 - state()["weekBase"].get<size_t>());
  EXPECT_EQ(plan[0]["verdict"], "never");
  EXPECT_EQ(plan.back()["verdict"], "later");
  const auto open = std::find_if(plan.begin(), plan.end(), [](const json& r) {
    return (r["verdict"] == "bookable" || r["verdict"] == "below") && r["month"].get<int>() >= 3;
  });
  ASSERT_NE(open, plan.end());
  const std::string race = std::to_string((*open)["year"].get<int>()) + " " + std::to_string((*open)["slot"].get<int>());
  ASSERT_EQ(runSim("target " + d + " " + race).exitCode, 0);
  const json marked = json::parse(runSim("show " + d + " plan").out);
  EXPECT_EQ(std::count_if(marked.begin(), marked.end(), [](const json& r) { return r["target"] == true; }), 1);
  EXPECT_EQ(runSim("target " + d + " 1999 0").exitCode, 2);

  ASSERT_EQ(runSim("follow " + d + " 5").exitCode, 0);
  const json rivals = json::parse(runSim("show " + d + " rivals").out);
  ASSERT_EQ(rivals.size(), 1u);
  EXPECT_EQ(rivals[0]["index"], 5);
  EXPECT_EQ(rivals[0]["name"], trimmed(state()["cats"][5]["name"]));
  EXPECT_EQ(rivals[0]["retired"], false);
  EXPECT_EQ(runSim("follow " + d + " 1000").exitCode, 2);

  const json played = json::parse(runSim("play " + d + " --until target --seed 5 --train 1,1,1,1,1,1").out);
  EXPECT_EQ(played["stopReason"], "target");
  EXPECT_EQ(played["stoppedAt"], json({{"year", (*open)["year"]}, {"month", (*open)["month"]}, {"week", (*open)["week"]}}));
  // The cats are ranked anew every week: the followed cat is found where it stands now.
  const int now = json::parse(runSim("show " + d + " rivals").out)[0]["index"];
  ASSERT_EQ(runSim("follow " + d + " " + std::to_string(now) + " --off").exitCode, 0);
  EXPECT_EQ(json::parse(runSim("show " + d + " rivals").out).size(), 0u);
}

TEST_F(SimTool, ShowRecordPrintsTheCareerUnderTheStoredName) {
  ASSERT_EQ(newGame("ミケ", "タマ").exitCode, 0);
  const int player = state()["playerCat"];
  const SimRun active = runSim("show " + d + " record " + std::to_string(player));
  ASSERT_EQ(active.exitCode, 0);
  const auto rows = lines(active.out);
  ASSERT_GT(rows.size(), 10u);
  EXPECT_EQ(rows[0], "タマ                  ");
  EXPECT_EQ(active.out.find('\r'), std::string::npos);
  const auto hall = lines(runSim("show " + d + " retired-record 4").out);
  ASSERT_FALSE(hall.empty());
  EXPECT_EQ(hall[0], "ゴインキョ4" + std::string(14, ' '));
  EXPECT_EQ(runSim("show " + d + " record 1000").exitCode, 2);
  EXPECT_EQ(runSim("show " + d + " retired-record 5").exitCode, 2);
  EXPECT_EQ(runSim("show " + d + " record").exitCode, 2);
}

TEST_F(SimTool, ReadingTheNewsEveryWeekFollowsTheBigRacesOfTheYear) {
  // The shipped population: seasoned cats fill and run the big races.
  std::filesystem::copy_file(std::filesystem::path(POLMINA_DATA_DIR) / "StartDiza.Dat",
                             dir.path() / "StartDiza.Dat", std::filesystem::copy_options::overwrite_existing);
  ASSERT_EQ(newGame("ミケ", "タマ").exitCode, 0);
  const json out = json::parse(runSim("play " + d + " --weeks 48 --seed 3 --read-news").out);
  std::vector<std::pair<int, int>> weeks;
  for (const json& n : out["news"]) {
    weeks.emplace_back(n["month"], n["week"]);
    EXPECT_EQ(n["caption"] == "", n["breed"] == -1);
    EXPECT_EQ(n["name"] == "", n["breed"] == -1);
  }
  const std::vector<std::pair<int, int>> expected = {{2, 4},  {3, 1},  {4, 4}, {5, 1}, {6, 4},
                                                     {7, 1},  {7, 2},  {8, 4}, {9, 1}, {10, 4},
                                                     {11, 1}, {12, 1}, {12, 4}};
  EXPECT_EQ(weeks, expected);
  ASSERT_FALSE(out["news"].empty());
  EXPECT_EQ(out["news"].back()["headline"], "３年に一度の大舞台\r\n『猫皇記念』　開　催\r\n");
  EXPECT_FALSE(json::parse(runSim("play " + d + " --weeks 1 --seed 3").out).contains("news"));
}

TEST(SimToolPaths, ProgramAndSaveFoldersWithJapaneseNamesAndSpaces) {
  TempDir root;
  const auto programDir = root.path() / u8"ポルミナ のゲーム";
  const auto saveDir = root.path() / u8"セーブ データ　一";
  std::filesystem::create_directories(programDir);
  std::filesystem::create_directories(saveDir);
  // The start data is found beside the program, which runs from its new folder.
  std::filesystem::copy_file(POLMINA_SIM, programDir / "polmina-sim");
  std::filesystem::copy_file(std::filesystem::path(POLMINA_DATA_DIR) / "StartDiza.Dat",
                             programDir / "StartDiza.Dat");
  const std::string sim = quoted(programDir / "polmina-sim");
  const std::string save = quoted(saveDir);
  ASSERT_EQ(runProgram(sim, "new " + save +
                                " --player ミケ --player-sex 0 --cat タマ --cat-sex 1 --trait 0 --breed 2")
                .exitCode,
            0);
  EXPECT_TRUE(std::filesystem::exists(savePath(saveDir)));
  ASSERT_EQ(runProgram(sim, "play " + save + " --weeks 2 --seed 5").exitCode, 0);
  EXPECT_EQ(json::parse(runProgram(sim, "show " + save + " state").out)["week"], 3);
  EXPECT_FALSE(std::filesystem::exists(tempPathFor(savePath(saveDir))));
}

TEST_F(SimTool, TheHistoryIsReadReplayedAndRecoveredFromTheCommandLine) {
  ASSERT_EQ(newGame("ミケ", "タマ").exitCode, 0);
  ASSERT_EQ(runSim("play " + d + " --weeks 40 --seed 5").exitCode, 0);
  const Bytes older = readBytes(savePath(dir.path()));
  ASSERT_EQ(runSim("play " + d + " --weeks 6 --seed 6").exitCode, 0);
  const Bytes newer = readBytes(savePath(dir.path()));
  const json s = state();
  EXPECT_EQ(json::parse(runSim("show " + d + " growth").out).size(), 46u);

  // Formbooks agree with the career counters, and every race in them runs again to its order.
  int shown = 0;
  for (size_t k = 0; k < s["cats"].size() && shown < 3; ++k) {
    if (s["cats"][k]["starts"] == 0) continue;
    const json rows = json::parse(runSim("show " + d + " formbook " + std::to_string(k)).out);
    EXPECT_EQ(rows.size(), s["cats"][k]["starts"].get<size_t>()) << k;
    for (const json& row : rows) {
      const SimRun replay = runSim("replay " + d + " " + std::to_string(row["raceId"].get<int64_t>()));
      EXPECT_EQ(replay.exitCode, 0) << replay.out;
      const json r = json::parse(replay.out);
      EXPECT_EQ(r["placed"], r["recorded"]);
      EXPECT_EQ(r["placed"][row["place"].get<size_t>() - 1], trimmed(s["cats"][k]["name"]));
    }
    ++shown;
  }
  EXPECT_EQ(shown, 3);
  EXPECT_EQ(runSim("replay " + d + " 999999").exitCode, 2);

  // A save rolled back behind the history is recovered byte for byte.
  EXPECT_EQ(runSim("recover " + d).exitCode, 2) << "nothing newer than the save";
  writeBytes(savePath(dir.path()), older);
  const json offer = json::parse(runSim("show " + d + " recovery").out);
  EXPECT_EQ(offer,
            (json{{"available", true}, {"year", s["year"]}, {"month", s["month"]}, {"week", s["week"]}}));
  EXPECT_EQ(runSim("recover " + d).exitCode, 0);
  EXPECT_EQ(readBytes(savePath(dir.path())), newer);

  // A damaged history is set aside and the tool goes on.
  writeBytes(dir.path() / "polmina-history.sqlite3", Bytes(4096, 7));
  const SimRun growth = runSim("show " + d + " growth");
  EXPECT_EQ(growth.exitCode, 0);
  EXPECT_EQ(growth.out, "[]\n");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "polmina-history.damaged-1.sqlite3")) << "a look changes nothing";
  EXPECT_EQ(runSim("play " + d + " --weeks 1").exitCode, 0);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "polmina-history.damaged-1.sqlite3"));
}

// The saved game's cat retires at the coming year end.
void makeRetiring(const std::filesystem::path& dir) {
  auto s = std::make_unique<GameState>();
  ASSERT_TRUE(loadGame(*s, dir));
  setRetiring(*s);
  applySavedCaptions(*s);
  ASSERT_TRUE(saveGame(*s, dir));
}

TEST_F(SimTool, CareersEndedByANewGameAndByRetirementAreKeptInTheHallWithTheirRaces) {
  ASSERT_EQ(newGame("ミケ", "タマ").exitCode, 0);
  ASSERT_EQ(runSim("play " + d + " --weeks 40 --seed 5").exitCode, 0);
  const Bytes first = readBytes(savePath(dir.path()));
  const int firstStarts = state()["cats"][state()["playerCat"].get<int>()]["starts"];

  // A game is never replaced without --force; a folder that cannot be written is named as such.
  const SimRun refused = newGame("ミケ", "クロ");
  EXPECT_EQ(refused.exitCode, 4);
  EXPECT_EQ(readBytes(savePath(dir.path())), first);
  writeBytes(dir.path() / "afile", Bytes(1, 0));
  const SimRun unwritable = runSim("new " + quoted(dir.path() / "afile" / "game") +
                                   " --player a --player-sex 0 --cat b --cat-sex 0 --trait 0 --breed 0");
  EXPECT_EQ(unwritable.exitCode, 3);
  ASSERT_EQ(newGame("ミケ", "クロ", "--force").exitCode, 0);
  const json backups = json::parse(runSim("show " + d + " backups").out);
  ASSERT_GE(backups.size(), 1u);
  EXPECT_EQ(readBytes(dir.path() / backups[0]["file"].get<std::string>()), first) << "the replaced save";

  // The new game's cat retires.
  ASSERT_EQ(runSim("play " + d + " --weeks 30 --seed 6").exitCode, 0);
  makeRetiring(dir.path());
  EXPECT_TRUE(json::parse(runSim("play " + d + " --weeks 1 --seed 7").out)["retired"]);

  const json hall = json::parse(runSim("show " + d + " careers").out);
  ASSERT_EQ(hall.size(), 2u);
  EXPECT_EQ(hall[0]["cat"], "クロ");
  EXPECT_EQ(hall[0]["ended"], "引退");
  EXPECT_EQ(hall[1]["cat"], "タマ");
  EXPECT_EQ(hall[1]["ended"], "中断");
  EXPECT_EQ(hall[1]["starts"], firstStarts);
  EXPECT_EQ(hall[1]["player"], "ミケ");
  for (const json& c : hall) {
    const json career =
        json::parse(runSim("show " + d + " career " + std::to_string(c["id"].get<int>())).out);
    EXPECT_EQ(career["formbook"].size(), c["starts"].get<size_t>());
    EXPECT_FALSE(career["growth"].empty());
    EXPECT_NE(career["record"].get<std::string>().find("総獲得賞金"), std::string::npos);
    for (const json& row : career["formbook"])
      EXPECT_EQ(runSim("replay " + d + " " + std::to_string(row["raceId"].get<int64_t>())).exitCode, 0);
  }
  EXPECT_NE(
      json::parse(runSim("show " + d + " career " + std::to_string(hall[0]["id"].get<int>())).out)["record"]
          .get<std::string>()
          .find("の全成績でした。"),
      std::string::npos);
  EXPECT_EQ(runSim("show " + d + " career 999").exitCode, 2);

  // The retired game's last save taken up and retired again: still one career of it.
  ASSERT_EQ(runSim("play " + d + " --weeks 1 --seed 8").exitCode, 0);
  EXPECT_EQ(json::parse(runSim("show " + d + " careers").out).size(), 2u);
  // Restoring the first game's save puts it back; what it replaces is a backup.
  const json now = json::parse(runSim("show " + d + " backups").out);
  int n = 0;
  for (const json& b : now)
    if (readBytes(dir.path() / b["file"].get<std::string>()) == first) n = b["n"];
  ASSERT_GT(n, 0);
  EXPECT_EQ(runSim("restore " + d + " " + std::to_string(n)).exitCode, 0);
  EXPECT_EQ(readBytes(savePath(dir.path())), first);
}

TEST_F(SimTool, WhileAnotherProgramHoldsTheFolderNothingWritesAndShowStillReads) {
  ASSERT_EQ(newGame("ミケ", "タマ").exitCode, 0);
  ASSERT_EQ(runSim("play " + d + " --weeks 2 --seed 5").exitCode, 0);
  const Bytes save = readBytes(savePath(dir.path()));
  const Bytes history = readBytes(dir.path() / HistoryFileName);
  {
    const auto game = FolderLock::take(dir.path(), "polmina");  // as the game holds it while it runs
    ASSERT_TRUE(game);
    EXPECT_FALSE(FolderLock::take(dir.path(), "polmina-sim")) << "one holder at a time";
    EXPECT_EQ(FolderLock::heldBy(dir.path()), "polmina");
    for (const std::string& writes : {"play " + d + " --weeks 8", "recover " + d, "restore " + d + " 1"})
      EXPECT_EQ(runSim(writes).exitCode, 5) << writes;
    EXPECT_EQ(newGame("ミケ", "クロ", "--force").exitCode, 5);
    EXPECT_EQ(runSim("show " + d + " state").exitCode, 0);
    EXPECT_EQ(json::parse(runSim("show " + d + " growth").out).size(), 2u);
    EXPECT_EQ(readBytes(savePath(dir.path())), save);
    EXPECT_EQ(readBytes(dir.path() / HistoryFileName), history) << "reading leaves the history as it was";
  }
  EXPECT_EQ(runSim("play " + d + " --weeks 1 --seed 6").exitCode, 0) << "free again once the holder ends";
}

TEST_F(SimTool, RecoveryIsOfferedOnlyForTheSavesOwnGameAndADamagedSavesCareerStaysInTheHall) {
  ASSERT_EQ(newGame("ミケ", "タマ").exitCode, 0);
  ASSERT_EQ(runSim("play " + d + " --weeks 6 --seed 5").exitCode, 0);
  const json none{{"available", false}, {"year", nullptr}, {"month", nullptr}, {"week", nullptr}};
  EXPECT_EQ(json::parse(runSim("show " + d + " recovery").out), none);
  // Replaced over a damaged save: the old game is still the history's, and goes to the hall.
  Bytes damaged = readBytes(savePath(dir.path()));
  damaged.resize(damaged.size() / 2);
  writeBytes(savePath(dir.path()), damaged);
  ASSERT_EQ(newGame("ミケ", "クロ", "--force").exitCode, 0);
  EXPECT_EQ(json::parse(runSim("show " + d + " recovery").out), none) << "never the replaced game";
  const json hall = json::parse(runSim("show " + d + " careers").out);
  ASSERT_EQ(hall.size(), 1u);
  EXPECT_EQ(hall[0]["cat"], "タマ");
  EXPECT_EQ(hall[0]["ended"], "中断");

  ASSERT_EQ(runSim("play " + d + " --weeks 3 --seed 6").exitCode, 0);
  ASSERT_EQ(runSim("play " + d + " --weeks 3 --seed 7").exitCode, 0);
  const Bytes older = readBytes(dir.path() / json::parse(runSim("show " + d + " backups").out)[0]["file"].get<std::string>());
  ASSERT_EQ(runSim("restore " + d + " 1").exitCode, 0);
  EXPECT_EQ(readBytes(savePath(dir.path())), older);
  EXPECT_EQ(json::parse(runSim("show " + d + " recovery").out), none) << "the restore is not undone";
}

TEST_F(SimTool, AFolderThatCannotBeWrittenStillShowsItsHistory) {
  ASSERT_EQ(newGame("ミケ", "タマ").exitCode, 0);
  ASSERT_EQ(runSim("play " + d + " --weeks 2 --seed 5").exitCode, 0);
  ASSERT_EQ(newGame("ミケ", "クロ", "--force").exitCode, 0);
  ASSERT_EQ(runSim("play " + d + " --weeks 3 --seed 6").exitCode, 0);
  const Bytes older = readBytes(savePath(dir.path()));
  ASSERT_EQ(runSim("play " + d + " --weeks 2 --seed 7").exitCode, 0);
  const json careers = json::parse(runSim("show " + d + " careers").out);
  writeBytes(savePath(dir.path()), older);  // an older save, copied back by hand
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const json hall = json::parse(runSim("show " + d + " careers").out);
  const json growth = json::parse(runSim("show " + d + " growth").out);
  const json offer = json::parse(runSim("show " + d + " recovery").out);
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
  EXPECT_EQ(hall, careers);
  ASSERT_EQ(hall.size(), 1u);
  EXPECT_EQ(growth.size(), 5u) << "the saved game's weeks";
  EXPECT_EQ(offer["available"], true);
  EXPECT_EQ(offer["month"], 2);
  EXPECT_EQ(offer["week"], 2);
}

}  // namespace
}  // namespace polmina::testing
