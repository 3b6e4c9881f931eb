// The Open URL dialog (template 172): a drop-down of the URLs opened before, newest first, a
// check of the typed text, and the history kept in the "RecentURLList" setting (32 at most).
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"
#include "WinNT_SP/Include_VS2005/TypedValue.h"

#include <string>
#include <vector>

constexpr UINT IDD_INET_OPEN_URL = 172;
constexpr UINT IDC_INET_URL_COMBO = 1279;
constexpr uint32_t kRecentURLLimit = 32;

class InetOpenURLDlg : public CDialog {
public:
    explicit InetOpenURLDlg(CWnd* parent = nullptr);
    ~InetOpenURLDlg() override;

    // The history of a list setting, and a URL put at its front (window-free, for any list).
    static std::vector<std::wstring> ReadHistory(const TypedValue& list);
    static void AddToHistory(TypedValue& list, const std::wstring& url);

    std::wstring m_url;  // the accepted URL after OK

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void FillHistory();
    DECLARE_MESSAGE_MAP()
};
