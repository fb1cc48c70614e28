#pragma once
// The weekly newspaper: previews of the big races, their results, the new-cat races of July and the
// entries of the year's last race. The topic is composed here as text; the topics window shows it.
#include <string>
#include <vector>

#include "world/game.h"
#include "world/i18n.h"

namespace polmina {

inline constexpr const char16_t* TopicsTitle = N_(u"今週のトピック");
// The box of a week without a topic (and, with a full stop, of the first week of the year).
inline constexpr const char16_t* NoNewsText = N_(u"おもだったニュースはありません");
inline constexpr const char16_t* NoNewsFirstWeekText = N_(u"おもだったニュースはありません。");

struct Topic {
  // False: no topic this week; the player gets the box with noNewsText instead of the window.
  bool news = false;
  std::u16string noNewsText;
  std::u16string headline;  // one or two lines, each ending in CR LF
  std::u16string article;   // lines separated by CR LF
  // Under the face: "優勝猫", "期待の1歳猫" or "一番人気猫", and the cat's name; both empty, and
  // faceBreed -1, when no face is shown (a cancelled race).
  std::u16string caption;
  std::u16string faceName;
  int faceBreed = -1;
  // The names of the cats the topic is about, as it writes them: a line may break around a name but
  // never inside one.
  std::vector<std::u16string> names;
};

// The topic of the current week, with what reading it changes: the preview's wording is kept for
// the week (previewTemplate), the December preview renames the year's last race in the calendar, and
// the July new-cat topic reorders cats by speed.
Topic weeklyTopic(Game& g);

// "10才 雄": a cat's age and sex as the results article writes them after its name.
std::u16string ageAndSex(int age, int sex);

// The "新聞" button: no news in the first week of the year, else the week's topic.
Topic readNewspaper(Game& g);

}  // namespace polmina
