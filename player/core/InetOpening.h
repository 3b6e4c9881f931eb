// The modal dialog shown while a URL opens (template 173): it creates the network reader,
// starts the open, shows the runtime's progress in a status box and a coloured details log, and
// ends with an opened reader for the caller to take, an error text, or a cancellation.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"
#include "player/core/InetWMAAsyncReader.h"
#include "WinNT_SP/Include_VS2005/ui/RichEditCtrlEx.h"

#include <string>

constexpr UINT IDD_INET_OPENING = 173;
constexpr UINT IDC_INET_URL = 1253;
constexpr UINT IDC_INET_STATUS = 2217;
constexpr UINT IDC_INET_DETAILS = 2216;
constexpr UINT IDC_INET_DETAILS_LABEL = 2237;
constexpr UINT IDC_INET_DETAILS_BUTTON = 2235;
constexpr UINT WM_INET_READER_STATUS = WM_USER + 1;
constexpr UINT WM_INET_START_OPEN = WM_USER + 2;

// Colours of the dialog's lines.
constexpr COLORREF kInetUrlColor = RGB(128, 0, 128);
constexpr COLORREF kInetErrorColor = RGB(128, 0, 0);
constexpr COLORREF kInetSuccessColor = RGB(0, 128, 0);
constexpr COLORREF kInetHeaderColor = RGB(0, 0, 128);
constexpr COLORREF kInetPlainColor = RGB(0, 0, 0);

class InetOpening : public CDialog {
public:
    explicit InetOpening(CWnd* parent = nullptr);
    ~InetOpening() override;

    // Runs the dialog for the URL: empty after a successful open (the reader stays in m_reader
    // for the caller to take), the error text after a failed one, "*" when cancelled.
    std::wstring OpenURL(const std::wstring& url);

    // Owned while set; the caller takes it after OpenURL and sets the member to null.
    InetWMAAsyncReader* m_reader = nullptr;
    BOOL m_closeWhenOpened = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    LRESULT OnStartOpen(WPARAM, LPARAM);
    LRESULT OnReaderStatus(WPARAM, LPARAM);
    void OnDetails();
    DECLARE_MESSAGE_MAP()

private:
    void SetStatusText(const std::wstring& text, int kind);
    void ApplyDetailsState();
    void BeginClosing();
    void FreeReader();
    void SetButtonText(UINT stringId);

    CRichEditCtrlEx m_details;
    BOOL m_finished = FALSE;
    std::wstring m_displayUrl;
    std::wstring m_urlToOpen;
    std::wstring m_result;
    int m_detailsHeight = 0;
    CRichEditCtrlEx m_status;
};
