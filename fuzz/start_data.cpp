// Any bytes as the start data of a new game: refused with the game untouched, or 999 computer cats
// in range beside the player's own, none of them named like it.
#include <cstdint>
#include <memory>
#include <vector>

#include "check.h"
#include "store/record.h"
#include "store/savefile.h"
#include "world/text.h"

using namespace polmina;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const auto fresh = [] {
    auto s = std::make_unique<GameState>();
    s->cats[0].owner = 1;
    s->cats[0].name = padRight(u"タマ", CatNameLength);
    s->playerCatName = u"タマ";
    return s;
  }();
  auto s = std::make_unique<GameState>(*fresh);
  const StoreResult r = loadStartDataBytes(*s, std::vector<uint8_t>(data, data + size), "StartDiza.Dat");
  if (!r) {
    FUZZ_EXPECT(!r.message.empty());
    FUZZ_EXPECT(s->cats == fresh->cats && s->retiredCats == fresh->retiredCats);
    FUZZ_EXPECT(s->catCount == fresh->catCount && s->retiredCount == fresh->retiredCount);
    return 0;
  }
  FUZZ_EXPECT(s->catCount == MaxCats && s->cats[0] == fresh->cats[0]);
  FUZZ_EXPECT(s->retiredCount >= 0 && s->retiredCount <= MaxRetired);
  for (int i = 1; i < MaxCats; ++i) {
    const CatRecord& c = s->cats[static_cast<size_t>(i)];
    FUZZ_EXPECT(c.owner > 1 && !catOutOfRange(c));
    FUZZ_EXPECT(trim(c.name) != s->playerCatName);
  }
  return 0;
}
