// Placeholder until the new-cat intake lands.
#include "game/intake.h"

namespace polmina {
void intakeNewCats(Game&) {}
}  // namespace polmina
