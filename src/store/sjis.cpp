#include "store/sjis.h"

#include <errno.h>
#include <iconv.h>

#include <array>
#include <stdexcept>

namespace polmina {

namespace {

// One conversion descriptor per direction, opened once.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert to Shift-JIS");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of `in`; returns false at the first sequence that cannot be converted.
  // With `replace`, such a sequence is skipped (one input unit) and `replacement` written instead.
  bool run(std::string_view in, std::string& out, bool replace, std::string_view replacement,
           size_t unit) const {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    std::array<char, 256> buf;
    while (left > 0) {
      char* dst = buf.data();
      size_t room = buf.size();
      const size_t rc = iconv(cd_, &src, &left, &dst, &room);
      out.append(buf.data(), static_cast<size_t>(dst - buf.data()));
      if (rc != static_cast<size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      if (!replace) return false;
      out.append(replacement);
      const size_t skip = std::min(unit, left);
      src += skip;
      left -= skip;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return true;
  }

 private:
  iconv_t cd_;
};

const Converter& encoder() {
  static const Converter c("CP932", "UTF-16LE");
  return c;
}
const Converter& decoder() {
  static const Converter c("UTF-16LE", "CP932");
  return c;
}

std::string_view asBytes(std::u16string_view s) {
  return {reinterpret_cast<const char*>(s.data()), s.size() * sizeof(char16_t)};
}

}  // namespace

std::optional<std::string> toSjis(std::u16string_view text) {
  std::string out;
  if (!encoder().run(asBytes(text), out, false, {}, 2)) return std::nullopt;
  return out;
}

std::u16string fromSjis(std::string_view bytes) {
  std::string out;
  static const char16_t kReplacement = u'\uFFFD';
  decoder().run(bytes, out, true,
                std::string_view(reinterpret_cast<const char*>(&kReplacement), sizeof(kReplacement)), 1);
  std::u16string r(out.size() / 2, u'\0');
  for (size_t i = 0; i < r.size(); ++i)
    r[i] = static_cast<char16_t>(static_cast<unsigned char>(out[2 * i]) |
                                 (static_cast<unsigned char>(out[2 * i + 1]) << 8));
  return r;
}

bool sjisRoundTrips(std::u16string_view text) {
  const auto bytes = toSjis(text);
  return bytes && fromSjis(*bytes) == text;
}

namespace {
int16_t computeSjisCode(char16_t c) {
  const auto bytes = toSjis(std::u16string_view(&c, 1));
  if (!bytes || bytes->empty()) return 0x3F;
  if (bytes->size() == 1) return static_cast<int16_t>(static_cast<unsigned char>((*bytes)[0]));
  const int code = (static_cast<unsigned char>((*bytes)[0]) << 8) | static_cast<unsigned char>((*bytes)[1]);
  return static_cast<int16_t>(code - 65536);
}
}  // namespace

// The sort keys ask for this on every comparison, so each character is converted once.
int16_t sjisCode(char16_t c) {
  static std::array<int32_t, 65536> cache = [] {
    std::array<int32_t, 65536> a;
    a.fill(-1000000);
    return a;
  }();
  int32_t& v = cache[c];
  if (v == -1000000) v = computeSjisCode(c);
  return static_cast<int16_t>(v);
}

}  // namespace polmina
