// Damaged customised-bars state: a flipped or cut "Controls" block, an unknown bar class, a
// popup that leads back to itself, a count of 2^31, a file name that names no regular file.
// Each load returns without merging anything: the bars keep their built-in buttons, and the
// profile stays byte for byte as it was until the next save. Each case prints one line of
// what the load said.
#include "toolkit/commandbars/CUTKCommandBarsState.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/commandbars/CUTKCommandBarList.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/common/CUTKZipMemFile.h"
#include "toolkit/controls/CUTKControlPopup.h"
#include "tests/toolkit/commandbars/BarStateTestHost.h"

using namespace orvane::test;

namespace {

constexpr wchar_t kProfile[] = L"Damaged";
constexpr wchar_t kSection[] = L"Damaged-Controls";

// The built-in bar every host starts with.
CUTKToolBar* AddStandard(StateHost& host) { return host.AddLooseBar(100, L"Standard", 4); }

// The customised state of a host whose built-in bar lost its second button and gained a popup.
std::vector<BYTE> CustomisedBlock(BOOL popupCycle)
{
    StateHost host(TRUE);
    CUTKToolBar* bar = AddStandard(host);
    bar->GetControls()->Remove(bar->GetControls()->GetAt(1));
    auto* popupControl = static_cast<CUTKControlPopup*>(bar->GetControls()->Add(utkControlPopup, 900));
    CUTKPopupBar* popup = CUTKPopupBar::CreatePopupBar(host.m_bars);
    popup->SetBarID(500);
    popup->GetControls()->Add(utkControlButton, 901)->SetCaption(L"Inside");
    popupControl->SetCommandBar(popup);
    CUTKControlPopup* inner = nullptr;
    if (popupCycle) {
        // The popup's own control opens the popup again.
        inner = static_cast<CUTKControlPopup*>(popup->GetControls()->Add(utkControlPopup, 902));
        inner->SetCommandBar(popup);
    }
    popup->InternalRelease();
    UTK_COMMANDBARS_PROPEXCHANGE_PARAM param;
    param.bSaveOnlyCustomized = TRUE;
    param.pCommandBars = host.m_bars;
    std::vector<BYTE> block;
    EXPECT_TRUE(StoreCommandBarsBlock(host.m_bars, param, block));
    if (inner != nullptr)
        inner->SetCommandBar(nullptr);  // the cycle of references goes with the host
    return block;
}

std::vector<BYTE> Unpacked(const std::vector<BYTE>& block)
{
    CUTKZipMemFile file;
    std::vector<BYTE> copy(block);
    EXPECT_TRUE(file.AttachCompressedBuffer(copy.data(), static_cast<UINT>(copy.size()), FALSE));
    std::vector<BYTE> data(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!data.empty())
        file.Read(data.data(), static_cast<UINT>(data.size()));
    return data;
}

void Replace(std::vector<BYTE>& data, const char* from, const char* to)
{
    const size_t length = std::strlen(from);
    for (size_t i = 0; i + length <= data.size(); ++i) {
        if (std::memcmp(data.data() + i, from, length) == 0) {
            std::memcpy(data.data() + i, to, length);
            return;
        }
    }
    ADD_FAILURE() << "no " << from << " in the archive";
}

struct DamageCase {
    const char* name;
    std::function<void(CWinApp&)> write;
};

}  // namespace

TEST(BarStateDamaged, LoadsRefuseDamagedStateAndWriteNothing)
{
    ProfileApp profile(ProfileApp::kIni, L"damaged");
    const std::vector<BYTE> good = CustomisedBlock(FALSE);
    ASSERT_GT(good.size(), 12u);
    ASSERT_EQ(std::memcmp(good.data(), "ZIP!", 4), 0);
    const std::vector<BYTE> raw = Unpacked(good);
    ASSERT_GT(raw.size(), good.size());

    auto binary = [](std::vector<BYTE> bytes) {
        return [bytes](CWinApp& app) mutable {
            app.WriteProfileBinary(kSection, L"Controls", bytes.data(), static_cast<UINT>(bytes.size()));
            app.WriteProfileInt(kSection, L"LoadFromFile", 0);
        };
    };
    std::vector<BYTE> flipped = good;
    flipped[flipped.size() / 2] ^= 0x5A;
    std::vector<BYTE> cut(good.begin(), good.begin() + static_cast<long>(good.size() - 7));
    std::vector<BYTE> cutRaw(raw.begin(), raw.begin() + static_cast<long>(raw.size() / 2));
    std::vector<BYTE> unknownClass = raw;
    Replace(unknownClass, "CUTKToolBar", "CUTKToolBaz");
    std::vector<BYTE> notABar = raw;
    Replace(notABar, "CUTKToolBar", "CUTKControl");  // a class of another base
    std::vector<BYTE> hugeCount = raw;
    const DWORD count = 0x80000000u;
    std::memcpy(hugeCount.data(), &count, sizeof count);  // the "CommandBar" count comes first
    const std::vector<BYTE> cycle = CustomisedBlock(TRUE);

    const DamageCase cases[] = {
        {"flipped byte in the packed block", binary(flipped)},
        {"packed block cut short", binary(cut)},
        {"archive cut in half", binary(cutRaw)},
        {"unknown bar class", binary(unknownClass)},
        {"class of another base", binary(notABar)},
        {"count of 2^31", binary(hugeCount)},
        {"popup leading back to itself", binary(cycle)},
        {"letters that are no blob",
         [](CWinApp& app) { app.WriteProfileString(kSection, L"Controls", L"ZIP!notletters"); }},
        {"file name naming a directory",
         [](CWinApp& app) {
             wchar_t dir[MAX_PATH];
             ::GetTempPathW(MAX_PATH, dir);
             app.WriteProfileString(kSection, L"Controls", dir);
             app.WriteProfileInt(kSection, L"LoadFromFile", 1);
         }},
        {"file name naming a device",
         [](CWinApp& app) {
             app.WriteProfileString(kSection, L"Controls", L"NUL");
             app.WriteProfileInt(kSection, L"LoadFromFile", 1);
         }},
        {"file name naming nothing",
         [](CWinApp& app) {
             app.WriteProfileString(kSection, L"Controls", L"C:\\no\\such\\file");
             app.WriteProfileInt(kSection, L"LoadFromFile", 1);
         }},
    };

    std::wstring builtIn;
    for (const DamageCase& c : cases) {
        ::DeleteFileW(profile.m_ini.c_str());
        c.write(profile.m_app);
        const std::string before = profile.IniBytes();

        StateHost host(TRUE);
        CUTKToolBar* bar = AddStandard(host);
        builtIn = Captions(bar);
        CString problem;
        EXPECT_FALSE(LoadCustomizedBars(host.m_bars, kProfile, TRUE, &problem)) << c.name;
        EXPECT_FALSE(problem.IsEmpty()) << c.name;
        std::printf("[damaged state] %-34s -> refused: %ls\n", c.name, problem.GetString());
        EXPECT_EQ(Captions(bar), builtIn) << c.name;
        EXPECT_EQ(host.m_bars->GetCount(), 1) << c.name;
        EXPECT_EQ(host.m_bars->GetContextMenus()->GetCount(), 0) << c.name;

        // The whole load, layout included, reads only.
        host.m_bars->LoadBarState(kProfile, TRUE);
        EXPECT_EQ(Captions(bar), builtIn) << c.name;
        EXPECT_EQ(profile.IniBytes(), before) << c.name;
    }

    // The undamaged block loads: the customisation arrives.
    ::DeleteFileW(profile.m_ini.c_str());
    binary(good)(profile.m_app);
    StateHost host(TRUE);
    CUTKToolBar* bar = AddStandard(host);
    CString problem;
    EXPECT_TRUE(LoadCustomizedBars(host.m_bars, kProfile, TRUE, &problem)) << problem.GetString();
    EXPECT_NE(Captions(bar), builtIn);
    EXPECT_EQ(bar->GetControls()->GetCount(), 4);  // three left and the popup
    auto* popup = DYNAMIC_DOWNCAST(CUTKControlPopup, bar->GetControls()->GetAt(3));
    ASSERT_NE(popup, nullptr);
    ASSERT_NE(popup->GetCommandBar(), nullptr);
    EXPECT_EQ(Captions(popup->GetCommandBar()), L"Inside");
}
