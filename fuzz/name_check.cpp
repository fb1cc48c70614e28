// Any UTF-16 text typed as a name. A refusal always says why; an accepted name is at most ten
// characters without spaces, survives the save file unchanged and is accepted again as it is.
#include <cstdint>
#include <string>

#include "check.h"
#include "game/newcat.h"
#include "store/record.h"
#include "world/text.h"

using namespace polmina;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string typed(size / 2, u'\0');
  for (size_t i = 0; i < typed.size(); ++i)
    typed[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  const NameCheck check = checkName(typed);
  if (!check.ok) {
    FUZZ_EXPECT(!check.message.empty() && check.name.empty());
    return 0;
  }
  FUZZ_EXPECT(!check.name.empty() && check.name.size() <= 10);
  FUZZ_EXPECT(check.name.find(u' ') == std::u16string::npos);
  CatRecord cat;
  cat.name = padRight(check.name, CatNameLength);
  const CatRecord stored = cat;
  cat.name = decodeName(encodeName(cat.name));
  cleanName(cat);
  FUZZ_EXPECT(cat.name == stored.name);
  const NameCheck again = checkName(check.name);
  FUZZ_EXPECT(again.ok && again.name == check.name);
  return 0;
}
