// The letters of keyboard tips as a table: mnemonics, presets and the owner's own texts,
// captions that start alike getting a second letter (after a space first, a digit last), and
// tips with nothing to show removed.
#include "toolkit/commandbars/KeyboardTipTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TipIn {
    const wchar_t* caption;
    const wchar_t* text;
    const wchar_t* preset;
};

struct TipCase {
    const char* name;
    std::vector<TipIn> tips;
    std::vector<std::wstring> texts;  // of the tips kept, in order
};

std::vector<std::wstring> Assign(const std::vector<TipIn>& in, std::vector<int>* owners = nullptr)
{
    std::vector<UTKKeyboardTipText> tips;
    int owner = 0;
    for (const TipIn& t : in) {
        UTKKeyboardTipText tip;
        tip.caption = t.caption;
        tip.text = t.text;
        tip.preset = t.preset;
        tip.owner = owner++;
        tips.push_back(tip);
    }
    KeyboardTipTexts::Assign(tips);
    std::vector<std::wstring> texts;
    for (const UTKKeyboardTipText& tip : tips) {
        texts.emplace_back(static_cast<LPCWSTR>(tip.text));
        if (owners != nullptr) {
            owners->push_back(tip.owner);
        }
    }
    return texts;
}

TEST(KeyboardTipTexts, Table)
{
    const TipCase cases[] = {
        {"three alike", {{L"Open", L"", L""}, {L"Options", L"", L""}, {L"Order", L"", L""}},
         {L"OP", L"OT", L"OR"}},
        {"a fourth and a fifth",
         {{L"Open", L"", L""}, {L"Options", L"", L""}, {L"Order", L"", L""}, {L"Oil", L"", L""},
          {L"O", L"", L""}},
         {L"OP", L"OT", L"OR", L"OI", L"O1"}},
        {"mnemonics apart", {{L"&File", L"", L""}, {L"&View", L"", L""}, {L"He&lp", L"", L""}},
         {L"F", L"V", L"L"}},
        {"a letter after a space first",
         {{L"&Tab Order", L"", L""}, {L"&Tools", L"", L""}},
         {L"TO", L"TL"}},
        {"a caption ending in an ampersand uses its first letter",
         {{L"Zoom&", L"", L""}, {L"Tools", L"", L""}},
         {L"Z", L"T"}},
        {"the owner's own text stays", {{L"Open", L"Q", L""}, {L"Order", L"", L""}},
         {L"Q", L"O"}},
        {"a preset stands in for the mnemonic", {{L"&Open", L"", L"K"}, {L"&Kill", L"", L""}},
         {L"KO", L"KI"}},
        {"nothing to show is removed", {{L"", L"", L""}, {L"&Play", L"", L""}}, {L"P"}},
        {"lower case comes up", {{L"play", L"", L""}}, {L"P"}},
    };
    for (const TipCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Assign(c.tips), c.texts);
    }
}

TEST(KeyboardTipTexts, RemovedTipsKeepTheOthersOwners)
{
    std::vector<int> owners;
    Assign({{L"&Play", L"", L""}, {L"", L"", L""}, {L"&Stop", L"", L""}}, &owners);
    EXPECT_EQ(owners, (std::vector<int>{0, 2}));
}

} // namespace
