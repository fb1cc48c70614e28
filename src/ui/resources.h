#pragma once
// The compiled-in pictures and the game's look (fonts, the Japanese standard buttons, the style).
class QImage;
class QPixmap;
class QString;

namespace polmina {

// Registers the pictures of art/ under ":/art"; call once after the application is made.
void initResources();
// A picture of art/ (":/art/title.png") drawn for the display's pixel ratio: the @3x drawing above
// ×2, the @2x drawing above ×1, else the plain one; its devicePixelRatio says which, so painters
// and labels show it at the game's size.
QPixmap loadPicture(const QString& path);
QImage loadPictureImage(const QString& path);
// The ratio loadPicture draws for at this display (1, 2 or 3).
int pictureRatio();

// Default font, style sheet and palette of every window.
void installLook();
// Qt's own Japanese translation, so message boxes read はい(Y) / いいえ(N); false when it is missing.
bool installJapaneseButtons();

}  // namespace polmina
