#pragma once
// The compiled-in pictures and the game's look (fonts, the Japanese standard buttons, the style).
class QString;

namespace polmina {

// Registers the pictures of art/ under ":/art"; call once after the application is made.
void initResources();
// Default font, style sheet and palette of every window.
void installLook();
// Qt's own Japanese translation, so message boxes read はい(Y) / いいえ(N); false when it is missing.
bool installJapaneseButtons();

}  // namespace polmina
