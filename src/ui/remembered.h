#pragma once
// Choices of the player kept in the user's settings between runs, beside the display size and the
// language: the last training's bars and the fast-forward's choice of the races to watch.
#include <array>

namespace polmina {

// The six training bars' positions (0..5) of the last training; all 0 when none is remembered.
std::array<int, 6> rememberedTraining();
void rememberTraining(const std::array<int, 6>& bars);

// 早送り's "愛猫の出ない重賞は観戦しない"; off until the player first chooses it.
bool rememberedSkipOthers();
void rememberSkipOthers(bool skip);

}  // namespace polmina
