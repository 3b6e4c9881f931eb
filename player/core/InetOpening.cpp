// The opening progress dialog. Everything here runs on the user-interface thread; the reader's
// threads reach it only through the posted status message.
#include "player/core/InetOpening.h"

#include "player/core/PlayerResource.h"
#include "player/core/UrlCheck.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"
#include "WinNT_SP/Include_VS2005/WindowHelpers.h"

namespace {

constexpr int kLastNone = -2;
constexpr int kLastFailed = -1;
constexpr int kLastOpened = 1;

bool DetailsShown()
{
    const TypedValue& item = AppSettings().Item(SETT_InetOpenDet);
    return item.IsPresent() && item.GetInt(0) == 1;
}

}  // namespace

BEGIN_MESSAGE_MAP(InetOpening, CDialog)
    ON_MESSAGE(WM_INET_START_OPEN, OnStartOpen)
    ON_MESSAGE(WM_INET_READER_STATUS, OnReaderStatus)
    ON_BN_CLICKED(IDC_INET_DETAILS_BUTTON, OnDetails)
    ON_BN_CLICKED(3, OnHelp)
END_MESSAGE_MAP()

InetOpening::InetOpening(CWnd* parent) : CDialog(IDD_INET_OPENING, parent)
{
    AfxInitRichEdit2();
}

InetOpening::~InetOpening() { FreeReader(); }

void InetOpening::FreeReader()
{
    if (m_reader != nullptr) {
        // Closes the stream and waits (bounded) for the reader's thread.
        std::exchange(m_reader, nullptr)->Discard();
    }
}

std::wstring InetOpening::OpenURL(const std::wstring& url)
{
    m_displayUrl = url;
    return DoModal() == IDOK ? m_result : std::wstring(L"*");
}

void InetOpening::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_INET_DETAILS, m_details);
    DDX_Control(pDX, IDC_INET_STATUS, m_status);
}

BOOL InetOpening::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::SetDlgItemTextW(m_hWnd, IDC_INET_URL, UrlCheck::MaskURLPassword(m_displayUrl).c_str());
    m_urlToOpen = m_displayUrl;
    SetStatusText(LoadResText(IDS_INET_OPENING), 0);
    if (!DetailsShown()) {
        ApplyDetailsState();
    }
    ::PostMessageW(m_hWnd, WM_INET_START_OPEN, 0, 0);
    ::SetWindowTextW(m_hWnd, LoadResText(IDS_INET_OPENING_TITLE).c_str());
    return TRUE;
}

void InetOpening::SetButtonText(UINT stringId)
{
    ::SetDlgItemTextW(m_hWnd, IDOK, LoadResText(stringId).c_str());
}

LRESULT InetOpening::OnStartOpen(WPARAM, LPARAM)
{
    FreeReader();
    m_reader = new InetWMAAsyncReader;
    m_finished = FALSE;
    m_details.AppendColoredText(
        kInetUrlColor,
        FormatResString(IDS_INET_URL_LINE, UrlCheck::MaskURLPassword(m_urlToOpen).c_str())
            .c_str(),
        TRUE);
    const INET_NOTIFY_MSG notify{m_hWnd, WM_INET_READER_STATUS, 0, 0};
    const std::wstring error =
        m_reader->OpenInetURL(UrlCheck::MapPrivateScheme(m_urlToOpen), notify);
    if (!error.empty()) {
        FreeReader();
        m_result = error;
        m_details.AppendColoredText(kInetErrorColor, error.c_str(), TRUE);
        m_finished = TRUE;
    } else {
        SetButtonText(IDS_INET_INTERRUPT);
    }
    return 0;
}

LRESULT InetOpening::OnReaderStatus(WPARAM, LPARAM)
{
    if (m_reader == nullptr) {
        return 0;
    }
    std::vector<INET_STATUS_INFO> items;
    m_reader->TakeStatusItems(&items);
    std::wstring statusText;
    int lastKind = kLastNone;
    bool failed = false;
    bool done = false;
    for (const INET_STATUS_INFO& item : items) {
        std::wstring detail;
        COLORREF color = kInetPlainColor;
        bool itemDone = false;
        switch (item.kind) {
        case kInetStatus:
            TraceLine(0, L"Inet WMA stat: Code=%u, Msg=%s", static_cast<unsigned>(item.code),
                      item.text.c_str());
            detail = item.text + L"\r\n";
            break;
        case kInetEndOfFile:
            TraceLine(0, L"Backgr.rec. finished");
            detail = LoadResText(IDS_INET_END_OF_STREAM);
            itemDone = true;
            break;
        case kInetOpened:
            TraceLine(0, L"Inet opened");
            detail = LoadResText(IDS_INET_OPEN_SUCCESS);
            itemDone = true;
            color = kInetSuccessColor;
            statusText = lastKind == kLastOpened ? statusText + detail : detail;
            lastKind = kLastOpened;
            break;
        case kInetError: {
            m_result = item.text;
            std::wstring oneLine = item.text;
            for (wchar_t& c : oneLine) {
                if (c == L'\r' || c == L'\n') {
                    c = L' ';
                }
            }
            TraceLine(0, L"Inet (err): %s", item.text.c_str());
            detail = FormatResString(IDS_INET_ERROR_LINE, oneLine.c_str());
            failed = true;
            itemDone = true;
            color = kInetErrorColor;
            statusText = lastKind == kLastFailed ? statusText + detail : detail;
            lastKind = kLastFailed;
            break;
        }
        default: break;
        }
        if (itemDone) {
            done = true;
            m_reader->WaitForInetWMAThreadFinished();
            if (m_reader->GetThreadState() == kInetThreadFinished) {
                for (const std::wstring& line : m_reader->GetHeaderLines()) {
                    m_details.AppendColoredText(
                        kInetHeaderColor,
                        FormatResString(IDS_INET_HEADER_LINE, line.c_str()).c_str(), TRUE);
                }
                if (m_result.empty()) {
                    detail += LoadResText(IDS_INET_CONTENT_TYPE);
                    statusText = detail;
                    lastKind = kLastOpened;
                }
            }
        }
        if (!detail.empty()) {
            m_details.AppendColoredText(color, detail.c_str(), TRUE);
        }
    }
    if (done) {
        m_finished = TRUE;
        SetButtonText(IDS_INET_CLOSE);
        if (failed) {
            FreeReader();
        } else if (m_closeWhenOpened) {
            EndDialog(IDOK);
            return 0;
        }
    }
    // Only a batch with an outcome rewrites the status box: the announcements of items that an
    // earlier batch already took come in empty and must not wipe the outcome.
    if (m_finished && done) {
        m_status.ClearText();
        SetStatusText(statusText, lastKind);
    }
    return 0;
}

void InetOpening::SetStatusText(const std::wstring& text, int kind)
{
    m_status.SetNextTextBold();
    const COLORREF color = kind == kLastOpened   ? kInetSuccessColor
                           : kind == kLastFailed ? kInetErrorColor
                                                 : kInetPlainColor;
    m_status.AppendColoredText(color, text.c_str(), FALSE);
}

void InetOpening::OnOK()
{
    TraceLine(0, L"InetOpening interr. OK");
    if (m_reader != nullptr && m_reader->IsThreadRunning()) {
        OnCancel();
        return;
    }
    BeginClosing();
    EndDialog(IDOK);
}

void InetOpening::OnCancel()
{
    TraceLine(0, L"InetOpening interr. Cancel");
    BeginClosing();
    FreeReader();
    EndDialog(IDCANCEL);
}

void InetOpening::BeginClosing()
{
    if (m_reader == nullptr) {
        return;
    }
    CWaitCursor wait;
    SetButtonText(IDS_INET_CLOSING);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), FALSE);
    ::UpdateWindow(m_hWnd);
}

void InetOpening::OnDetails()
{
    TypedValue& item = AppSettings().Item(SETT_InetOpenDet);
    item.SetInt(DetailsShown() ? 0 : 1);
    item.MarkSet();
    ApplyDetailsState();
}

void InetOpening::ApplyDetailsState()
{
    HWND label = ::GetDlgItem(m_hWnd, IDC_INET_DETAILS_LABEL);
    HWND log = ::GetDlgItem(m_hWnd, IDC_INET_DETAILS);
    if (m_detailsHeight == 0) {
        RECT labelRect = {};
        RECT logRect = {};
        ::GetWindowRect(label, &labelRect);
        ::GetWindowRect(log, &logRect);
        m_detailsHeight = logRect.bottom - labelRect.top;
    }
    const bool shown = DetailsShown();
    ::SetDlgItemTextW(m_hWnd, IDC_INET_DETAILS_BUTTON, shown ? L"<< Details" : L">> Details");
    ::ShowWindow(label, shown ? SW_SHOW : SW_HIDE);
    ::ShowWindow(log, shown ? SW_SHOW : SW_HIDE);
    MoveWindowBy(m_hWnd, 0, 0, 0, shown ? m_detailsHeight : -m_detailsHeight);
}
