#include "world/i18n.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "world/romaji.h"
#include "world/text.h"

namespace polmina {

namespace {

struct Catalog {
  bool loaded = false;
  std::unordered_map<std::u16string, std::u16string> texts;
};

Catalog& catalog() {
  static Catalog c;
  return c;
}

// A .mo file: a magic number that also tells the byte order, the number of strings, and two tables
// of (length, offset) pairs, one for the originals and one for the translations.
class MoFile {
public:
  explicit MoFile(std::vector<char> bytes) : b_(std::move(bytes)) {}

  std::optional<uint32_t> word(size_t at) const {
    if (at > b_.size() || b_.size() - at < 4) return std::nullopt;
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      const auto byte = static_cast<uint8_t>(b_[at + static_cast<size_t>(swapped_ ? 3 - i : i)]);
      v |= static_cast<uint32_t>(byte) << (8 * i);
    }
    return v;
  }

  bool readHeader() {
    const auto magic = word(0);
    if (!magic) return false;
    if (*magic == 0xde120495u) swapped_ = true;
    else if (*magic != 0x950412deu) return false;
    const auto count = word(8), originals = word(12), translations = word(16);
    if (!count || !originals || !translations) return false;
    count_ = *count;
    originals_ = *originals;
    translations_ = *translations;
    return true;
  }

  uint32_t count() const { return count_; }

  // String `i` of the table at `table`; nothing when the table points outside the file.
  std::optional<std::string_view> string(uint32_t table, uint32_t i) const {
    const auto length = word(table + 8ull * i), offset = word(table + 8ull * i + 4);
    if (!length || !offset || *offset > b_.size() || b_.size() - *offset < *length) return std::nullopt;
    return std::string_view(b_.data() + *offset, *length);
  }

  std::optional<std::string_view> original(uint32_t i) const { return string(originals_, i); }
  std::optional<std::string_view> translation(uint32_t i) const { return string(translations_, i); }

private:
  std::vector<char> b_;
  bool swapped_ = false;
  uint32_t count_ = 0, originals_ = 0, translations_ = 0;
};

}  // namespace

bool languageFromCode(std::u16string_view code, Language& out) {
  if (code == u"ja") {
    out = Language::Japanese;
    return true;
  }
  if (code == u"en") {
    out = Language::English;
    return true;
  }
  return false;
}

std::u16string languageCode(Language lang) { return lang == Language::English ? u"en" : u"ja"; }

std::string catalogFileName(Language lang) {
  return lang == Language::English ? "polmina.en.mo" : std::string();
}

bool loadCatalog(const std::filesystem::path& moFile) {
  std::ifstream in(moFile, std::ios::binary);
  if (!in) return false;
  MoFile mo(std::vector<char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
  if (!mo.readHeader()) return false;
  std::unordered_map<std::u16string, std::u16string> texts;
  for (uint32_t i = 0; i < mo.count(); ++i) {
    const auto from = mo.original(i), to = mo.translation(i);
    if (!from || !to) return false;
    // The header (an empty original) and plural forms are not the game's; a context stays in the key.
    if (from->empty() || from->find('\0') != std::string_view::npos) continue;
    if (!to->empty()) texts[fromUtf8(*from)] = fromUtf8(*to);
  }
  catalog().texts = std::move(texts);
  catalog().loaded = true;
  return true;
}

void unloadCatalog() { catalog() = Catalog{}; }

Language currentLanguage() { return catalog().loaded ? Language::English : Language::Japanese; }

std::u16string tr(std::u16string_view japanese) {
  const Catalog& c = catalog();
  if (!c.loaded) return std::u16string(japanese);
  const auto it = c.texts.find(std::u16string(japanese));
  return it == c.texts.end() ? std::u16string(japanese) : it->second;
}

std::u16string trc(std::u16string_view context, std::u16string_view japanese) {
  const Catalog& c = catalog();
  if (!c.loaded) return std::u16string(japanese);
  const auto it = c.texts.find(std::u16string(context) + u'\x04' + std::u16string(japanese));
  return it == c.texts.end() ? std::u16string(japanese) : it->second;
}

namespace {

std::u16string fillFrom(std::u16string_view text, std::span<const TextArg> args) {
  std::u16string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const size_t open = text.find(u'{', i);
    if (open == std::u16string_view::npos) break;
    const size_t close = text.find(u'}', open);
    if (close == std::u16string_view::npos) break;
    out.append(text.substr(i, open - i));
    const std::u16string_view key = text.substr(open + 1, close - open - 1);
    const TextArg* arg = nullptr;
    for (const TextArg& a : args)
      if (a.first == key) arg = &a;
    if (arg) out.append(arg->second);
    else out.append(text.substr(open, close - open + 1));
    i = close + 1;
  }
  out.append(text.substr(i));
  return out;
}

}  // namespace

std::u16string fill(std::u16string_view text, std::initializer_list<TextArg> args) {
  return fillFrom(text, std::span<const TextArg>(args.begin(), args.size()));
}

std::u16string trf(std::u16string_view japanese, std::initializer_list<TextArg> args) {
  if (currentLanguage() == Language::Japanese) return fill(tr(japanese), args);
  // A cat's or a player's name in a sentence of another language is written in its letters.
  std::array<std::u16string, 8> names;
  std::array<TextArg, 8> shown;
  size_t n = 0;
  for (const TextArg& a : args) {
    if (n == shown.size()) return fill(tr(japanese), args);
    const bool name = a.first == u"cat" || a.first == u"player";
    if (name) names[n] = romanized(a.second);
    shown[n] = {a.first, name ? std::u16string_view(names[n]) : a.second};
    ++n;
  }
  return fillFrom(tr(japanese), std::span<const TextArg>(shown.data(), n));
}

}  // namespace polmina
