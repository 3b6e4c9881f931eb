// The shortcut manager without windows: shortcut texts and their priorities, parsing texts back
// into keys, the key names, the mnemonic helpers, key matching, and the table stored in the
// four exchange storages and in the profile, damaged data included.
#include "toolkit/commandbars/CUTKShortcutManager.h"
#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/common/CUTKPropExchangeEnumerator.h"
#include "toolkit/common/CUTKPropExchangeIniFile.h"
#include "toolkit/common/CUTKPropExchangeRegistry.h"
#include "toolkit/common/CUTKPropExchangeXMLNode.h"
#include "platform/framework/window/CWinApp.h"
#include "tests/WinNT_SP/Include_VS2005/TempFolder.h"
#include "tests/toolkit/common/ExchangeTestStorage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;
using Accel = UTK_SHORTCUTMANAGER_ACCEL;

constexpr BYTE V = FVIRTKEY;
constexpr BYTE C = FCONTROL;
constexpr BYTE S = FSHIFT;
constexpr BYTE A = FALT;

Accel Make(int cmd, BYTE f1, WORD k1, BYTE f2 = 0, WORD k2 = 0)
{
    Accel a{};
    a.cmd = cmd;
    a.key[0].fVirt = f1;
    a.key[0].key = k1;
    a.key[1].fVirt = f2;
    a.key[1].key = k2;
    return a;
}

// A manager whose shortcuts have an original definition, as a product's own subclass would
// give it: saving, loading and Reset act only then.
class OriginalShortcutManager : public CUTKShortcutManager {
public:
    OriginalShortcutManager() : CUTKShortcutManager(nullptr) {}
    void SetOriginal(const std::vector<Accel>& accels)
    {
        auto table = std::make_unique<CUTKShortcutManagerAccelTable>(this);
        table->CopyAccels(accels.data(), static_cast<int>(accels.size()));
        SetOriginalAccelTable(std::move(table));
    }
};

std::vector<Accel> TableOf(CUTKShortcutManager& manager)
{
    int count = 0;
    auto records = manager.GetAccelTable()->CopyAccels(count);
    return std::vector<Accel>(records.get(), records.get() + count);
}

Bytes BytesOf(const std::vector<Accel>& accels)
{
    Bytes bytes(accels.size() * sizeof(Accel));
    if (!bytes.empty()) {
        std::memcpy(bytes.data(), accels.data(), bytes.size());
    }
    return bytes;
}

// The keys of two tables agree (text storages do not keep the padding bytes).
void ExpectSameKeys(const std::vector<Accel>& expected, const std::vector<Accel>& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i].cmd, actual[i].cmd);
        for (int k = 0; k < 2; ++k) {
            EXPECT_EQ(expected[i].key[k].fVirt, actual[i].key[k].fVirt);
            EXPECT_EQ(expected[i].key[k].key, actual[i].key[k].key);
        }
    }
}

CString Format(CUTKShortcutManager& manager, const Accel& accel, int* priority = nullptr)
{
    CUTKShortcutManagerAccel entry(&manager, accel);
    return manager.FormatAccel(&entry, priority);
}

TEST(ShortcutText, KeysAndPriorities)
{
    CUTKShortcutManager manager(nullptr);
    const struct {
        Accel accel;
        const wchar_t* text;
        int priority;
    } cases[] = {
        {Make(1, V | C | S, VK_F5), L"Ctrl+Shift+F5", 3},
        {Make(1, V | C, 'K', V | C, 'D'), L"Ctrl+K, Ctrl+D", 3},
        {Make(1, V | C, VK_CANCEL), L"Ctrl+Break", 3},
        {Make(1, V, VK_F5), L"F5", 4},
        {Make(1, V | A, 'R'), L"Alt+R", 2},
        {Make(1, V | S, 'R'), L"Shift+R", 1},
        {Make(1, V | A | S, VK_F4), L"Shift+Alt+F4", 2},
        {Make(1, V | A | UTK_FWINKEY, 'E'), L"Alt+Win+E", 2},
        {Make(1, V | S, VK_NUMPAD5), L"Shift+Num 5", 1},
        {Make(1, V, VK_PRIOR), L"Page Up", 4},
        {Make(1, V | C, 0), L"Ctrl", 3},
        {Make(1, V | C, 'K', V, VK_ESCAPE), L"Ctrl+K, Esc", 3},
        // Character keys: the character itself, also at 0x80 and above (not sign-extended).
        {Make(1, 0, 'a'), L"a", 4},
        {Make(1, 0, 0xE9), L"\x00E9", 4},
        {Make(1, 0, 0xFC), L"\x00FC", 4},
        {Make(1, 0, 0x0416), L"\x0416", 4},
        {Make(1, FNOINVERT, 4), L"Ctrl+D", 4},
        {Make(1, C, 'x'), L"Ctrl+x", 3},
    };
    for (const auto& c : cases) {
        int priority = 0;
        EXPECT_EQ(CString(c.text), Format(manager, c.accel, &priority)) << c.text;
        EXPECT_EQ(c.priority, priority) << c.text;
    }
}

TEST(ShortcutText, GetShortcutPicksByPriorityAndKeepsTheCallersText)
{
    const struct {
        const char* what;
        std::vector<Accel> table;
        const wchar_t* before;
        BOOL found;
        const wchar_t* after;
    } cases[] = {
        {"F5 over Ctrl+R", {Make(7, V | C, 'R'), Make(7, V, VK_F5)}, L"", TRUE, L"F5"},
        {"Ctrl+R over Alt+R", {Make(7, V | A, 'R'), Make(7, V | C, 'R')}, L"", TRUE, L"Ctrl+R"},
        {"Alt+R over Shift+R", {Make(7, V | S, 'R'), Make(7, V | A, 'R')}, L"", TRUE, L"Alt+R"},
        {"caller's Alt+R kept", {Make(7, V | C, 'R'), Make(7, V | A, 'R')}, L"Alt+R", TRUE,
         L"Alt+R"},
        {"caller's stale text replaced", {Make(7, V | C, 'R')}, L"Alt+Q", TRUE, L"Ctrl+R"},
        {"first among equals", {Make(7, V | C, 'R'), Make(7, V | C, 'T')}, L"", TRUE,
         L"Ctrl+R"},
        {"other commands ignored", {Make(8, V, VK_F5), Make(7, V | S, 'R')}, L"", TRUE,
         L"Shift+R"},
        {"none: emptied", {Make(8, V, VK_F5)}, L"Ctrl+R", FALSE, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CUTKShortcutManager manager(nullptr);
        manager.SetAccels(c.table.data(), static_cast<int>(c.table.size()));
        CString text = c.before;
        EXPECT_EQ(c.found, manager.GetShortcut(7, text));
        EXPECT_EQ(CString(c.after), text);
    }
}

TEST(ShortcutText, EmptyTableWithAnOriginalLeavesTheText)
{
    OriginalShortcutManager manager;
    manager.SetOriginal({Make(7, V, VK_F5)});
    CString text = L"as before";
    EXPECT_FALSE(manager.GetShortcut(7, text));
    EXPECT_EQ(CString(L"as before"), text);
    // Without command bars there is no frame to ask either.
    CUTKShortcutManager plain(nullptr);
    EXPECT_FALSE(plain.GetShortcut(7, text));
    EXPECT_EQ(CString(L"as before"), text);
}

TEST(ShortcutParse, Texts)
{
    CUTKShortcutManager manager(nullptr);
    const struct {
        const wchar_t* text;
        bool ok;
        Accel expected;
    } cases[] = {
        {L"Ctrl+home", true, Make(0, V | C, VK_HOME)},
        {L"ctrl+Home", false, {}},
        {L"CTRL+Home", false, {}},
        {L"Ctrl+0x7a", true, Make(0, V | C, 0x7A)},
        {L"Ctrl+0xba", true, Make(0, V | C, 0xBA)},
        {L"Ctrl+Shift+F5", true, Make(0, V | C | S, VK_F5)},
        {L"Shift+Alt+F4", true, Make(0, V | A | S, VK_F4)},
        {L"Alt+Win+E", true, Make(0, V | A | UTK_FWINKEY, 'E')},
        {L"Ctrl+K, Ctrl+D", true, Make(0, V | C, 'K', V | C, 'D')},
        {L"Ctrl+K, d", true, Make(0, V | C, 'K', V, 'D')},
        {L"Ctrl+Break", true, Make(0, V | C, VK_CANCEL)},
        {L"page down", true, Make(0, V, VK_NEXT)},
        {L"Num 7", true, Make(0, V, VK_NUMPAD7)},
        {L"Win", true, Make(0, V, VK_LWIN)},
        {L"Ctrl+K, ", false, {}},
        {L", Ctrl+D", false, {}},
        {L"Ctrl+", false, {}},
        {L"", false, {}},
        {L"0x", false, {}},
        {L"0x0", false, {}},
        {L"0xZZ", false, {}},
        {L"0x12345", false, {}},
        {L"0X7a", false, {}},
        {L"Ctrl+Nothing", false, {}},
    };
    for (const auto& c : cases) {
        Accel parsed = Make(99, 0x55, 0x5555, 0x55, 0x5555);
        EXPECT_EQ(c.ok, manager.ParseShortcut(c.text, parsed) != FALSE) << c.text;
        if (c.ok) {
            EXPECT_EQ(99, parsed.cmd) << c.text;
            EXPECT_EQ(c.expected.key[0].fVirt, parsed.key[0].fVirt) << c.text;
            EXPECT_EQ(c.expected.key[0].key, parsed.key[0].key) << c.text;
            EXPECT_EQ(c.expected.key[1].fVirt, parsed.key[1].fVirt) << c.text;
            EXPECT_EQ(c.expected.key[1].key, parsed.key[1].key) << c.text;
        } else {
            EXPECT_EQ(0x5555, parsed.key[0].key) << c.text << " changed a refused parse";
        }
    }
}

TEST(ShortcutParse, StorageTextsRoundTripWhateverTheLayout)
{
    CUTKShortcutManager manager(nullptr);
    const struct {
        Accel accel;
        const wchar_t* text;
    } cases[] = {
        {Make(1, V | C, 0xBA), L"Ctrl+0xba"},
        {Make(1, V | C | S, VK_F5), L"Ctrl+Shift+F5"},
        {Make(1, V | C, 'K', V | C, 'D'), L"Ctrl+K, Ctrl+D"},
        {Make(1, V | C, VK_CANCEL), L"Ctrl+Break"},
        {Make(1, V | A | UTK_FWINKEY, VK_OEM_PLUS), L"Alt+Win+0xbb"},
        {Make(1, V, VK_F12), L"F12"},
        {Make(1, V | S, VK_DELETE), L"Shift+Del"},
    };
    for (const auto& c : cases) {
        const CString text = manager.FormatAccelForStorage(c.accel);
        EXPECT_EQ(CString(c.text), text);
        Accel back = Make(c.accel.cmd, 0, 0);
        ASSERT_TRUE(manager.ParseShortcut(text, back)) << c.text;
        EXPECT_EQ(0, std::memcmp(&c.accel, &back, sizeof back)) << c.text;
    }
    // The shown text of an unnamed key comes from the keyboard layout, the stored one never.
    EXPECT_NE(CString(L"Ctrl+0xba"), Format(manager, Make(1, V | C, 0xBA)));
}

TEST(ShortcutKeys, NamesTableAndLayoutNames)
{
    CUTKShortcutManager manager(nullptr);
    int named = 0;
    for (UINT vk = 0; vk <= 0xFFFF; ++vk) {
        named += manager.GetTableKeyName(vk).IsEmpty() ? 0 : 1;
    }
    EXPECT_EQ(108, named);
    const struct {
        UINT vk;
        const wchar_t* name;
    } cases[] = {{'0', L"0"}, {'Z', L"Z"}, {0x03, L"Ctrl+Break"}, {0x1B, L"Esc"},
                 {0x5C, L"Win"}, {0x6E, L"Num ."}, {0x7B, L"F12"}, {0x69, L"Num 9"},
                 {0x91, L"Scrl Lock"}, {0xFE, L"Oem Clear"}, {0xBA, L""}, {0x0A, L""}};
    for (const auto& c : cases) {
        EXPECT_EQ(CString(c.name), manager.GetTableKeyName(c.vk)) << c.vk;
    }
    // Layout names: none for Ctrl+Break; otherwise lower case with the first letter raised.
    EXPECT_TRUE(CUTKShortcutManager::GetKeyLayoutName(0x03).IsEmpty());
    for (UINT vk : {0x21u, 0x24u, 0x2Eu, 0x41u, 0x70u, 0xBAu}) {
        const CString name = CUTKShortcutManager::GetKeyLayoutName(vk);
        if (name.IsEmpty()) {
            continue;
        }
        CString lower = name;
        lower.MakeLower();
        for (int i = 0; i < name.GetLength(); ++i) {
            if (::IsCharLowerW(lower[i])) {
                EXPECT_TRUE(::IsCharUpperW(name[i])) << vk;
                EXPECT_EQ(lower.Mid(i + 1), name.Mid(i + 1)) << vk;
                break;
            }
        }
    }
    // The table first, then the layout; the flag swaps the order.
    EXPECT_EQ(CString(L"Page Up"), manager.GetKeyName(VK_PRIOR));
    EXPECT_EQ(CUTKShortcutManager::GetKeyLayoutName(0xBA), manager.GetKeyName(0xBA));
    manager.m_bUseSystemKeyNameText = TRUE;
    const CString layoutPageUp = CUTKShortcutManager::GetKeyLayoutName(VK_PRIOR);
    EXPECT_EQ(layoutPageUp.IsEmpty() ? CString(L"Page Up") : layoutPageUp,
              manager.GetKeyName(VK_PRIOR));
}

TEST(ShortcutKeys, PlainEscapeIsRefusedUnlessAllowed)
{
    CUTKShortcutManager manager(nullptr);
    const struct {
        Accel accel;
        BOOL valid;
        BOOL validWhenAllowed;
    } cases[] = {
        {Make(1, V, VK_ESCAPE), FALSE, TRUE},
        {Make(1, V | FNOINVERT, VK_ESCAPE), FALSE, TRUE},
        {Make(1, V | S, VK_ESCAPE), TRUE, TRUE},
        {Make(1, V | C, VK_ESCAPE), TRUE, TRUE},
        {Make(1, V | A, VK_ESCAPE), TRUE, TRUE},
        {Make(1, 0, 27), TRUE, TRUE},
        {Make(1, V, VK_F1), TRUE, TRUE},
    };
    for (const auto& c : cases) {
        CUTKShortcutManagerAccel entry(&manager, c.accel);
        manager.m_bAllowEscapeShortcut = FALSE;
        EXPECT_EQ(c.valid, manager.IsValidAccel(&entry));
        manager.m_bAllowEscapeShortcut = TRUE;
        EXPECT_EQ(c.validWhenAllowed, manager.IsValidAccel(&entry));
    }
}

TEST(ShortcutKeys, MnemonicAmpersands)
{
    const struct {
        const wchar_t* text;
        int index;
    } cases[] = {{L"&File", 0}, {L"Fi&le", 2}, {L"A&&B", -1}, {L"&&", -1}, {L"A&&&B", 3},
                 {L"&&x&y", 3}, {L"End&", 3}, {L"", -1}, {L"Plain", -1}, {L"a&b&c", 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.index, FindMnemonicAmpersand(c.text)) << c.text;
    }
    EXPECT_EQ(-1, FindMnemonicAmpersand(nullptr));
}

TEST(ShortcutKeys, KeyForCharacter)
{
    const struct {
        wchar_t ch;
        UINT vk;
        BOOL expected;
    } cases[] = {
        {L'5', VK_NUMPAD5, TRUE}, {L'6', VK_NUMPAD5, FALSE}, {L'a', VK_NUMPAD1, FALSE},
        {L'F', 'F', TRUE},        {L'f', 'F', TRUE},         {L'g', 'F', FALSE},
        {L'1', '1', TRUE},        {L'x', VK_F1, FALSE},      {L'x', VK_SHIFT, FALSE},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, IsKeyForChar(c.ch, c.vk)) << static_cast<int>(c.ch) << " " << c.vk;
    }
    // Punctuation goes through the installed layouts: the character of the key, or of the key
    // with Shift held.
    wchar_t comma[4] = {};
    BYTE state[256] = {};
    HKL layout = ::GetKeyboardLayout(0);
    if (::ToUnicodeEx(VK_OEM_COMMA, ::MapVirtualKeyExW(VK_OEM_COMMA, MAPVK_VK_TO_VSC, layout),
                      state, comma, 4, 0, layout) == 1) {
        EXPECT_TRUE(IsKeyForChar(comma[0], VK_OEM_COMMA));
        EXPECT_FALSE(IsKeyForChar(L'q', VK_OEM_COMMA));
    }
}

TEST(ShortcutKeys, MatchingAndModifierState)
{
    auto msg = [](UINT message, WPARAM key) {
        MSG m{};
        m.message = message;
        m.wParam = key;
        return m;
    };
    const struct {
        const char* what;
        Accel::KEY key;
        MSG msg;
        BYTE modifiers;
        BOOL match;
    } cases[] = {
        {"virtual key down", {V | C, 0, 'K'}, msg(WM_KEYDOWN, 'K'), C, TRUE},
        {"other key", {V | C, 0, 'K'}, msg(WM_KEYDOWN, 'L'), C, FALSE},
        {"Ctrl missing", {V | C, 0, 'K'}, msg(WM_KEYDOWN, 'K'), 0, FALSE},
        {"Shift extra", {V | C, 0, 'K'}, msg(WM_KEYDOWN, 'K'), C | S, FALSE},
        {"Alt key on sys key down", {V | A, 0, 'R'}, msg(WM_SYSKEYDOWN, 'R'), A, TRUE},
        {"Alt missing", {V, 0, 'R'}, msg(WM_KEYDOWN, 'R'), A, FALSE},
        {"virtual key never on WM_CHAR", {V, 0, 'K'}, msg(WM_CHAR, 'K'), 0, FALSE},
        {"character on WM_CHAR", {0, 0, 'k'}, msg(WM_CHAR, 'k'), 0, TRUE},
        {"character ignores Ctrl and Shift", {0, 0, 'k'}, msg(WM_CHAR, 'k'), C | S, TRUE},
        {"character needs its Alt", {A, 0, 'k'}, msg(WM_SYSCHAR, 'k'), A, TRUE},
        {"character on key down", {0, 0, 'K'}, msg(WM_KEYDOWN, 'K'), 0, FALSE},
        {"key up never", {V, 0, 'K'}, msg(WM_KEYUP, 'K'), 0, FALSE},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.match, CUTKShortcutManager::IsKeyMatch(c.key, c.msg, c.modifiers)) << c.what;
    }
    // Modifier state: AltGr (left Ctrl with right Alt) counts the other Ctrl and Alt only.
    const struct {
        BOOL ctrl, alt, shift, lctrl, rctrl, lalt, ralt;
        BYTE state;
    } states[] = {
        {TRUE, FALSE, FALSE, TRUE, FALSE, FALSE, FALSE, C},
        {TRUE, TRUE, TRUE, TRUE, FALSE, TRUE, FALSE, C | A | S},
        {TRUE, TRUE, FALSE, TRUE, FALSE, FALSE, TRUE, 0},
        {TRUE, TRUE, FALSE, TRUE, TRUE, FALSE, TRUE, C},
        {TRUE, TRUE, FALSE, TRUE, FALSE, TRUE, TRUE, A},
        {FALSE, TRUE, FALSE, FALSE, FALSE, FALSE, TRUE, A},
    };
    for (const auto& s : states) {
        EXPECT_EQ(s.state, CUTKShortcutManager::ModifierStateFromKeys(
                               s.ctrl, s.alt, s.shift, s.lctrl, s.rctrl, s.lalt, s.ralt));
    }
}

TEST(ShortcutTable, ReplacedCopiedAndReset)
{
    OriginalShortcutManager manager;
    const std::vector<Accel> original = {Make(1, V, VK_F5), Make(2, V | C, 'K', V | C, 'D')};
    manager.SetOriginal(original);
    const ACCEL older[] = {{static_cast<BYTE>(V | C), 'O', 0xFFFE}, {V, VK_F2, 3}};
    manager.SetAccels(older, 2);
    const std::vector<Accel> fromOlder = TableOf(manager);
    ASSERT_EQ(2u, fromOlder.size());
    EXPECT_EQ(0xFFFE, fromOlder[0].cmd); // the older command is unsigned
    EXPECT_EQ(V | C, fromOlder[0].key[0].fVirt);
    EXPECT_EQ('O', fromOlder[0].key[0].key);
    EXPECT_EQ(0, fromOlder[0].key[1].key);
    for (int i = 0; i < manager.GetAccelTable()->GetCount(); ++i) {
        EXPECT_EQ(&manager, manager.GetAccelTable()->GetAt(i)->m_pManager);
    }
    manager.Reset();
    EXPECT_EQ(BytesOf(original), BytesOf(TableOf(manager)));
    // Without an original table Reset keeps what is there.
    CUTKShortcutManager plain(nullptr);
    plain.SetAccels(older, 2);
    plain.Reset();
    EXPECT_EQ(2u, TableOf(plain).size());
}

// ---- storage ----

// Records with odd padding bytes and keys that text storages cannot name.
std::vector<Accel> SampleTable()
{
    std::vector<Accel> accels = {
        Make(32771, V | C | S, VK_F5),   Make(32772, V | C, 'K', V | C, 'D'),
        Make(-5, V | C, 0xBA),           Make(57600, V | C, VK_CANCEL),
        Make(9, V | A | UTK_FWINKEY, 'E'), Make(0x7FFFFFFF, V, VK_NUMPAD0)};
    accels[0].key[0].pad = 0xAA;
    accels[1].key[1].pad = 0x5C;
    accels[2].key[0].pad = 0xFF;
    return accels;
}

Bytes StoreArchive(CUTKShortcutManager& manager)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CUTKPropExchangeArchive px(ar);
        manager.DoPropExchange(&px);
        ar.Close();
    }
    const UINT length = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    Bytes bytes(data, data + length);
    std::free(data);
    return bytes;
}

// FALSE when loading raised the archive's end-of-file exception.
BOOL LoadArchive(CUTKShortcutManager& manager, const Bytes& bytes)
{
    try {
        CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
        CArchive ar(&file, CArchive::load);
        CUTKPropExchangeArchive px(ar);
        manager.DoPropExchange(&px);
    } catch (CArchiveException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

struct Release {
    void operator()(CUTKPropExchange* px) const { px->InternalRelease(); }
};
using Held = std::unique_ptr<CUTKPropExchange, Release>;

TEST(ShortcutStorage, ArchiveKeepsTheRecordsByteForByte)
{
    const std::vector<Accel> sample = SampleTable();
    CUTKShortcutManager source(nullptr);
    source.SetAccels(sample.data(), static_cast<int>(sample.size()));
    const Bytes stream = StoreArchive(source);
    // Marker, schema 36, the count, then the records as they are.
    const Bytes head = {0xBF, 0xAD, 0xF0, 0x0F, 0x24, 0x00, 0x00, 0x00, 0x06, 0x00};
    ASSERT_EQ(head.size() + 6 * 12, stream.size());
    EXPECT_EQ(head, Bytes(stream.begin(), stream.begin() + 10));
    EXPECT_EQ(BytesOf(sample), Bytes(stream.begin() + 10, stream.end()));

    CUTKShortcutManager loaded(nullptr);
    loaded.SetAccels(std::vector<Accel>{Make(1, V, VK_F1)}.data(), 1);
    ASSERT_TRUE(LoadArchive(loaded, stream));
    EXPECT_EQ(BytesOf(sample), BytesOf(TableOf(loaded)));
    EXPECT_EQ(stream, StoreArchive(loaded));
}

TEST(ShortcutStorage, ArchiveOfTheOlderSchemaHoldsSystemRecords)
{
    // Schema 32: the count and 6-byte ACCEL records (flags, padding, key, command).
    const Bytes stream = {0xBF, 0xAD, 0xF0, 0x0F, 0x20, 0x00, 0x00, 0x00, 0x02, 0x00,
                          0x09, 0x77, 0x4F, 0x00, 0xFE, 0xFF,  // Ctrl+O, command 0xFFFE
                          0x01, 0x00, 0x71, 0x00, 0x03, 0x00}; // F2, command 3
    CUTKShortcutManager loaded(nullptr);
    ASSERT_TRUE(LoadArchive(loaded, stream));
    ExpectSameKeys({Make(0xFFFE, V | C, 'O'), Make(3, V, VK_F2)}, TableOf(loaded));
}

TEST(ShortcutStorage, DamagedArchiveKeepsTheTable)
{
    const std::vector<Accel> sample = SampleTable();
    CUTKShortcutManager source(nullptr);
    source.SetAccels(sample.data(), static_cast<int>(sample.size()));
    const Bytes stream = StoreArchive(source);
    const std::vector<Accel> previous = {Make(1, V, VK_F1), Make(2, V | C, 'P')};

    const struct {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"cut inside the records", Bytes(stream.begin(), stream.end() - 7)},
        {"count larger than the records",
         [&] {
             Bytes b = stream;
             b[8] = 0x40;
             return b;
         }()},
        {"count beyond any table (70000)",
         [&] {
             Bytes b(stream.begin(), stream.begin() + 8);
             const Bytes count = {0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00};
             b.insert(b.end(), count.begin(), count.end());
             b.insert(b.end(), stream.begin() + 10, stream.end());
             return b;
         }()},
        {"cut inside the count", Bytes(stream.begin(), stream.begin() + 9)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CUTKShortcutManager loaded(nullptr);
        loaded.SetAccels(previous.data(), static_cast<int>(previous.size()));
        LoadArchive(loaded, c.bytes);
        EXPECT_EQ(BytesOf(previous), BytesOf(TableOf(loaded)));
    }
}

TEST(ShortcutStorage, EveryCutOfAnArchiveKeepsTheTable)
{
    const std::vector<Accel> sample = SampleTable();
    CUTKShortcutManager source(nullptr);
    source.SetAccels(sample.data(), static_cast<int>(sample.size()));
    const Bytes stream = StoreArchive(source);
    const std::vector<Accel> previous = {Make(1, V, VK_F1), Make(2, V | C, 'P')};
    for (size_t length = 0; length < stream.size(); ++length) {
        CUTKShortcutManager loaded(nullptr);
        loaded.SetAccels(previous.data(), static_cast<int>(previous.size()));
        LoadArchive(loaded, Bytes(stream.begin(), stream.begin() + length));
        EXPECT_EQ(BytesOf(previous), BytesOf(TableOf(loaded))) << "cut at " << length;
    }
}

TEST(ShortcutStorage, RegistryKeepsTheRecordsByteForByte)
{
    orvane::test::TestRegistryKey key(L"shortcuts");
    const std::vector<Accel> sample = SampleTable();
    {
        CUTKShortcutManager source(nullptr);
        source.SetAccels(sample.data(), static_cast<int>(sample.size()));
        Held px(new CUTKPropExchangeRegistry(FALSE, key.Key(), L"Keys"));
        source.DoPropExchange(px.get());
    }
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(key.Query(L"Keys", L"Data", &type, &data));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ(BytesOf(sample), data);

    CUTKShortcutManager loaded(nullptr);
    {
        Held px(new CUTKPropExchangeRegistry(TRUE, key.Key(), L"Keys"));
        loaded.DoPropExchange(px.get());
    }
    EXPECT_EQ(BytesOf(sample), BytesOf(TableOf(loaded)));

    // A blob shorter than its count, or a count past any table: the table stays.
    const std::vector<Accel> previous = {Make(1, V, VK_F1)};
    const struct {
        DWORD count;
        size_t bytes;
    } damaged[] = {{6, 5 * 12}, {6, 6 * 12 - 1}, {100000, 6 * 12}};
    for (const auto& d : damaged) {
        SCOPED_TRACE(d.count);
        const Bytes blob = BytesOf(sample);
        key.Set(L"Bad", L"Data", REG_BINARY, blob.data(), static_cast<DWORD>(d.bytes));
        key.Set(L"Bad", L"Count", REG_DWORD, &d.count, 4);
        CUTKShortcutManager manager(nullptr);
        manager.SetAccels(previous.data(), 1);
        Held px(new CUTKPropExchangeRegistry(TRUE, key.Key(), L"Bad"));
        manager.DoPropExchange(px.get());
        EXPECT_EQ(BytesOf(previous), BytesOf(TableOf(manager)));
    }
}

TEST(ShortcutStorage, IniKeepsKeyTexts)
{
    orvane::test::TempFolder dir(L"shortcut-ini");
    const std::wstring file = dir / L"keys.ini";
    const std::vector<Accel> sample = SampleTable();
    {
        CUTKShortcutManager source(nullptr);
        source.SetAccels(sample.data(), static_cast<int>(sample.size()));
        Held px([&] {
            auto* ini = new CUTKPropExchangeIniFile(FALSE, nullptr, L"Keys");
            ini->AssignFile(file.c_str());
            return ini;
        }());
        source.DoPropExchange(px.get());
    }
    // Every section of the file, its "Key" texts in table order.
    std::vector<std::wstring> keys;
    std::vector<wchar_t> names(8192);
    const DWORD length = ::GetPrivateProfileSectionNamesW(names.data(), 8192, file.c_str());
    for (const wchar_t* name = names.data(); name < names.data() + length && *name;
         name += wcslen(name) + 1) {
        wchar_t value[256] = {};
        ::GetPrivateProfileStringW(name, L"Key", L"", value, 256, file.c_str());
        if (*value) {
            keys.push_back(value);
        }
    }
    EXPECT_EQ((std::vector<std::wstring>{L"Ctrl+Shift+F5", L"Ctrl+K, Ctrl+D", L"Ctrl+0xba",
                                         L"Ctrl+Break", L"Alt+Win+E", L"Num 0"}),
              keys);

    CUTKShortcutManager loaded(nullptr);
    Held px([&] {
        auto* ini = new CUTKPropExchangeIniFile(TRUE, nullptr, L"Keys");
        ini->AssignFile(file.c_str());
        return ini;
    }());
    loaded.DoPropExchange(px.get());
    ExpectSameKeys(sample, TableOf(loaded));
}

TEST(ShortcutStorage, XmlKeepsKeyTextsAndDropsTextsThatDoNotParse)
{
    const std::vector<Accel> sample = SampleTable();
    auto* root = new CUTKPropExchangeXMLNode(FALSE, nullptr, L"Shortcuts");
    Held stored(root);
    CUTKShortcutManager source(nullptr);
    source.SetAccels(sample.data(), static_cast<int>(sample.size()));
    source.DoPropExchange(stored.get());
    CComPtr<IXMLDOMDocument> doc = root->GetDocument();
    ASSERT_NE(nullptr, doc.p);
    CComPtr<IXMLDOMNode> docNode;
    doc->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(&docNode));
    {
        CUTKShortcutManager loaded(nullptr);
        Held px(new CUTKPropExchangeXMLNode(TRUE, docNode, L"Shortcuts"));
        loaded.DoPropExchange(px.get());
        ExpectSameKeys(sample, TableOf(loaded));
    }
    // A text that names no key drops its entry only.
    CComPtr<IXMLDOMElement> element;
    doc->get_documentElement(&element);
    // The second entry's element (entries are repeated "Shortcut" elements).
    CComPtr<IXMLDOMNodeList> children;
    element->get_childNodes(&children);
    ASSERT_NE(nullptr, children.p);
    CComPtr<IXMLDOMNode> second;
    children->get_item(1, &second);
    ASSERT_NE(nullptr, second.p);
    CComPtr<IXMLDOMElement> secondElement;
    second->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&secondElement));
    BSTR name = ::SysAllocString(L"Key");
    VARIANT value;
    value.vt = VT_BSTR;
    value.bstrVal = ::SysAllocString(L"Ctrl+Nothing");
    secondElement->setAttribute(name, value);
    ::SysFreeString(name);
    ::VariantClear(&value);
    CUTKShortcutManager loaded(nullptr);
    Held px(new CUTKPropExchangeXMLNode(TRUE, docNode, L"Shortcuts"));
    loaded.DoPropExchange(px.get());
    std::vector<Accel> expected = sample;
    expected.erase(expected.begin() + 1);
    ExpectSameKeys(expected, TableOf(loaded));
}

TEST(ShortcutStorage, TextStorageOfTheOlderSchemaAndBoundedCounts)
{
    orvane::test::TempFolder dir(L"shortcut-ini-old");
    const std::wstring file = dir / L"old.ini";
    auto put = [&](const wchar_t* section, const wchar_t* name, const wchar_t* value) {
        ::WritePrivateProfileStringW(section, name, value, file.c_str());
    };
    auto load = [&](CUTKShortcutManager& manager) {
        Held px([&] {
            auto* ini = new CUTKPropExchangeIniFile(TRUE, nullptr, L"Old");
            ini->AssignFile(file.c_str());
            return ini;
        }());
        manager.DoPropExchange(px.get());
    };
    put(L"Old", L"Schema", L"32");
    put(L"Old", L"Count", L"2");
    // Sections are found the way the storage names them: ask it for the first item's name.
    CString first;
    {
        Held px([&] {
            auto* ini = new CUTKPropExchangeIniFile(TRUE, nullptr, L"Old");
            ini->AssignFile(file.c_str());
            return ini;
        }());
        std::unique_ptr<CUTKPropExchangeEnumerator> items(px->GetEnumerator(L"Accel"));
        POSITION pos = items->GetPosition();
        ASSERT_NE(nullptr, pos);
        Held item(items->GetNext(pos));
        first = static_cast<CUTKPropExchangeIniFile*>(item.get())->GetSectionName();
    }
    CString second = first.Left(first.GetLength() - 1) + L"1";
    put(first, L"Id", L"40001");
    put(first, L"virt", L"9");
    put(first, L"key", L"79");
    put(second, L"Id", L"5");
    put(second, L"virt", L"1");
    put(second, L"key", L"113");
    CUTKShortcutManager manager(nullptr);
    load(manager);
    ExpectSameKeys({Make(40001, V | C, 'O'), Make(5, V, VK_F2)}, TableOf(manager));

    // A count past any table leaves the table as it was.
    put(L"Old", L"Count", L"5000000");
    const std::vector<Accel> previous = {Make(1, V, VK_F1)};
    manager.SetAccels(previous.data(), 1);
    load(manager);
    EXPECT_EQ(BytesOf(previous), BytesOf(TableOf(manager)));
}

// ---- the profile ----

class ProfileApp {
public:
    ProfileApp()
        : m_company(L"OrvaneTests-shortcuts-" + std::to_wstring(::GetCurrentProcessId())),
          m_app(L"ShortcutTest")
    {
        m_app.m_pszRegistryKey = _wcsdup(m_company.c_str());
        m_app.m_pszProfileName = _wcsdup(L"Profile");
    }
    ~ProfileApp()
    {
        const std::wstring path = L"Software\\" + m_company;
        ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
        ::RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    }
    CWinApp& App() { return m_app; }

private:
    std::wstring m_company;
    CWinApp m_app;
};

TEST(ShortcutProfile, VersionsDamageAndTheOriginalTable)
{
    ProfileApp profile;
    CWinApp& app = profile.App();
    const std::vector<Accel> sample = SampleTable();
    const std::vector<Accel> previous = {Make(1, V, VK_F1)};

    // Without an original table nothing is written or read.
    {
        CUTKShortcutManager plain(nullptr);
        plain.SetAccels(sample.data(), static_cast<int>(sample.size()));
        plain.SaveShortcuts(L"Plain");
        EXPECT_EQ(7u, app.GetProfileInt(L"Plain", L"AcceleratorsVersion", 7));
    }

    OriginalShortcutManager manager;
    manager.SetOriginal(previous);
    manager.SetAccels(sample.data(), static_cast<int>(sample.size()));
    manager.SaveShortcuts(L"Keys");
    EXPECT_EQ(1u, app.GetProfileInt(L"Keys", L"AcceleratorsVersion", 7));
    LPBYTE stored = nullptr;
    UINT size = 0;
    ASSERT_TRUE(app.GetProfileBinary(L"Keys", L"Accelerators", &stored, &size));
    EXPECT_EQ(BytesOf(sample), Bytes(stored, stored + size));
    delete[] stored;

    manager.SetAccels(previous.data(), 1);
    EXPECT_TRUE(manager.LoadShortcuts(L"Keys"));
    EXPECT_EQ(BytesOf(sample), BytesOf(TableOf(manager)));

    const ACCEL older[] = {{static_cast<BYTE>(V | C), 'O', 40001}, {V, VK_F2, 3}};
    const Bytes olderBytes(reinterpret_cast<const BYTE*>(older),
                           reinterpret_cast<const BYTE*>(older) + sizeof older);
    const Bytes sampleBytes = BytesOf(sample);
    const struct {
        const char* what;
        int version; // -1: not written
        Bytes blob;
        bool writeBlob;
        BOOL loaded;
        std::vector<Accel> result;
    } cases[] = {
        {"version 0: system records", -1, olderBytes, true, TRUE,
         {Make(40001, V | C, 'O'), Make(3, V, VK_F2)}},
        {"version 0 written", 0, olderBytes, true, TRUE,
         {Make(40001, V | C, 'O'), Make(3, V, VK_F2)}},
        {"version 1", 1, sampleBytes, true, TRUE, sample},
        {"version 2 reads nothing", 2, sampleBytes, true, FALSE, previous},
        {"missing value", 1, {}, false, FALSE, previous},
        {"version 1, length not a whole record", 1, Bytes(sampleBytes.begin(),
                                                          sampleBytes.end() - 1),
         true, FALSE, previous},
        {"version 0, length not a whole record", 0, Bytes(olderBytes.begin(),
                                                          olderBytes.end() - 2),
         true, FALSE, previous},
        {"version 1, too many records", 1,
         Bytes(12 * (CUTKShortcutManager::kMaxStoredAccels + 1), 0x01), true, FALSE, previous},
        {"empty table stored", 1, {}, true, TRUE, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::wstring section = std::wstring(L"Case") + std::to_wstring(&c - cases);
        if (c.version >= 0) {
            app.WriteProfileInt(section.c_str(), L"AcceleratorsVersion", c.version);
        }
        if (c.writeBlob) {
            app.WriteProfileBinary(section.c_str(), L"Accelerators",
                                   const_cast<BYTE*>(c.blob.data()),
                                   static_cast<UINT>(c.blob.size()));
        }
        manager.SetAccels(previous.data(), 1);
        EXPECT_EQ(c.loaded, manager.LoadShortcuts(section.c_str()));
        if (c.version == 1 && c.loaded) {
            EXPECT_EQ(BytesOf(c.result), BytesOf(TableOf(manager)));
        } else {
            ExpectSameKeys(c.result, TableOf(manager));
        }
    }
    manager.Reset();
    EXPECT_EQ(BytesOf(previous), BytesOf(TableOf(manager)));
}

} // namespace
