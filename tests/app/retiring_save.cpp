// Turns the saved game in a folder into one whose cat retires at the coming year end: the last week of
// the year, the cat at its peak age with nothing won this year and no race booked.
#include <iostream>
#include <memory>

#include "game/resume.h"
#include "history/history.h"
#include "store/savefile.h"
#include "support/retiring.h"
#include "world/state.h"

int main(int argc, char** argv) {
  using namespace polmina;
  if (argc != 2) {
    std::cerr << "usage: retiring_save DIR\n";
    return 2;
  }
  auto s = std::make_unique<GameState>();
  if (!resumeSavedGame(*s, argv[1])) {
    std::cerr << "no save in " << argv[1] << "\n";
    return 1;
  }
  testing::setRetiring(*s);
  // Written as the game writes its saves: the history knows it for one of them.
  History history(argv[1]);
  const SaveWitness witness(history);
  return saveGame(*s, argv[1]) ? 0 : 1;
}
