#include "world/romaji.h"

#include <array>
#include <string_view>

#include "world/i18n.h"

namespace polmina {

namespace {

// The syllables of katakana ァ (U+30A1) to ヶ (U+30F6), in code order; the small ones have their own
// rule below and read here as their full-size vowel.
constexpr std::array<const char*, 86> kKana = {
    "a",  "a",  "i",  "i",  "u",  "u",  "e",  "e",  "o",  "o",  "ka", "ga", "ki", "gi", "ku",
    "gu", "ke", "ge", "ko", "go", "sa", "za", "shi", "ji", "su", "zu", "se", "ze", "so", "zo",
    "ta", "da", "chi", "ji", "",  "tsu", "zu", "te", "de", "to", "do", "na", "ni", "nu", "ne",
    "no", "ha", "ba", "pa", "hi", "bi", "pi", "fu", "bu", "pu", "he", "be", "pe", "ho", "bo",
    "po", "ma", "mi", "mu", "me", "mo", "ya", "ya", "yu", "yu", "yo", "yo", "ra", "ri", "ru",
    "re", "ro", "wa", "wa", "i",  "e",  "o",  "n",  "vu", "ka", "ke"};

constexpr char16_t kFirst = u'ァ';
constexpr char16_t kSmallTsu = u'ッ';

bool isSmallVowel(char16_t c) {
  return c == u'ァ' || c == u'ィ' || c == u'ゥ' || c == u'ェ' || c == u'ォ';
}
bool isSmallY(char16_t c) { return c == u'ャ' || c == u'ュ' || c == u'ョ'; }
bool isVowel(char c) { return c == 'a' || c == 'i' || c == 'u' || c == 'e' || c == 'o'; }

char16_t asKatakana(char16_t c) {
  if (c >= u'ぁ' && c <= u'ゖ') return static_cast<char16_t>(c + 0x60);
  return c;
}

std::string_view syllable(char16_t c) {
  c = asKatakana(c);
  if (c < kFirst || c > u'ヶ') return {};
  return kKana[static_cast<size_t>(c - kFirst)];
}

// A small ャ/ュ/ョ or vowel joins the syllable before it: キ+ャ "kya", シ+ャ "sha", フ+ァ "fa", ウ+ィ "wi".
void joinSmall(std::string& out, size_t lastSize, char16_t small) {
  const std::string_view vowel = syllable(small);
  out.pop_back();  // the vowel of the syllable before
  const size_t stemSize = lastSize - 1;
  const std::string_view stem(out.data() + out.size() - stemSize, stemSize);
  if (isSmallY(small)) {
    const bool soft = stem == "sh" || stem == "ch" || stem == "j";
    out.append(soft ? vowel.substr(1) : vowel);
  } else {
    if (stemSize == 0) out.push_back('w');
    out.append(vowel);
  }
}

bool isKana(char16_t c) {
  c = asKatakana(c);
  return c >= kFirst && c <= u'ヶ';
}

// One run of kana in Latin letters.
std::string kanaRun(std::u16string_view run) {
  std::string out;
  size_t lastSize = 0;
  bool doubleNext = false;
  for (char16_t c : run) {
    const char16_t k = asKatakana(c);
    if (k == kSmallTsu) {
      doubleNext = true;
      continue;
    }
    if (lastSize > 0 && isVowel(out.back()) && (isSmallY(k) || isSmallVowel(k))) {
      joinSmall(out, lastSize, k);
      lastSize = 0;
      continue;
    }
    const std::string_view s = syllable(k);
    if (doubleNext && !s.empty() && !isVowel(s[0])) out.push_back(s.substr(0, 2) == "ch" ? 't' : s[0]);
    doubleNext = false;
    out.append(s);
    lastSize = s.size();
  }
  return out;
}

}  // namespace

std::u16string romanized(std::u16string_view name) {
  std::u16string out;
  bool wordStart = true;
  for (size_t i = 0; i < name.size();) {
    char16_t c = name[i];
    if (isKana(c)) {
      size_t end = i;
      while (end < name.size() && (isKana(name[end]) || name[end] == u'ー')) ++end;
      for (char letter : kanaRun(name.substr(i, end - i))) {
        out += static_cast<char16_t>(wordStart ? letter - 'a' + 'A' : letter);
        wordStart = false;
      }
      i = end;
      continue;
    }
    if (c >= u'！' && c <= u'～') c = static_cast<char16_t>(c - 0xFEE0);
    if (c == u'　' || c == u'・') c = u' ';
    if (wordStart && c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 'a' + 'A');
    out += c;
    wordStart = c == u' ' || c > 0x7F;
    ++i;
  }
  return out;
}

std::u16string shownName(std::u16string_view name) {
  if (currentLanguage() == Language::Japanese) return std::u16string(name);
  return romanized(name);
}

}  // namespace polmina
