#pragma once
// Game text (UTF-16) to and from Qt's strings; the game's CR LF line breaks become plain newlines.
#include <QString>
#include <string>
#include <string_view>

#include "world/i18n.h"

namespace polmina {

inline QString qs(std::u16string_view s) {
  return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

inline QString shownText(std::u16string_view s) {
  return qs(s).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The shown text of a Japanese text of the windows (see tr()).
inline QString qtr(std::u16string_view japanese) { return qs(tr(japanese)); }
inline QString qtr(const char* japaneseUtf8) { return qtr(QString::fromUtf8(japaneseUtf8).toStdU16String()); }

inline std::u16string u16(const QString& s) { return s.toStdU16String(); }

}  // namespace polmina
