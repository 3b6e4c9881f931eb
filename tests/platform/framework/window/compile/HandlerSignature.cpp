// Compiled by the message-map signature checks: with HANDLER_SIGNATURE_WRONG set, one handler is
// declared with a type that merely converts, and the map must not compile.
#include "platform/framework/window/FrameworkWindows.h"

class CSignatureProbe : public CWnd {
protected:
#if HANDLER_SIGNATURE_WRONG == 1
    void OnTimer(DWORD id);  // the message passes UINT_PTR (unsigned int or 64 bits, never DWORD)
#else
    void OnTimer(UINT_PTR id);
#endif
#if HANDLER_SIGNATURE_WRONG == 2
    int OnCommandProbe();  // command handlers return nothing
#else
    void OnCommandProbe();
#endif
#if HANDLER_SIGNATURE_WRONG == 3
    BOOL OnNotifyProbe(NMHDR* header, LRESULT* result);  // ON_NOTIFY handlers return nothing
#else
    void OnNotifyProbe(NMHDR* header, LRESULT* result);
#endif
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSignatureProbe, CWnd)
    ON_WM_TIMER()
    ON_COMMAND(100, OnCommandProbe)
    ON_NOTIFY(NM_CLICK, 101, OnNotifyProbe)
END_MESSAGE_MAP()
