// CUTKShortcutManager: the command bars' keyboard shortcuts. Keeps a table of shortcuts (chords
// of two keystrokes included), turns key messages of the frame into commands, gives the text
// shown beside menu items, names and parses keys, and stores the table in the profile or
// through the property exchange. Also the mnemonic helpers every bar uses.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/framework/CMap.h"
#include "platform/framework/CStringT.h"
#include "platform/framework/window/CCmdTarget.h"
#include "toolkit/commandbars/CUTKShortcutManagerAccel.h"
#include "toolkit/commandbars/CUTKShortcutManagerAccelTable.h"

class CFrameWnd;
class CUTKCommandBars;
class CUTKPropExchange;

class CUTKShortcutManager : public CCmdTarget {
public:
    // Formats one keystroke (flags, key). With useManagerNames the manager's GetKeyName names
    // the keys (texts that are shown); without, only the table of key names, and "0x%x" for a
    // key without a table name (texts written to storages, which parse back on any layout).
    class CKeyHelper {
    public:
        CKeyHelper(const UTK_SHORTCUTMANAGER_ACCEL::KEY& key, CUTKShortcutManager* manager,
                   BOOL useManagerNames = TRUE);
        virtual ~CKeyHelper();

        void Format(CString& text) const;
        CString Format() const
        {
            CString text;
            Format(text);
            return text;
        }

    private:
        CString KeyName(WORD vk) const;

        UTK_SHORTCUTMANAGER_ACCEL::KEY m_key;
        CUTKShortcutManager* m_pManager;
        BOOL m_bUseManagerNames;
    };

    // Status-bar prompt while a chord waits for its second key ("%s" = the first key).
    static constexpr UINT kChordPromptStringId = 9187;
    // At most this many shortcuts are read from stored data.
    static constexpr int kMaxStoredAccels = 4096;

    explicit CUTKShortcutManager(CUTKCommandBars* commandBars);
    ~CUTKShortcutManager() override;
    CUTKShortcutManager(const CUTKShortcutManager&) = delete;
    CUTKShortcutManager& operator=(const CUTKShortcutManager&) = delete;

    // The command's shortcut text: the caller's text when it is one of the command's
    // shortcuts, else the one of highest priority. FALSE (text emptied) when it has none.
    virtual BOOL GetShortcut(int cmd, CString& text);
    // "first key" or "first key, second key"; priority of the first key: 4 plain, 3 Ctrl,
    // 2 Alt, 1 Shift.
    virtual CString FormatAccel(CUTKShortcutManagerAccel* accel, int* priority);
    virtual CString GetKeyName(UINT vk);
    // FALSE only for a plain Escape unless plain Escape is allowed.
    virtual BOOL IsValidAccel(CUTKShortcutManagerAccel* accel);
    // Extension points for derived managers; FALSE here.
    virtual BOOL OnExtension1(LPARAM argument);
    virtual BOOL OnExtension2(LPARAM argument);
    virtual void DoPropExchange(CUTKPropExchange* px);
    virtual CUTKShortcutManagerAccelTable* GetAccelTable();
    // Copies the original table back when there is one.
    virtual void Reset();

    // TRUE when the key message was a shortcut (the command is sent to the site frame).
    BOOL TranslateAccelerator(MSG* msg);
    void DisableShortcuts(BOOL disable);
    // Only with an original table: the table as "Accelerators" (12 bytes per entry) and
    // "AcceleratorsVersion" = 1 in the profile section.
    void SaveShortcuts(LPCTSTR section);
    // Only with an original table. Version 0: ACCEL records, 1: 12-byte records, other: none.
    // A missing value keeps the table; a damaged one keeps it too and answers FALSE.
    BOOL LoadShortcuts(LPCTSTR section);
    void SetAccels(const ACCEL* accels, int count);
    void SetAccels(const UTK_SHORTCUTMANAGER_ACCEL* accels, int count);

    // Text to keys: "Ctrl+Shift+F5", "Ctrl+K, Ctrl+D", "Alt+0xba". FALSE when it does not
    // parse (accel is then left alone).
    BOOL ParseShortcut(LPCTSTR text, UTK_SHORTCUTMANAGER_ACCEL& accel) const;
    BOOL ParseKey(const CString& text, UTK_SHORTCUTMANAGER_ACCEL::KEY& key) const;
    // The text written to text storages (table names only).
    CString FormatAccelForStorage(const UTK_SHORTCUTMANAGER_ACCEL& accel);
    // The keyboard layout's name of a virtual key ("Page up"); empty for Ctrl+Break.
    static CString GetKeyLayoutName(UINT vk);
    // The name in the table of key names, empty when there is none.
    CString GetTableKeyName(UINT vk) const;
    // Does the keystroke match the message with this modifier state (FCONTROL, FALT, FSHIFT)?
    static BOOL IsKeyMatch(const UTK_SHORTCUTMANAGER_ACCEL::KEY& key, const MSG& msg,
                           BYTE modifiers);
    // The current modifier state as FCONTROL | FALT | FSHIFT (AltGr counted as neither).
    static BYTE GetModifierState();
    // The modifier rule of the state with these keys down (for tests).
    static BYTE ModifierStateFromKeys(BOOL ctrl, BOOL alt, BOOL shift, BOOL leftCtrl,
                                      BOOL rightCtrl, BOOL leftAlt, BOOL rightAlt);

    static int FindMnemonicAmpersand(LPCTSTR text);
    static BOOL IsKeyForChar(WCHAR ch, UINT vk);

    CUTKCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetCommandBars(CUTKCommandBars* commandBars) { m_pCommandBars = commandBars; }
    int GetDisableCount() const { return m_nDisableShortcuts; }
    CUTKShortcutManagerAccelTable* GetOriginalAccelTable() const
    {
        return m_pOriginalAccelTable.get();
    }

    BOOL m_bAllowEscapeShortcut = FALSE;
    BOOL m_bUseSystemKeyNameText = FALSE;
    int m_nDisableShortcuts = 0;
    BOOL m_bIgnoreKeyWhileCaptured = TRUE;

protected:
    // The shortcuts as first defined; Reset, SaveShortcuts and LoadShortcuts act only with one.
    void SetOriginalAccelTable(std::unique_ptr<CUTKShortcutManagerAccelTable> table)
    {
        m_pOriginalAccelTable = std::move(table);
    }
    // Search of one table (GetShortcut's rule).
    BOOL FindShortcut(CUTKShortcutManagerAccelTable& table, int cmd, CString& text);
    // The chord wait: the entry whose second key is pressed next, or null.
    CUTKShortcutManagerAccel* WaitForChord(CUTKShortcutManagerAccel* first, CFrameWnd* frame);
    // Replaces the table with stored records of 6 (ACCEL) or 12 bytes; FALSE and the table
    // kept when the length is not a whole number of records or the count is too large.
    BOOL LoadStoredAccels(const BYTE* data, DWORD size, int version);

    // The command bars' side, kept in one file (the bars' header is needed there only).
    CFrameWnd* GetSiteFrame() const;
    BOOL IsCustomizeMode() const;

    std::unique_ptr<CUTKShortcutManagerAccelTable> m_pAccelTable;
    std::unique_ptr<CUTKShortcutManagerAccelTable> m_pOriginalAccelTable;
    CUTKCommandBars* m_pCommandBars;
    CMap<WORD, WORD, CString, LPCTSTR> m_mapVirtualKeys;

private:
    void InitKeyNames();
};

// The mnemonic helpers of every bar.
inline int FindMnemonicAmpersand(LPCTSTR text)
{
    return CUTKShortcutManager::FindMnemonicAmpersand(text);
}
inline BOOL IsKeyForChar(WCHAR ch, UINT vk)
{
    return CUTKShortcutManager::IsKeyForChar(ch, vk);
}
