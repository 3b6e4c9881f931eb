// Prints the shortcut manager's view of a sample table: each record's 12 bytes, the text shown
// beside a menu item and its priority, the text written to text storages and whether it parses
// back to the same keys, whether the shortcut is valid, and the text each command shows.
// Run under Wine: wine toolkit_shortcut_table_show.exe
#include "toolkit/commandbars/CUTKShortcutManager.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <vector>

namespace {

UTK_SHORTCUTMANAGER_ACCEL Make(int cmd, BYTE f1, WORD k1, BYTE f2 = 0, WORD k2 = 0)
{
    UTK_SHORTCUTMANAGER_ACCEL a{};
    a.cmd = cmd;
    a.key[0].fVirt = f1;
    a.key[0].key = k1;
    a.key[1].fVirt = f2;
    a.key[1].key = k2;
    return a;
}

void Print(const CString& text)
{
    char utf8[256] = {};
    ::WideCharToMultiByte(CP_UTF8, 0, text.GetString(), -1, utf8, sizeof utf8 - 1, nullptr,
                          nullptr);
    std::fputs(utf8, stdout);
}

} // namespace

int main()
{
    constexpr BYTE V = FVIRTKEY;
    constexpr BYTE C = FCONTROL;
    constexpr BYTE S = FSHIFT;
    constexpr BYTE A = FALT;
    const std::vector<UTK_SHORTCUTMANAGER_ACCEL> table = {
        Make(32771, V | C | S, VK_F5),
        Make(32772, V | C, 'K', V | C, 'D'),
        Make(32773, V | C, VK_CANCEL),
        Make(32774, V, VK_F5),
        Make(32774, V | C, 'R'),
        Make(32775, V | C, 'R'),
        Make(32775, V | A, 'R'),
        Make(32776, V | C, 0xBA),
        Make(32777, V, VK_ESCAPE),
        Make(32778, V | A | UTK_FWINKEY, VK_HOME),
        Make(32779, 0, 0xE9),
        Make(32780, FNOINVERT, 4),
    };
    CUTKShortcutManager manager(nullptr);
    manager.SetAccels(table.data(), static_cast<int>(table.size()));
    CUTKShortcutManagerAccelTable* accels = manager.GetAccelTable();

    std::printf("%-7s %-37s %-24s %-4s %-24s %-6s %s\n", "command", "record (12 bytes)", "shown",
                "prio", "stored \"Key\" text", "parses", "valid");
    for (int i = 0; i < accels->GetCount(); ++i) {
        CUTKShortcutManagerAccel* accel = accels->GetAt(i);
        BYTE bytes[12];
        std::memcpy(bytes, &accel->m_accel, sizeof bytes);
        char hex[40] = {};
        for (int b = 0; b < 12; ++b) {
            std::snprintf(hex + b * 3, 4, "%02X ", bytes[b]);
        }
        int priority = 0;
        const CString shown = manager.FormatAccel(accel, &priority);
        const CString stored = manager.FormatAccelForStorage(accel->m_accel);
        UTK_SHORTCUTMANAGER_ACCEL back = Make(accel->m_accel.cmd, 0, 0);
        const bool parses = manager.ParseShortcut(stored, back) &&
                            std::memcmp(&back.key, &accel->m_accel.key, sizeof back.key) == 0;
        std::printf("%-7d %-37s ", accel->m_accel.cmd, hex);
        Print(shown);
        std::printf("%*s %-4d ", 24 - shown.GetLength(), "", priority);
        Print(stored);
        std::printf("%*s %-6s %s\n", 24 - stored.GetLength(), "", parses ? "yes" : "no",
                    manager.IsValidAccel(accel) ? "yes" : "no (plain Escape)");
    }

    std::printf("\nText shown for each command (the caller's text kept when it is one of them):\n");
    std::set<int> commands;
    for (const auto& accel : table) {
        commands.insert(accel.cmd);
    }
    for (int cmd : commands) {
        CString text;
        manager.GetShortcut(cmd, text);
        std::printf("  %d: ", cmd);
        Print(text);
        if (cmd == 32775) {
            CString kept = L"Alt+R";
            manager.GetShortcut(cmd, kept);
            std::printf("   (asked with \"Alt+R\": ");
            Print(kept);
            std::printf(")");
        }
        std::printf("\n");
    }

    std::printf("\nParsing:\n");
    for (const wchar_t* text : {L"Ctrl+home", L"ctrl+Home", L"Ctrl+0x7a", L"Ctrl+K, Ctrl+D",
                                L"Shift+Alt+F4", L"Ctrl+Nothing"}) {
        UTK_SHORTCUTMANAGER_ACCEL parsed{};
        const BOOL ok = manager.ParseShortcut(text, parsed);
        std::printf("  %-16ls ", text);
        if (ok) {
            std::printf("flags 0x%02X key 0x%02X", parsed.key[0].fVirt, parsed.key[0].key);
            if (parsed.key[1].key != 0) {
                std::printf(", then flags 0x%02X key 0x%02X", parsed.key[1].fVirt,
                            parsed.key[1].key);
            }
            std::printf("\n");
        } else {
            std::printf("refused\n");
        }
    }
    std::printf("\nMnemonics: \"&File\" %d, \"Fi&le\" %d, \"A&&B\" %d, \"End&\" %d\n",
                FindMnemonicAmpersand(L"&File"), FindMnemonicAmpersand(L"Fi&le"),
                FindMnemonicAmpersand(L"A&&B"), FindMnemonicAmpersand(L"End&"));
    return 0;
}
