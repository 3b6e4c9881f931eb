// Bounded fuzzing of the text-form reader and the text-to-elements conversion: mutated
// settings texts must parse or fail cleanly, never crash or read past the text.
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "WinNT_SP/Include_VS2005/XMLCommon.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

// A small deterministic generator (xorshift), so every run sees the same inputs.
struct Rng {
    uint32_t state;
    uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    size_t Below(size_t n) { return n ? Next() % n : 0; }
};

std::wstring SeedText()
{
    Sett s;
    s.Item(SETT_PlayVol).SetDouble(0.8);
    s.Item(SETT_LastUsedDir).SetStringValue(L"C:\\My Talks (2026), part=1");
    s.Item(SETT_Networking).SetStringValue(L"(Proxy=(Host=h,Port=80),Use=1)");
    s.Item(SETT_Shortcuts).SetListSize(3);
    s.Item(SETT_Shortcuts).ListEntry(0)->SetStringValue(L"(k=1,c=2)");
    s.Item(SETT_Shortcuts).ListEntry(2)->SetStringValue(L"(k=3)");
    s.Item(SETT_MainWnd_PosX).SetInt(-20);
    return s.Root().ToText(0);
}

std::wstring Mutate(const std::wstring& seed, Rng& rng)
{
    static const wchar_t kAlphabet[] = L"()=,\\ YZR0aF9.-E\t";
    std::wstring s = seed;
    const int edits = 1 + int(rng.Below(4));
    for (int i = 0; i < edits && !s.empty(); ++i) {
        const size_t at = rng.Below(s.size());
        switch (rng.Below(4)) {
        case 0:
            s.erase(at, 1 + rng.Below(8));
            break;
        case 1:
            s.insert(at, 1, kAlphabet[rng.Below(sizeof kAlphabet / sizeof(wchar_t) - 1)]);
            break;
        case 2:
            s[at] = kAlphabet[rng.Below(sizeof kAlphabet / sizeof(wchar_t) - 1)];
            break;
        default:
            s.resize(at);
            break;
        }
    }
    return s;
}

}  // namespace

TEST(TextFormFuzz, MutatedSettingsTextsParseOrFailCleanly)
{
    const std::wstring seed = SeedText();
    Rng rng{0x2545F491u};
    int parsed = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::wstring text = Mutate(seed, rng);
        Sett s;
        const int n = s.Root().Parse(text.c_str());
        ASSERT_GE(n, -1) << i;
        ASSERT_LE(n, int(text.size())) << i;
        if (n >= 0) {
            ++parsed;
            // Whatever was read writes and reads back to the same value.
            const std::wstring again = s.Root().ToText(0);
            Sett back;
            ASSERT_GE(back.Root().Parse(again.c_str()), 0) << again;
            EXPECT_STREQ(back.Root().ToText(0), again.c_str());
        }
    }
    EXPECT_GT(parsed, 0);
}

TEST(TextFormFuzz, MutatedTextsToXmlFailCleanly)
{
    const std::wstring seed = SeedText();
    Rng rng{0x9E3779B9u};
    for (int i = 0; i < 3000; ++i) {
        const std::wstring text = Mutate(seed, rng);
        std::wstring xml;
        TextToXmlText(L"Settings", text, 1, &xml);
    }
    SUCCEED();
}

TEST(TextFormFuzz, DeepNestingIsRefused)
{
    std::wstring deep = L"(a=";
    for (int i = 0; i < 100000; ++i) {
        deep += L'(';
    }
    deep += L'x';
    for (int i = 0; i < 100000; ++i) {
        deep += L')';
    }
    deep += L')';
    std::wstring xml;
    EXPECT_FALSE(TextToXmlText(L"Settings", deep, 1, &xml));
    Sett s;
    s.Item(SETT_Networking).SetStringValue(deep.substr(3, deep.size() - 4).c_str());
    EXPECT_NE(s.Save(L"C:\\orvane-deep.xml", true), L"");  // refused, not a crashed save
}
