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
double running = 1.0;
std::optional<double> shrunk;

// The user's settings of the game; usable before the application object exists.
std::unique_ptr<QSettings> userSettings() {
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("polmina"),
                                     QStringLiteral("polmina"));
}

QString helpText() {
  // One text, so that the catalog holds it whole.
  return qtr(
      u"使い方: polmina [オプション]\n11種ポルミナF: 一匹の猫を育ててレースに出す育成ゲームです。\n\nオプション:\n  -h, --help     この説明を表示して終了します。\n  -v, --version  バージョンを表示して終了します。\n  --seed N       乱数の種を N (0 から 18446744073709551615 までの整数) にします。\n                 同じ種で同じ選択をすれば、同じ週の結果になります。不具合の報告に\n                 添えてください。\n  --scale F      表示サイズを F 倍 (1、1.5、2、3 のどれか) にします。次回からもこの\n                 大きさで起動します。画面に入らない大きさは、入る大きさに縮めます。\n  --lang L       表示の言語を L (ja 日本語、en 英語) にします。次回からもこの言語で\n                 起動します。\n  --mute         音を出さずに起動します。\n\nファイル: セーブ ZedeVazO.Dat、そのバックアップ polmina-backups/、履歴\npolmina-history.sqlite3 (プログラムのフォルダ、書き込めなければ\n~/.local/share/polmina/)、設定 ~/.config/polmina/polmina.conf\n");
}

constexpr const char16_t* kSeedRange = N_(u"0 から 18446744073709551615 までの整数");

// An option as the player typed it ("--bogus", "-x=1" without its value).
QString typedOption(const QStringList& args, const QString& name) {
  for (qsizetype i = 1; i < args.size(); ++i) {
    QString a = args[i].section(u'=', 0, 0);
    QString bare = a;
    while (bare.startsWith(u'-')) bare.remove(0, 1);
    if (a.startsWith(u'-') && bare == name) return a;
  }
  return QStringLiteral("--") + name;
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
  const QCommandLineOption mute(QStringLiteral("mute"));
  parser.addOptions({help, version, seed, scale, lang, mute});
  if (!parser.parse(args)) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
      QStringList typed;
      for (const QString& name : unknown) typed << typedOption(args, name);
      return mistake(qtr(u"知らないオプションです: %1").arg(typed.join(QStringLiteral(", "))));
    }
    // The only other mistake the parser finds: an option that takes a value came last, without it.
    const QString last = args.size() > 1 ? args.last().section(u'=', 0, 0) : QString();
    return mistake(qtr(u"オプション %1 に値がありません。").arg(last));
  }
  if (!parser.positionalArguments().isEmpty())
    return mistake(qtr(u"余分な引数です: %1").arg(parser.positionalArguments().join(u' ')));
  for (const QCommandLineOption& o : {seed, scale, lang}) {
    const QString name = o.names().last();
    if (parser.values(o).size() > 1)
      return mistake(qtr(u"オプション %1 が二度指定されています。").arg(typedOption(args, name)));
  }
  ParsedCommandLine r;
  r.options.mute = parser.isSet(mute);
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
      return wrong(qtr(u"--seed には %1を指定してください: %2").arg(qtr(kSeedRange), v));
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
  double best = DisplayScales[0];
  for (double s : DisplayScales)
    if (std::abs(s - scale) < std::abs(best - scale)) best = s;
  return best;
}

// The biggest window (the growth charts, 640 x 440) with its title bar and a desktop panel.
bool scaleFits(double scale, int screenWidth, int screenHeight) {
  return 640 * scale <= screenWidth && 440 * scale + 60 <= screenHeight;
}

double largestFittingScale(int screenWidth, int screenHeight) {
  double best = DisplayScales[0];
  for (double s : DisplayScales)
    if (scaleFits(s, screenWidth, screenHeight)) best = s;
  return best;
}

double scaleForScreen(int screenWidth, int screenHeight) {
  // The race window is 630 x 400; leave room for the desktop's panels and the window frame.
  double best = DisplayScales[0];
  for (double s : DisplayScales)
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

void setRunningScale(double scale, std::optional<double> from) {
  running = scale;
  shrunk = from;
}
double runningScale() { return running; }
std::optional<double> shrunkFrom() { return shrunk; }

std::optional<QString> shrinkNotice() {
  if (!shrunk) return std::nullopt;
  // Told once for each size that does not fit and the size shown instead, not at every start.
  const QString told = scaleCaption(*shrunk) + QStringLiteral(">") + scaleCaption(running);
  const auto settings = userSettings();
  if (settings->value(QStringLiteral("display/shrunkTold")).toString() == told) return std::nullopt;
  settings->setValue(QStringLiteral("display/shrunkTold"), told);
  settings->sync();
  return qtr(u"表示サイズ%1は画面に入りません。\r\n%2で表示します。").arg(scaleCaption(*shrunk), scaleCaption(running));
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
