#include "game/hall.h"

#include <memory>

#include "game/career.h"

namespace polmina {

namespace {

// The titles and tables of a freshly started program: all a finished career's record reads.
const GameState& freshState() {
  static const auto s = [] {
    auto fresh = std::make_unique<GameState>();
    resetProgramState(*fresh);
    return fresh;
  }();
  return *s;
}

}  // namespace

std::u16string careerText(const Career& c) {
  return careerRecordText(freshState(), c.cat,
                          c.ended == EndedRetired ? CareerView::Farewell : CareerView::Retired);
}

std::u16string careerTitle(const Career& c) {
  const auto& names = freshState().titleNames;
  return c.cat.title < names.size() ? names[c.cat.title] : std::u16string();
}

}  // namespace polmina
