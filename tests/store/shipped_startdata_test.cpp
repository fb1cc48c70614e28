// The start data that ships beside the program: the population every new game begins with.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <numeric>
#include <set>

#include "store/builders.h"
#include "store/savefile.h"
#include "world/text.h"

namespace polmina {
namespace {

constexpr const char16_t* kPlayerCatName = u"試験猫";

// A new game right after the start data has arrived: the player's cat in cats[0].
struct ShippedStartData : ::testing::Test {
  static void SetUpTestSuite() {
    auto s = std::make_unique<GameState>();
    s->cats[0] = testing::plausibleCat(0, 1);
    s->cats[0].name = padRight(kPlayerCatName, CatNameLength);
    s->playerCat = 0;
    s->playerCatName = kPlayerCatName;
    player = new CatRecord(s->cats[0]);
    loaded = new StoreResult(loadStartData(*s, {POLMINA_DATA_DIR}));
    game = s.release();
  }
  static void TearDownTestSuite() {
    delete game;
    delete player;
    delete loaded;
  }

  static std::span<const CatRecord> computerCats() { return std::span(game->cats).subspan(1); }
  static std::span<const CatRecord> hall() {
    return std::span(game->retiredCats).first(static_cast<size_t>(std::max(game->retiredCount, 0)));
  }

  static GameState* game;
  static CatRecord* player;
  static StoreResult* loaded;
};
GameState* ShippedStartData::game = nullptr;
CatRecord* ShippedStartData::player = nullptr;
StoreResult* ShippedStartData::loaded = nullptr;

TEST_F(ShippedStartData, IsWholeAndLoadsIntoANewGame) {
  const auto file = startDataPath(POLMINA_DATA_DIR);
  EXPECT_EQ(std::filesystem::file_size(file), 1100u * FileRecordLength);
  ASSERT_TRUE(*loaded) << toUtf8(loaded->message);
  EXPECT_EQ(game->cats[0], *player);
  EXPECT_EQ(game->catCount, MaxCats);
  // A hall with room left for the retired cats of the new game; its members come first.
  EXPECT_GE(game->retiredCount, 1);
  EXPECT_LE(game->retiredCount, 100);
  for (int j = game->retiredCount; j < MaxRetired; ++j) EXPECT_EQ(game->retiredCats[j].owner, 0) << j;
}

TEST_F(ShippedStartData, EveryCatIsASoundRecord) {
  std::set<std::u16string> names{kPlayerCatName};
  auto check = [&](const CatRecord& c, bool live) {
    const std::u16string name = trim(c.name);
    SCOPED_TRACE(toUtf8(name));
    EXPECT_FALSE(name.empty());
    EXPECT_LE(name.size(), 10u);
    EXPECT_TRUE(names.insert(name).second) << "name used twice";
    EXPECT_GT(c.owner, 1);
    EXPECT_LE(c.breed, 10);
    EXPECT_GE(c.catClass, ClassSS);
    EXPECT_LE(c.catClass, ClassNew);
    EXPECT_GE(c.entryRace, -1);
    EXPECT_LT(c.entryRace, CalendarSize);
    EXPECT_LE(c.title, 25);
    EXPECT_GE(c.growthType, 1);
    EXPECT_LE(c.growthType, 5);
    EXPECT_GE(c.age, 1);
    EXPECT_EQ(c.retired, live ? 0 : -1);
    EXPECT_EQ(c.inUse, -1);
  };
  for (const CatRecord& c : computerCats()) check(c, true);
  for (const CatRecord& c : hall()) check(c, false);
  EXPECT_EQ(names.size(), 1 + 999 + hall().size());
}

// Everything a cat has was won racing: counters, prizes and titles agree with its starts, and
// nothing of a game in progress (this year's prize, rests, training menus) is carried in.
TEST_F(ShippedStartData, CareersAgreeWithTheRacesRun) {
  for (const CatRecord& c : computerCats()) {
    SCOPED_TRACE(toUtf8(trim(c.name)));
    const int placings = std::accumulate(c.results.begin(), c.results.end(), 0);
    EXPECT_LE(c.wins, c.starts);
    EXPECT_LE(placings, c.starts);
    if (c.starts == 0) {
      EXPECT_EQ(c.totalPrize, 0);
      EXPECT_EQ(c.title, 0);
    }
    EXPECT_GE(c.totalPrize, 0);
    EXPECT_EQ(c.yearPrize, 0);
    EXPECT_EQ(c.restWeeks, 0);
    EXPECT_EQ(
        c.trainSpeed1 + c.trainStamina1 + c.trainPower1 + c.trainSpeed2 + c.trainStamina2 + c.trainPower2, 0);
    // This year's crop, as young as the player's new cat and not yet raced or booked.
    EXPECT_EQ(c.catClass == ClassNew, c.age == 1);
    if (c.catClass == ClassNew) {
      EXPECT_EQ(c.starts, 0);
      EXPECT_EQ(c.entryRace, -1);
    }
  }
}

TEST_F(ShippedStartData, IsALivedInWorld) {
  const auto cats = computerCats();
  std::array<int, 11> perClass{};  // SS .. new cats
  for (const CatRecord& c : cats) perClass.at(static_cast<size_t>(c.catClass + 1)) += 1;
  for (int cls = ClassS; cls <= ClassNew; ++cls) EXPECT_GT(perClass.at(cls + 1), 0) << "class " << cls;
  EXPECT_EQ(perClass.at(ClassNew + 1), 200);
  // More cats in each lower class than in the classes above it, up to the 700万下.
  EXPECT_LT(perClass[1] + perClass[2], perClass[ClassB + 1]);
  EXPECT_LT(perClass[ClassB + 1], perClass[Class700 + 1]);
  const auto old = std::count_if(cats.begin(), cats.end(), [](const CatRecord& c) { return c.age >= 10; });
  EXPECT_GE(old, 50);
  EXPECT_LT(old, 400);
  const auto booked =
      std::count_if(cats.begin(), cats.end(), [](const CatRecord& c) { return c.entryRace >= 0; });
  EXPECT_GT(booked, 300) << "the first weeks of a new game need fields";
  EXPECT_TRUE(std::any_of(cats.begin(), cats.end(), [](const CatRecord& c) { return c.title != 0; }));
}

}  // namespace
}  // namespace polmina
