#include "ui/Layout.h"

#include "ui/Texts.h"
#include "ui/main.h"

namespace layout {

namespace {
const Column kCurrentColumns[] = {{texts::kColumnNo, 50}, {texts::kColumnDate, 120}};
const Column kIncomingColumns[] = {{texts::kColumnNo, 50}, {texts::kColumnName, 70}, {texts::kColumnDate, 120}};
const char* const kKindItems[] = {texts::kCopy, texts::kMove, nullptr};
const char* const kPolicyItems[] = {texts::kOverwrite, texts::kNoOverwrite, texts::kInsertFree, nullptr};
constexpr int kTextHeight = 12;
}  // namespace

const ControlRow kControls[] = {
    {"ListView1", Kind::ListView, idListView1, 8, 16, 177, 129, nullptr, nullptr, 0, kCurrentColumns, 2, false, nullptr, &TfrMain::ListView1, nullptr, 0},
    {"ListView2", Kind::ListView, idListView2, 192, 16, 209, 225, nullptr, nullptr, 0, kIncomingColumns, 3, true, nullptr, &TfrMain::ListView2, nullptr, 0},
    {"StaticText1", Kind::Label, idStaticText1, 8, 0, 116, 16, texts::kCurrentLabel, nullptr, 0, nullptr, 0, false, &TfrMain::StaticText1, nullptr, nullptr, 0},
    {"StaticText2", Kind::Label, idStaticText2, 200, 0, 126, 16, texts::kIncomingLabel, nullptr, 0, nullptr, 0, false, &TfrMain::StaticText2, nullptr, nullptr, 0},
    {"RadioGroup1", Kind::RadioGroup, idRadioGroup1, 8, 152, 177, 49, texts::kOptionGroup, kKindItems, 0, nullptr, 0, false, nullptr, nullptr, &TfrMain::RadioGroup1, idRadio1First},
    {"Button1", Kind::Button, idButton1, 248, 248, 75, 25, texts::kStart, nullptr, 0, nullptr, 0, false, &TfrMain::Button1, nullptr, nullptr, 0},
    {"Button2", Kind::Button, idButton2, 328, 248, 75, 25, texts::kClear, nullptr, 0, nullptr, 0, false, &TfrMain::Button2, nullptr, nullptr, 0},
    {"RadioGroup2", Kind::RadioGroup, idRadioGroup2, 8, 208, 177, 65, texts::kSameNameGroup, kPolicyItems, 1, nullptr, 0, false, nullptr, nullptr, &TfrMain::RadioGroup2, idRadio2First},
};
const int kControlCount = sizeof kControls / sizeof kControls[0];

Rect RadioItemRect(const ControlRow& group, int index, int count)
{
    int room = group.height - kTextHeight - 5;
    int itemHeight = room / count;
    int topMargin = kTextHeight + 1 + (room % count) / 2;
    return {group.left + 8, group.top + topMargin + index * itemHeight, group.width - 10, itemHeight};
}

}  // namespace layout
