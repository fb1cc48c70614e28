#include "ui/launch.h"

#include <QCommandLineParser>
#include <QSettings>
#include <cmath>
#include <memory>

#include "ui/qt_text.h"

namespace polmina {

namespace {

constexpr const char* kScaleKey = "display/scale";
constexpr const char* kLanguageKey = "language";
bool restartWanted = false;

// The user's settings of the game; usable before the application object exists.
std::unique_ptr<QSettings> userSettings() {
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("polmina"),
                                     QStringLiteral("polmina"));
}

QString helpText() {
  return qtr(
      u"使い方: polmina [オプション]\n11種ポルミナF: 一匹の猫を育ててレースに出す育成ゲームです。\n\nオプション:\n  -h, --help     この説明を表示して終了します。\n  -v, --version  バージョンを表示して終了します。\n  --seed N       乱数の種を N (0 以上の整数) にします。同じ種で同じ選択をすれば、\n                 同じ週の結果になります。不具合の報告に添えてください。\n  --scale F      表示サイズを F 倍 (1、1.5、2、3 のどれか) にします。次回からもこの\n                 大きさで起動します。\n  --lang L       表示の言語を L (ja 日本語、en 英語) にします。次回からもこの言語で\n                 起動します。\n");
}

ParsedCommandLine mistake(const QString& what) {
  ParsedCommandLine r;
  r.run = false;
  r.exitCode = 2;
  r.text = what + qtr(u"\n「polmina --help」で使い方を表示します。\n");
  return r;
}

}  // namespace

QString gameVersion() { return QStringLiteral(POLMINA_VERSION); }

ParsedCommandLine parseCommandLine(const QStringList& args) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, {});
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, {});
  const QCommandLineOption seed(QStringLiteral("seed"), {}, QStringLiteral("N"));
  const QCommandLineOption scale(QStringLiteral("scale"), {}, QStringLiteral("F"));
  const QCommandLineOption lang(QStringLiteral("lang"), {}, QStringLiteral("L"));
  parser.addOptions({help, version, seed, scale, lang});
  if (!parser.parse(args)) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
      return mistake(qtr(u"知らないオプションです: %1").arg(unknown.join(QStringLiteral(", "))));
    return mistake(qtr(u"オプションに値がありません: %1").arg(parser.errorText()));
  }
  if (!parser.positionalArguments().isEmpty())
    return mistake(qtr(u"余分な引数です: %1").arg(parser.positionalArguments().join(u' ')));

  ParsedCommandLine r;
  // First, so that help and the mistakes below come in the language asked for.
  if (parser.isSet(lang)) {
    Language l = Language::Japanese;
    if (!languageFromCode(parser.value(lang).toStdU16String(), l))
      return mistake(qtr(u"--lang には ja か en を指定してください: %1").arg(parser.value(lang)));
    r.options.lang = l;
  }
  const auto wrong = [&r](const QString& what) {
    ParsedCommandLine m = mistake(what);
    m.options.lang = r.options.lang;
    return m;
  };
  if (parser.isSet(help) || parser.isSet(version)) {
    r.run = false;
    r.text = parser.isSet(help) ? helpText() : qtr(u"11種ポルミナF %1\n").arg(gameVersion());
    return r;
  }
  if (parser.isSet(seed)) {
    bool ok = false;
    const QString v = parser.value(seed);
    const qulonglong n = v.toULongLong(&ok, 10);
    if (!ok || v.startsWith(u'+'))
      return wrong(qtr(u"--seed には 0 以上の整数を指定してください: %1").arg(v));
    r.options.seed = n;
  }
  if (parser.isSet(scale)) {
    bool ok = false;
    const QString v = parser.value(scale);
    const double f = v.toDouble(&ok);
    if (!ok || nearestScale(f) != f)
      return wrong(qtr(u"--scale には 1、1.5、2、3 のどれかを指定してください: %1").arg(v));
    r.options.scale = f;
  }
  return r;
}

QString scaleCaption(double scale) { return QStringLiteral("×") + QString::number(scale); }

double nearestScale(double scale) {
  double best = kDisplayScales[0];
  for (double s : kDisplayScales)
    if (std::abs(s - scale) < std::abs(best - scale)) best = s;
  return best;
}

double scaleForScreen(int screenWidth, int screenHeight) {
  // The race window is 630 x 400; leave room for the desktop's panels and the window frame.
  double best = kDisplayScales[0];
  for (double s : kDisplayScales)
    if (630 * s <= 0.9 * screenWidth && 400 * s <= 0.8 * screenHeight) best = s;
  return best;
}

std::optional<double> rememberedScale() {
  const QVariant v = userSettings()->value(QString::fromLatin1(kScaleKey));
  bool ok = false;
  const double f = v.toDouble(&ok);
  if (!v.isValid() || !ok) return std::nullopt;
  return nearestScale(f);
}

void rememberScale(double scale) {
  const auto settings = userSettings();
  settings->setValue(QString::fromLatin1(kScaleKey), scale);
  settings->sync();
}

Language rememberedLanguage() {
  Language lang = Language::Japanese;
  languageFromCode(userSettings()->value(QString::fromLatin1(kLanguageKey)).toString().toStdU16String(), lang);
  return lang;
}

void rememberLanguage(Language lang) {
  const auto settings = userSettings();
  settings->setValue(QString::fromLatin1(kLanguageKey), qs(languageCode(lang)));
  settings->sync();
}

void requestRestart() { restartWanted = true; }
bool restartRequested() { return restartWanted; }

QStringList argumentsForRestart(const QStringList& args) {
  QStringList kept;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    const bool remembered = a == u"--scale" || a == u"-scale" || a == u"--lang" || a == u"-lang";
    const bool rememberedWithValue = a.startsWith(u"--scale=") || a.startsWith(u"-scale=") ||
                                     a.startsWith(u"--lang=") || a.startsWith(u"-lang=");
    if (i > 0 && remembered) {
      ++i;  // and its value
    } else if (i == 0 || !rememberedWithValue) {
      kept << a;
    }
  }
  return kept;
}

}  // namespace polmina
