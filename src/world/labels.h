#pragma once
// Words the windows show for codes of the cat record.
#include <string>

namespace polmina {

// Main window: "Sクラス" … "未勝利クラス"; empty for SS (the label is left as it was).
std::u16string classLabelMain(int catClass);
// Record view: "ＳＳクラス" … "新猫クラス".
std::u16string classLabelRecord(int catClass);
// "トラ" … "フメイ"; empty outside 0..10.
std::u16string breedName(int breed);
// "早熟", "普通", "晩成", "強靭"; empty for worn out (5) and anything else.
std::u16string growthTypeName(int growthType);
// "男の子/" or "女の子/".
std::u16string sexLabel(int sex);

}  // namespace polmina
