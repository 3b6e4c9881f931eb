// The proxy settings dialog.
#include "player/core/InetProxySetDlg.h"

#include "player/core/PlayerResource.h"
#include "WinNT_SP/Include_VS2005/MessageBoxLayer.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"

#include <cwctype>

namespace {

const UINT kChoiceButtons[4] = {IDC_PROXY_AUTO, IDC_PROXY_BROWSER, IDC_PROXY_DIRECT,
                                IDC_PROXY_MANUAL};

std::wstring ItemText(HWND dialog, UINT id)
{
    HWND item = ::GetDlgItem(dialog, id);
    const int length = ::GetWindowTextLengthW(item);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(item, text.data(), length + 1)));
    return text;
}

std::wstring Trimmed(const std::wstring& text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && std::iswspace(text[begin])) {
        ++begin;
    }
    while (end > begin && std::iswspace(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

}  // namespace

BEGIN_MESSAGE_MAP(InetProxySetDlg, CDialog)
    ON_BN_CLICKED(IDC_PROXY_AUTO, OnChoice)
    ON_BN_CLICKED(IDC_PROXY_BROWSER, OnChoice)
    ON_BN_CLICKED(IDC_PROXY_DIRECT, OnChoice)
    ON_BN_CLICKED(IDC_PROXY_MANUAL, OnChoice)
    ON_BN_CLICKED(3, OnHelp)
END_MESSAGE_MAP()

InetProxySetDlg::InetProxySetDlg(CWnd* parent) : CDialog(IDD_INET_PROXY, parent) {}

InetProxySetDlg::~InetProxySetDlg() = default;

int InetProxySetDlg::ChoiceOf(const PROXY_SETTINGS& record)
{
    switch (record.proxyType) {
    case NetworkingSettings::kAuto: return record.protocol == 1 ? kChoiceAuto : kChoiceDirect;
    case NetworkingSettings::kBrowser:
        return record.protocol == 0 ? kChoiceBrowser : kChoiceDirect;
    case NetworkingSettings::kManual: return kChoiceManual;
    default: return kChoiceDirect;
    }
}

int InetProxySetDlg::ProxyTypeOf(int choice)
{
    switch (choice) {
    case kChoiceAuto: return NetworkingSettings::kAuto;
    case kChoiceBrowser: return NetworkingSettings::kBrowser;
    case kChoiceManual: return NetworkingSettings::kManual;
    default: return NetworkingSettings::kDirect;
    }
}

int InetProxySetDlg::PortOf(const std::wstring& text)
{
    const std::wstring digits = Trimmed(text);
    if (digits.empty() || digits.size() > 5 ||
        digits.find_first_not_of(L"0123456789") != std::wstring::npos) {
        return 0;
    }
    const int port = std::stoi(digits);
    // A port the network cannot carry is refused, never cut to another one.
    return port <= 65535 ? port : 0;
}

INT_PTR InetProxySetDlg::EditSettings(PROXY_SETTINGS* record)
{
    m_record = record;
    return DoModal();
}

BOOL InetProxySetDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_choice = ChoiceOf(*m_record);
    ::SetDlgItemTextW(m_hWnd, IDC_PROXY_GROUP,
                    FormatResString(IDS_PROXY_GROUP, m_record->protocol == 1 ? L"RTSP" : L"HTTP")
                        .c_str());
    m_address = m_record->server;
    m_portText = FormatNewString(L"%u", static_cast<unsigned>(m_record->port));
    m_userName = m_record->userName;
    m_password = m_record->password;
    for (int i = 0; i < 4; ++i) {
        ::CheckDlgButton(m_hWnd, kChoiceButtons[i], i == m_choice ? BST_CHECKED : BST_UNCHECKED);
    }
    ::SetDlgItemTextW(m_hWnd, IDC_PROXY_SERVER, m_address.c_str());
    ::SendDlgItemMessageW(m_hWnd, IDC_PROXY_PORT, EM_LIMITTEXT, 5, 0);
    ::SetDlgItemTextW(m_hWnd, IDC_PROXY_PORT, m_portText.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_PROXY_USER, m_userName.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_PROXY_PASSWORD, m_password.c_str());
    UpdateControls();
    return TRUE;
}

void InetProxySetDlg::ReadControls()
{
    for (int i = 0; i < 4; ++i) {
        if (::IsDlgButtonChecked(m_hWnd, kChoiceButtons[i]) == BST_CHECKED) {
            m_choice = i;
        }
    }
    m_address = ItemText(m_hWnd, IDC_PROXY_SERVER);
    m_portText = ItemText(m_hWnd, IDC_PROXY_PORT);
    m_userName = ItemText(m_hWnd, IDC_PROXY_USER);
    m_password = ItemText(m_hWnd, IDC_PROXY_PASSWORD);
}

void InetProxySetDlg::UpdateControls()
{
    ReadControls();
    const bool http = m_record->protocol == 0;
    const bool manual = m_choice == kChoiceManual;
    auto enable = [this](UINT id, bool on) { ::EnableWindow(::GetDlgItem(m_hWnd, id), on); };
    enable(IDC_PROXY_AUTO, !http);
    enable(IDC_PROXY_BROWSER, http);
    enable(IDC_PROXY_SERVER, manual);
    enable(IDC_PROXY_PORT, manual);
    enable(IDC_PROXY_USER, manual && http);
    enable(IDC_PROXY_PASSWORD, manual && http);
}

void InetProxySetDlg::OnChoice() { UpdateControls(); }

void InetProxySetDlg::OnOK()
{
    ReadControls();
    m_address = Trimmed(m_address);
    const int port = PortOf(m_portText);
    if (m_choice == kChoiceManual) {
        if (m_address.empty()) {
            ::SetFocus(::GetDlgItem(m_hWnd, IDC_PROXY_SERVER));
            ShowStringMessage(m_hWnd, IDS_BAD_PROXY_SERVER);
            return;
        }
        if (port == 0) {
            ::SetFocus(::GetDlgItem(m_hWnd, IDC_PROXY_PORT));
            ShowStringMessage(m_hWnd, IDS_BAD_PROXY_PORT);
            return;
        }
    }
    m_record->proxyType = ProxyTypeOf(m_choice);
    m_record->server = m_address;
    // A port that is not usable keeps the record's own when the manual proxy is not chosen.
    m_record->port = port != 0 ? port : m_record->port;
    m_record->userName = m_userName;
    m_record->password = m_password;
    EndDialog(IDOK);
}
