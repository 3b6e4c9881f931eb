// AfxParseURL / AfxParseURLEx: the framework's URL cracker over WinINet. The text is first
// canonicalised with the given ICU_ flags (ICU_BROWSER_MODE, ICU_DECODE, ICU_NO_ENCODE, ...)
// and then split into service type, server, object (path and query), port and credentials.
#pragma once

#include "platform/framework/CStringT.h"

#include <wininet.h>

enum : DWORD {
    AFX_INET_SERVICE_FTP = INTERNET_SERVICE_FTP,
    AFX_INET_SERVICE_GOPHER = INTERNET_SERVICE_GOPHER,
    AFX_INET_SERVICE_HTTP = INTERNET_SERVICE_HTTP,
    AFX_INET_SERVICE_UNK = 0x1000,
    AFX_INET_SERVICE_FILE = 0x1001,
    AFX_INET_SERVICE_MAILTO = 0x1002,
    AFX_INET_SERVICE_MID = 0x1003,
    AFX_INET_SERVICE_CID = 0x1004,
    AFX_INET_SERVICE_NEWS = 0x1005,
    AFX_INET_SERVICE_NNTP = 0x1006,
    AFX_INET_SERVICE_PROSPERO = 0x1007,
    AFX_INET_SERVICE_TELNET = 0x1008,
    AFX_INET_SERVICE_WAIS = 0x1009,
    AFX_INET_SERVICE_AFS = 0x100A,
    AFX_INET_SERVICE_HTTPS = 0x100B,
};

// FALSE when the text cannot be canonicalised or split; the outputs are then emptied.
BOOL AFXAPI AfxParseURLEx(LPCTSTR url, DWORD& serviceType, CString& server, CString& object,
                          INTERNET_PORT& port, CString& userName, CString& password,
                          DWORD flags = 0);
BOOL AFXAPI AfxParseURL(LPCTSTR url, DWORD& serviceType, CString& server, CString& object,
                        INTERNET_PORT& port);
