// Placeholder until race results land.
#include "race/results.h"

namespace polmina {
void finishRace(Game&, int, int) {}
}  // namespace polmina
