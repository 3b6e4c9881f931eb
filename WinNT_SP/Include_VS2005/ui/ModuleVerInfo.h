// Version resource of a module file: the fixed file information and twelve standard texts,
// each taken from the best string table (US English first, then any other language found,
// also tables that the translation list does not name).
#pragma once

#include <windows.h>

#include "WinNT_SP/Include_VS2005/ErrInfo.h"
#include "WinNT_SP/Include_VS2005/WMRuntimeTable.h"

class CModuleVerInfo {
public:
    enum Key {
        kComments,
        kInternalName,
        kProductName,
        kCompanyName,
        kLegalCopyright,
        kProductVersion,
        kFileDescription,
        kLegalTrademarks,
        kPrivateBuild,
        kFileVersion,
        kOriginalFilename,
        kSpecialBuild,
        kKeyCount
    };
    struct Language {
        WORD language;
        WORD codePage;
    };
    static constexpr int kMaxLanguages = 256;

    CModuleVerInfo();
    ~CModuleVerInfo();
    CModuleVerInfo(const CModuleVerInfo&) = delete;
    CModuleVerInfo& operator=(const CModuleVerInfo&) = delete;

    // Reads the module's version resource; a failure shows only in m_error.
    void Load(const wchar_t* moduleName);
    void LoadWmvcore() { Load(kWMRuntimeLibrary); }

    static const wchar_t* KeyName(int key);

    BYTE* m_buffer;
    wchar_t m_moduleName[MAX_PATH];
    const BYTE* m_block;
    DWORD m_blockSize;
    VS_FIXEDFILEINFO m_fixed;
    UINT m_translationCount;
    const Language* m_translations;
    const wchar_t* m_texts[kKeyCount];
    ERR_INFO m_error;
    Language m_languages[kMaxLanguages];
    int m_languageCount;

private:
    void Clear();
    void AddLanguage(WORD language, WORD codePage);
    void ScanBlockForLanguages();
    const wchar_t* FindValue(int key) const;
};
