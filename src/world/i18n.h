#pragma once
// The game's languages. Japanese is the game's own: every text is written in Japanese in the sources
// and is its own key in the catalog (po/en.po, built into polmina.en.mo). With no catalog loaded every
// text stays exactly as written. Only what is shown is translated: what the save file and the history
// keep is always Japanese.
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

// Marks a text of a table for the catalog; it is translated where it is shown, with tr().
#define N_(text) text
// The same for a text looked up with trc(context, text).
#define NC_(context, text) text

namespace polmina {

// The title of the game's general message boxes.
inline constexpr const char16_t* BoxTitle = N_(u"ルネッタ");

enum class Language { Japanese, English };

// "ja" or "en" (the command line's and the settings' words); nothing else.
bool languageFromCode(std::u16string_view code, Language& out);
std::u16string languageCode(Language lang);

// Reads a compiled catalog (GNU .mo) and uses it from now on. False, and the game stays Japanese,
// when the file cannot be read or is not a catalog.
bool loadCatalog(const std::filesystem::path& moFile);
// Back to Japanese.
void unloadCatalog();
// The language of the texts tr() gives.
Language currentLanguage();

// The shown text of a Japanese text: its translation, or the text itself.
std::u16string tr(std::u16string_view japanese);

// The same for a text that means something else elsewhere ("普通": fair condition, or average growth):
// `context` tells the two apart in the catalog.
std::u16string trc(std::u16string_view context, std::u16string_view japanese);

// `text` with every {key} replaced by its value: the words of a translated sentence may come in any
// order. A key without a value stays as written.
using TextArg = std::pair<std::u16string_view, std::u16string_view>;
std::u16string fill(std::u16string_view text, std::initializer_list<TextArg> args);
// fill(tr(japanese), args).
std::u16string trf(std::u16string_view japanese, std::initializer_list<TextArg> args);

// The catalog's file name for a language ("polmina.en.mo"); empty for Japanese.
std::string catalogFileName(Language lang);

}  // namespace polmina
