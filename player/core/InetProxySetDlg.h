// The proxy settings dialog (template 162): the proxy of one protocol, HTTP or RTSP, as one of
// four choices with a manual server, port and (HTTP only) credentials. The record changes only
// on OK, and only after the manual server and port were found usable.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"
#include "player/core/NetworkingSettings.h"

#include <string>

constexpr UINT IDD_INET_PROXY = 162;
constexpr UINT IDC_PROXY_GROUP = 1018;
constexpr UINT IDC_PROXY_AUTO = 2206;
constexpr UINT IDC_PROXY_BROWSER = 2207;
constexpr UINT IDC_PROXY_DIRECT = 2083;
constexpr UINT IDC_PROXY_MANUAL = 2209;
constexpr UINT IDC_PROXY_SERVER = 1310;
constexpr UINT IDC_PROXY_PORT = 1675;
constexpr UINT IDC_PROXY_USER = 2211;
constexpr UINT IDC_PROXY_PASSWORD = 2212;

class InetProxySetDlg : public CDialog {
public:
    enum Choice { kChoiceAuto = 0, kChoiceBrowser = 1, kChoiceDirect = 2, kChoiceManual = 3 };

    explicit InetProxySetDlg(CWnd* parent = nullptr);
    ~InetProxySetDlg() override;

    // The modal result (IDOK or IDCANCEL); the record is written only on OK.
    INT_PTR EditSettings(PROXY_SETTINGS* record);

    // The choice shown for a record, and the proxy type a choice stores (window-free).
    static int ChoiceOf(const PROXY_SETTINGS& record);
    static int ProxyTypeOf(int choice);
    // The port a text names; 0 when it names none usable (empty, not a number, above 65535).
    static int PortOf(const std::wstring& text);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnChoice();
    DECLARE_MESSAGE_MAP()

private:
    void ReadControls();
    void UpdateControls();

    int m_choice = -1;
    std::wstring m_address;
    std::wstring m_portText;
    std::wstring m_password;
    std::wstring m_userName;
    PROXY_SETTINGS* m_record = nullptr;
};
