// Bounded mutation of the settings file through the XML layer (the system's XML parser, so it
// runs here under Wine rather than in the native fuzzers): every damaged file either loads, and
// then saves and loads again, or fails as damaged with a text; none crashes or hangs the load.
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "tests/WinNT_SP/Include_VS2005/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

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

std::string ReadBytes(const std::wstring& path)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return std::string();
    }
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD read = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(h);
    bytes.resize(read);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

// Edits that keep some of the structure: markup characters, cut elements, repeated spans,
// entities and stray bytes.
std::string Mutate(const std::string& seed, Rng& rng)
{
    static const char* const kPieces[] = {"<", ">", "</", "/>", "&", "&amp;", "&#0;", "&#x110000;",
                                          "\"", "=", "<el>", "</el>", "<![CDATA[", "]]>", "(",
                                          ")", ",", "\\", "\xC3", "\xFF\xFE", "\0"};
    std::string s = seed;
    const int edits = 1 + static_cast<int>(rng.Below(3));
    for (int i = 0; i < edits && !s.empty(); ++i) {
        const size_t at = rng.Below(s.size());
        switch (rng.Below(5)) {
        case 0:
            s.erase(at, 1 + rng.Below(24));
            break;
        case 1: {
            const char* piece = kPieces[rng.Below(sizeof kPieces / sizeof kPieces[0])];
            s.insert(at, piece[0] ? std::string(piece) : std::string(1, '\0'));
            break;
        }
        case 2: {
            const size_t length = 1 + rng.Below(64);
            s.insert(at, s.substr(at, length));
            break;
        }
        case 3:
            s[at] = static_cast<char>(rng.Next());
            break;
        default:
            s.resize(at);
            break;
        }
    }
    return s;
}

TEST(SettingsXmlFuzz, DamagedSettingsFilesLoadOrFailAsDamaged)
{
    orvane::test::TempFolder folder(L"settfuzz");
    const std::wstring seedPath = folder / L"seed.xml";
    Sett seed;
    seed.ApplyDefaults();
    seed.Item(SETT_LastUsedDir).SetStringValue(L"C:\\Talks & <notes> (2026), part=1");
    seed.Item(SETT_Networking).SetStringValue(L"(Proxy=(Host=h,Port=80),Use=1)");
    seed.Item(SETT_Shortcuts).SetListSize(2);
    seed.Item(SETT_Shortcuts).ListEntry(0)->SetStringValue(L"(k=1,c=2)");
    seed.Item(SETT_MainWnd_PosX).SetInt(-20);
    ASSERT_EQ(seed.Save(seedPath.c_str(), true), L"");
    const std::string bytes = ReadBytes(seedPath);
    ASSERT_FALSE(bytes.empty());

    Rng rng{0x5EED36u};
    const std::wstring path = folder / L"QVPSettings.xml";
    const std::wstring again = folder / L"again.xml";
    int loaded = 0;
    int damaged = 0;
    for (int i = 0; i < 400; ++i) {
        WriteBytes(path, Mutate(bytes, rng));
        Sett s;
        SettLoadFailure failure = SettLoadFailure::None;
        const std::wstring error = s.Load(path.c_str(), &failure);
        if (error.empty()) {
            ++loaded;
            ASSERT_EQ(failure, SettLoadFailure::None) << i;
            // What loaded saves, and the saved file loads to the same text.
            ASSERT_EQ(s.Save(again.c_str(), true), L"") << i;
            Sett back;
            ASSERT_EQ(back.Load(again.c_str()), L"") << i;
            EXPECT_STREQ(back.Root().ToText(0), s.Root().ToText(0)) << i;
        } else {
            ++damaged;
            EXPECT_EQ(failure, SettLoadFailure::Damaged) << i;
        }
    }
    EXPECT_GT(loaded, 0);
    EXPECT_GT(damaged, 0);
}

}  // namespace
