// Any bytes as the save file: the load either refuses them and leaves the running game exactly as it
// was, or gives a game whose every record is in range and whose player's cat is where it says.
#include <cstdint>
#include <memory>
#include <vector>

#include "check.h"
#include "store/record.h"
#include "store/savefile.h"

using namespace polmina;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const auto running = [] {
    auto s = std::make_unique<GameState>();
    s->money = 4321;
    s->playerName = u"遊んでいる人";
    return s;
  }();
  auto s = std::make_unique<GameState>(*running);
  const StoreResult r = loadGameBytes(*s, std::vector<uint8_t>(data, data + size));
  if (!r) {
    FUZZ_EXPECT(!r.message.empty());
    FUZZ_EXPECT(s->money == running->money && s->playerName == running->playerName);
    FUZZ_EXPECT(s->cats == running->cats && s->year == running->year);
    return 0;
  }
  FUZZ_EXPECT(s->catCount == MaxCats);
  FUZZ_EXPECT(s->cats[static_cast<size_t>(s->playerCat)].owner == 1);
  FUZZ_EXPECT(s->retiredCount >= 0 && s->retiredCount <= 100);
  for (const CatRecord& c : s->cats) {
    FUZZ_EXPECT(!catOutOfRange(c));
    FUZZ_EXPECT(c.name.size() == CatNameLength);
  }
  return 0;
}
