// CUTKCommandBars: the user's options under "<profile>-Options", in the registry when the
// application has a registry key, else in its profile (INI) file.
#include "toolkit/commandbars/CUTKCommandBars.h"

#include "platform/framework/window/CWinApp.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/common/CUTKPropExchangeIniFile.h"
#include "toolkit/common/CUTKPropExchangeRegistry.h"

namespace {

// Section names live in a 256-character buffer: longer profile names are cut, not overrun.
constexpr int kSectionChars = 256;

CUTKPropExchange* OpenOptionsStorage(BOOL loading, const CString& section)
{
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pszRegistryKey != nullptr)
        return new CUTKPropExchangeRegistry(loading, nullptr, section);
    return new CUTKPropExchangeIniFile(loading, nullptr, section);
}

}  // namespace

CString CUTKCommandBars::FormatOptionsSection(LPCTSTR lpszProfileName)
{
    CString section;
    section.Format(L"%s-Options", lpszProfileName != nullptr ? lpszProfileName : L"");
    if (section.GetLength() > kSectionChars - 1)
        section = section.Left(kSectionChars - 1);
    return section;
}

void CUTKCommandBars::SaveOptions(LPCTSTR lpszProfileName)
{
    CUTKPropExchange* px = OpenOptionsStorage(FALSE, FormatOptionsSection(lpszProfileName));
    px->EmptySection();
    m_pOptions->DoPropExchange(px, TRUE);
    px->InternalRelease();
}

void CUTKCommandBars::LoadOptions(LPCTSTR lpszProfileName)
{
    CUTKPropExchange* px = OpenOptionsStorage(TRUE, FormatOptionsSection(lpszProfileName));
    m_pOptions->DoPropExchange(px, TRUE);
    px->InternalRelease();
}
