#include <gtest/gtest.h>

#include "world/numbers.h"
#include "world/text.h"

namespace polmina {
namespace {

TEST(Text, TrimRemovesHalfWidthSpacesOnly) {
  EXPECT_EQ(trim(u"  ニャン　 "), u"ニャン　");
  EXPECT_EQ(trim(u"   "), u"");
  EXPECT_EQ(padRight(u"ミケ", 5), u"ミケ   ");
  EXPECT_EQ(padRight(u"abcdef", 3), u"abc");
  EXPECT_EQ(padLeft(u"7", 2), u" 7");
  EXPECT_EQ(padLeft(u"123", 2), u"123");
}

TEST(Text, Utf8RoundTripsEveryPlane) {
  const std::u16string s = u"ａｂc ポルミナ〜～\U0001F431";
  EXPECT_EQ(fromUtf8(toUtf8(s)), s);
  EXPECT_EQ(toUtf8(u"猫"), "\xE7\x8C\xAB");
  // Broken input becomes replacement characters instead of being dropped silently.
  EXPECT_EQ(fromUtf8("a\xE7\x8C"), u"a\uFFFD\uFFFD");
  EXPECT_EQ(fromUtf8("\xFF" "b"), u"\uFFFDb");
}

TEST(Numbers, RoundingWords) {
  EXPECT_EQ(fix(-2.7), -2);
  EXPECT_EQ(intFloor(-2.2), -3);
  EXPECT_EQ(cint(2.5), 2);
  EXPECT_EQ(cint(3.5), 4);
  EXPECT_EQ(cint(-2.5), -2);
  EXPECT_EQ(addSaturated(250, 10), 255);
  EXPECT_EQ(addSaturated(3, -5), 0);
}

}  // namespace
}  // namespace polmina
