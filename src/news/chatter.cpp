#include "news/chatter.h"

#include <algorithm>

#include "rank/sort.h"
#include "world/calendar.h"
#include "world/numbers.h"
#include "world/text.h"

namespace polmina {

namespace {

constexpr std::u16string_view kTopCatMark = u"猫猫猫";

// Remarks of the week that the cat says only once; anything else stays pending until the week ends.
bool saidOnce(const std::u16string& remark) {
  return remark == tr(u"お話ししようニャ") || remark == tr(u"今週はなにもないニャ") ||
         remark == tr(u"調教の予定が入ってないニャ！！");
}

// Column of the saying tables by age: 1..5, 6..10, 11 and older; -1 for an age of 0.
int ageColumn(int age) {
  if (age <= 0) return -1;
  if (age <= 5) return 0;
  if (age <= 10) return 1;
  return 2;
}

// The slot of this week's race the player's cat is booked for, or -1.
int bookedSlotThisWeek(const GameState& s, const CatRecord& cat) {
  const int first = s.weekBase;
  return cat.entryRace >= first && cat.entryRace <= first + 4 ? cat.entryRace : -1;
}

std::u16string saying(Game& g, const ChatterTexts& texts, int age, int condition) {
  const int row = intFloorL(4 * g.rng.uniform());
  const int column = ageColumn(age);
  if (column < 0) return {};
  const ChatterTable& table = texts.tables[static_cast<size_t>(chatterBand(condition))];
  return substituteTopCat(g.s, table[static_cast<size_t>(3 * row + column)]);
}

}  // namespace

// A saying that starts with 猫猫猫 is said with the name of the year's richest cat in
// place of those three characters; its translation must start with 猫猫猫 too.
ChatterTexts buildChatterTexts(const std::u16string& player, const std::u16string& cat) {
  ChatterTexts t;
  t.tables[0] = {
      tr(u"今度の休みにはピクニックに行くニャ。あっ猫缶は絶対忘れないでほしいニャ。"),
      trf(u"今日は調子がいいニャ～    {cat} は次のレースが楽しみだニャ｡ ", {{u"cat", cat}}),
      trf(u"良い感じだニャ  {player}も一緒に歌でも唄わない？", {{u"player", player}}),
      trf(u"猫猫猫みたいに強くなりたいニャ、　なれるかニャ？　{player}はどう思うニャ？", {{u"player", player}}),
      trf(u"次のレースで勝ったら {player} ､なにかご褒美くれるかニャ？", {{u"player", player}}),
      tr(u"ドライブに行くのも良いニャ。  車は苦手だけど遠くにも行って見たいニャ。"),
      trf(u"遊園地に行ってみたいニャ　{player}は行ったことあるニャ？、　今度連れてってニャ", {{u"player", player}}),
      tr(u"この調子でいくニャ～  とっても良い感じに仕上がってきたニャ｡  "),
      trf(u"次のレースはいつだニャ？　　{cat} は早く出たいニャ～　", {{u"cat", cat}}),
      trf(u"お腹空いたニャ、 {cat} はプリンが食べたいニャ、　プリン食べたら負けないニャ", {{u"cat", cat}}),
      trf(u"毛づくろいもバッチリで きれいになったニャ｡ {player} も舐めてあげようか？", {{u"player", player}}),
      tr(u"一人で散歩に行っても心配することないニャ｡  見回りをしないと他の猫に甘く見られるニャ｡ "),
  };
  t.tables[1] = {
      trf(u"{player} はリズム感良い？ 走るにはリズムも大事なことだと思うニャ｡ ", {{u"player", player}}),
      trf(u"今日は天気が良いニャ {player} どこか連れて行って欲しいニャ｡ ", {{u"player", player}}),
      trf(u"早く調教するニャ～　{player} グズグズしてるとおいていくニャ!", {{u"player", player}}),
      trf(u"まだまだ大丈夫。　{player} 早く調教しようニャ｡ ", {{u"player", player}}),
      tr(u"泳ぐのは嫌いだけど海に行きたいニャ。 魚が食べられたらラッキーニャ！"),
      tr(u"頭撫でてくれないかニャ？ 気持ち良いからやる 気が出るニャ｡"),
      tr(u"走るのも得意だけど､高い所に上るのは､もっと得意ニャ｡  でもたまに失敗もするけどニャ｡"),
      trf(u"{player} 隠れんぼしニャい？  隠れるのは得意ニャ  おにごっこでもいいニャ", {{u"player", player}}),
      trf(u"猫猫猫はなんであんニャに強いニャ？　{player} 知ってるニャ？", {{u"player", player}}),
      trf(u"お腹空いたニャ、{cat} はプリンが食べたいニャ、　プリン食べたら絶好長ニャ", {{u"cat", cat}}),
      tr(u"次のレースはいつだニャ？ もうちょっとで完璧になるかもしれないニャ｡ "),
      trf(u"{cat} は頑張って調教するニャ！ じゃないと勝てないニャ!", {{u"cat", cat}}),
  };
  t.tables[2] = {
      trf(u"調教するのかニャ。 {player} のために頑張って走るニャ～", {{u"player", player}}),
      tr(u"次のレースに備えて 頑張るニャ! ゆっくりでもいいニャ｡"),
      trf(u"レースまでに 体力付けるニャ｡ {player} 頑張ろうニャ｡", {{u"player", player}}),
      trf(u"{player} なせばなるニャ。やる気になってきたから 頑張るニャ｡ ", {{u"player", player}}),
      tr(u"調教の前に爪とぎするニャ。　あんまり長くても走りにくくなるニャ。"),
      tr(u"たまに虫を追いかけるのも 良い運動になるニャ｡ あの動きがたまらないニャ｡"),
      trf(u"{player} ボチボチ調教しようニャ。 急いでも良いことないよ｡", {{u"player", player}}),
      trf(u"{player} 調教ばっかりじゃ 疲れるニャ・・・ たまには遊びに行くニャ｡", {{u"player", player}}),
      trf(u"もうそろそろ引退かニャ？  {cat} はもっと走っていたいニャ", {{u"cat", cat}}),
      trf(u"{player} レースはやってみないとわからないけど 調子は悪くないニャ｡ ", {{u"player", player}}),
      tr(u"猫はわがままって言われるけど、そんなことないニャ  猫にも色々いるの知ってたかニャ？"),
      tr(u"最近は疲れがなかなか取れないニャ　やっぱ歳のせいかニャ？ "),
  };
  t.tables[3] = {
      trf(u"{cat} は疲れたニャ・・・  もっと､ゆっくりしたいニャ ", {{u"cat", cat}}),
      tr(u"もうイヤだニャ。調教だけじゃなくて 遊びに行きたいニャ｡"),
      trf(u"{cat}はもう、ヘトヘトニャ～  温泉にでも入りたいニャ・・・", {{u"cat", cat}}),
      tr(u"頑張りすぎるのは良くないニャ。ゆっくり行くのがいいニャ｡ "),
      tr(u"今日は調教したくないニャ～　サボっちゃえばいいニャ。"),
      tr(u"まだ調教するの？ もう､いい加減にして欲しいニャ～"),
      trf(u"疲れたニャ　{player}はちょっと厳しいニャ", {{u"player", player}}),
      trf(u"{player} ちょっと休ませて このままだと病気になるニャ・・・", {{u"player", player}}),
      tr(u"今日は何もしたくないニャ  調教は飽きたんだニャ｡ "),
      tr(u"お腹空いたニャ、　プリンが食べたいニャ、　プリンくれなきゃ練習しないニャ"),
      tr(u"こんな状態で調教するのは ちょっと無謀じゃないのかニャ｡"),
      tr(u"ナデナデしてくれニャ。最近あまりかまってくれないんじゃないのかニャ？"),
  };
  t.tables[4] = {
      tr(u"なんだか将来が不安になってきたニャ。このままだとダメかもしれないニャ｡ "),
      tr(u"心配することないニャ。休んだら元気が出てくるはずニャ・・・"),
      tr(u"これ以上はもうダメニャ。しばらく休ませて欲しいニャ｡ "),
      tr(u"病気かもしれないニャ・・・ ちょっと休みたいんだニャ｡ "),
      trf(u"もうダメ・・・ {player} 猫使い荒すぎるニャ｡", {{u"player", player}}),
      tr(u"いっぱい寝ると元気が出るから大丈夫ニャ｡だから､静かにしてニャ｡"),
      trf(u"たまには抱っこして欲しいニャ。 {player} がゴロゴロさせてくれないと調子が悪くなるニャ・・・", {{u"player", player}}),
      tr(u"今はほっといてほしいニャ。じゃないと、ひっかいてしまうニャ。"),
      tr(u"もうどうでもいいニャ。そっとしておいてほしいニャ・・・"),
      tr(u"プリンくれるのニャ？　でも食べられないニャ、今は寝たいだけニャ"),
      tr(u"そっとしておいて欲しいニャ 今は何もしたくないニャ・・・"),
      trf(u"{cat} はもう駄目ニャ  やっぱ引退させてほしいニャ", {{u"cat", cat}}),
  };
  return t;
}

int chatterBand(int condition) {
  if (condition >= 101) return 0;
  if (condition >= 66) return 1;
  if (condition >= 31) return 2;
  if (condition >= 1) return 3;
  return 4;
}

std::u16string sleepingNoise(int condition) {
  static constexpr std::array<const char16_t*, 5> kNoises = {
      N_(u"スースースー"), N_(u"むニャむニャ・・・"), N_(u"ムニャムニャ・・・"), N_(u"グーグーグー"), N_(u"んーんー・・・")};
  return tr(kNoises[static_cast<size_t>(chatterBand(condition))]);
}

std::u16string substituteTopCat(GameState& s, std::u16string_view text) {
  if (!text.starts_with(kTopCatMark)) return std::u16string(text);
  // The richest cat is looked for among the first 999 records. A table that is not full is sorted
  // only over its cats: empty records must never move in among them.
  const int last = std::min(MaxCats - 2, s.catCount - 1);
  const CatTable cats(s.cats);
  sortByTotalPrizeOnly(cats, false, 0, last);
  reverseRange(cats, last);
  findPlayerCat(s);
  return shownName(s.cats[0]) + std::u16string(text.substr(kTopCatMark.size()));
}

std::u16string chooseChatterText(Game& g, const ChatterTexts& texts) {
  GameState& s = g.s;
  std::u16string shown;
  findPlayerCat(s);
  // A copy: the top-cat saying reorders the table.
  const CatRecord cat = catAt(s, s.playerCat);
  if (!s.pendingMessage.empty()) {
    shown = s.pendingMessage;
  } else if (const int slot = bookedSlotThisWeek(s, cat); slot >= 0) {
    shown = trf(u"今週末は{race}に出走予定ニャ   ", {{u"race", shownRaceName(slotAt(s, slot).raceName)}});
  } else {
    s.pendingMessage =
        s.conditionLevel == 6 ? sleepingNoise(cat.condition) : saying(g, texts, cat.age, cat.condition);
    shown = s.pendingMessage;
  }
  if (saidOnce(s.pendingMessage)) s.pendingMessage.clear();
  return shown;
}

}  // namespace polmina
