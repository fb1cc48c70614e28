#pragma once
// Game text (UTF-16) to and from Qt's strings; the game's CR LF line breaks become plain newlines.
#include <QString>
#include <string>
#include <string_view>

namespace polmina {

inline QString qs(std::u16string_view s) {
  return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

inline QString shownText(std::u16string_view s) {
  return qs(s).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

inline std::u16string u16(const QString& s) { return s.toStdU16String(); }

}  // namespace polmina
