#include "ui/remembered.h"

#include <QSettings>
#include <QStringList>
#include <algorithm>
#include <memory>

namespace polmina {

namespace {

constexpr const char* kTrainingKey = "lastTraining";
constexpr const char* kSkipOthersKey = "skipOtherBigRaces";

std::unique_ptr<QSettings> settings() {
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("polmina"),
                                     QStringLiteral("polmina"));
}

}  // namespace

std::array<int, 6> rememberedTraining() {
  // Kept as "0,5,0,2,0,0"; anything else (a hand-edited file) counts as none.
  const QStringList parts =
      settings()->value(QString::fromLatin1(kTrainingKey)).toString().split(QLatin1Char(','));
  std::array<int, 6> bars{};
  if (parts.size() != 6) return bars;
  for (int b = 0; b < 6; ++b) bars[static_cast<size_t>(b)] = std::clamp(parts[b].toInt(), 0, 5);
  return bars;
}

void rememberTraining(const std::array<int, 6>& bars) {
  QStringList parts;
  for (int v : bars) parts << QString::number(v);
  settings()->setValue(QString::fromLatin1(kTrainingKey), parts.join(QLatin1Char(',')));
}

bool rememberedSkipOthers() { return settings()->value(QString::fromLatin1(kSkipOthersKey), false).toBool(); }

void rememberSkipOthers(bool skip) { settings()->setValue(QString::fromLatin1(kSkipOthersKey), skip); }

}  // namespace polmina
