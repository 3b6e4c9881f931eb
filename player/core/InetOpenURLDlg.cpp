// The Open URL dialog and its history.
#include "player/core/InetOpenURLDlg.h"

#include "player/core/UrlCheck.h"
#include "WinNT_SP/Include_VS2005/MessageBoxLayer.h"
#include "WinNT_SP/Include_VS2005/Sett.h"

#include <cwctype>

namespace {

// One history entry: a record with the one string member "URL".
struct UrlRecord {
    TypedValue v[3];
    UrlRecord()
    {
        InitStringValue(v[1], L"URL");
        InitEndMarker(v[2]);
        InitRecordHeader(v[0], nullptr, 3, false);
    }
    ~UrlRecord() { v[0].Reset(); }
    UrlRecord(const UrlRecord&) = delete;
    UrlRecord& operator=(const UrlRecord&) = delete;

    bool Parse(const TypedValue& entry) { return v[0].Parse(entry.GetStringValue()) >= 0; }
};

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

BEGIN_MESSAGE_MAP(InetOpenURLDlg, CDialog)
    ON_BN_CLICKED(3, OnHelp)
END_MESSAGE_MAP()

InetOpenURLDlg::InetOpenURLDlg(CWnd* parent) : CDialog(IDD_INET_OPEN_URL, parent) {}

InetOpenURLDlg::~InetOpenURLDlg() = default;

std::vector<std::wstring> InetOpenURLDlg::ReadHistory(const TypedValue& list)
{
    std::vector<std::wstring> urls;
    for (uint32_t i = 0; i < list.ListCount(); ++i) {
        UrlRecord record;
        if (record.Parse(*list.ListEntry(i))) {
            urls.emplace_back(record.v[1].GetStringValue());
        }
    }
    return urls;
}

void InetOpenURLDlg::AddToHistory(TypedValue& list, const std::wstring& url)
{
    for (uint32_t i = 0; i < list.ListCount();) {
        UrlRecord record;
        if (!record.Parse(*list.ListEntry(i)) || url == record.v[1].GetStringValue()) {
            list.RemoveListEntries(i, 1);
        } else {
            ++i;
        }
    }
    list.InsertListEntry(0);
    UrlRecord record;
    record.v[1].SetStringValue(url.c_str());
    list.ListEntry(0)->SetStringValue(record.v[0].ToText(0));
    list.MarkSet();
    if (list.ListCount() > kRecentURLLimit) {
        list.RemoveListEntries(kRecentURLLimit, list.ListCount() - kRecentURLLimit);
    }
}

BOOL InetOpenURLDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillHistory();
    ::SendDlgItemMessageW(m_hWnd, IDC_INET_URL_COMBO, CB_SETCURSEL, 0, 0);
    return TRUE;
}

void InetOpenURLDlg::FillHistory()
{
    for (const std::wstring& url : ReadHistory(AppSettings().Item(SETT_RecentURLList))) {
        const LRESULT item = ::SendDlgItemMessageW(m_hWnd, IDC_INET_URL_COMBO, CB_ADDSTRING, 0,
                                                 reinterpret_cast<LPARAM>(url.c_str()));
        if (item >= 0) {
            ::SendDlgItemMessageW(m_hWnd, IDC_INET_URL_COMBO, CB_SETITEMDATA,
                                static_cast<WPARAM>(item), 1);
        }
    }
}

void InetOpenURLDlg::OnOK()
{
    HWND combo = ::GetDlgItem(m_hWnd, IDC_INET_URL_COMBO);
    const int length = ::GetWindowTextLengthW(combo);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(combo, text.data(), length + 1)));
    text = Trimmed(text);
    const std::wstring error = UrlCheck::CheckURL(text);
    if (!error.empty()) {
        DialogMessageBox(m_hWnd, error.c_str(), MB_OK | MBX_NO_LOG);
        if (::IsWindow(m_hWnd)) {
            ::PostMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(combo), TRUE);
        }
        return;
    }
    AddToHistory(AppSettings().Item(SETT_RecentURLList), text);
    m_url = text;
    EndDialog(IDOK);
}
