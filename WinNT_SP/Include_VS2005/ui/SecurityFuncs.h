// The security functions of the diagnostic dump, bound at run time from Advapi32.dll: the main
// set as one table and CheckTokenMembership on its own, each with its binding result.
#pragma once

#include <windows.h>
#include <aclapi.h>

#include "WinNT_SP/Include_VS2005/DynLoadFuncs.h"
#include "WinNT_SP/Include_VS2005/ErrInfo.h"

class SecurityFuncs {
public:
    SecurityFuncs();  // binds both tables
    ~SecurityFuncs();
    SecurityFuncs(const SecurityFuncs&) = delete;
    SecurityFuncs& operator=(const SecurityFuncs&) = delete;

    // The error of the main set when it did not bind, else of CheckTokenMembership, else null.
    const ERR_INFO* BindError() const;

    using GetNamedSecurityInfoFn = DWORD(WINAPI*)(LPCWSTR, SE_OBJECT_TYPE, SECURITY_INFORMATION,
                                                  PSID*, PSID*, PACL*, PACL*,
                                                  PSECURITY_DESCRIPTOR*);
    using SetNamedSecurityInfoFn = DWORD(WINAPI*)(LPWSTR, SE_OBJECT_TYPE, SECURITY_INFORMATION,
                                                  PSID, PSID, PACL, PACL);
    using GetSecurityDescriptorControlFn = BOOL(WINAPI*)(PSECURITY_DESCRIPTOR,
                                                         PSECURITY_DESCRIPTOR_CONTROL, LPDWORD);
    using OpenProcessTokenFn = BOOL(WINAPI*)(HANDLE, DWORD, PHANDLE);
    using GetTokenInformationFn = BOOL(WINAPI*)(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD,
                                                PDWORD);
    using AllocateAndInitializeSidFn = BOOL(WINAPI*)(PSID_IDENTIFIER_AUTHORITY, BYTE, DWORD,
                                                     DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
                                                     DWORD, PSID*);
    using FreeSidFn = PVOID(WINAPI*)(PSID);
    using EqualSidFn = BOOL(WINAPI*)(PSID, PSID);
    using GetAceFn = BOOL(WINAPI*)(PACL, DWORD, LPVOID*);
    using LookupAccountSidFn = BOOL(WINAPI*)(LPCWSTR, PSID, LPWSTR, LPDWORD, LPWSTR, LPDWORD,
                                             PSID_NAME_USE);
    using CheckTokenMembershipFn = BOOL(WINAPI*)(HANDLE, PSID, PBOOL);

    GetNamedSecurityInfoFn GetNamedSecurityInfoW() const
    {
        return m_getNamedSecurityInfo.As<GetNamedSecurityInfoFn>();
    }
    GetSecurityDescriptorControlFn GetSecurityDescriptorControl() const
    {
        return m_getSecurityDescriptorControl.As<GetSecurityDescriptorControlFn>();
    }
    OpenProcessTokenFn OpenProcessToken() const
    {
        return m_openProcessToken.As<OpenProcessTokenFn>();
    }
    GetTokenInformationFn GetTokenInformation() const
    {
        return m_getTokenInformation.As<GetTokenInformationFn>();
    }
    AllocateAndInitializeSidFn AllocateAndInitializeSid() const
    {
        return m_allocateAndInitializeSid.As<AllocateAndInitializeSidFn>();
    }
    FreeSidFn FreeSid() const { return m_freeSid.As<FreeSidFn>(); }
    GetAceFn GetAce() const { return m_getAce.As<GetAceFn>(); }
    LookupAccountSidFn LookupAccountSidW() const
    {
        return m_lookupAccountSid.As<LookupAccountSidFn>();
    }
    CheckTokenMembershipFn CheckTokenMembership() const
    {
        return m_checkTokenMembership.As<CheckTokenMembershipFn>();
    }

    ERR_INFO m_mainError;
    ERR_INFO m_checkError;

private:
    DynLoadFuncs m_getNamedSecurityInfo{"GetNamedSecurityInfoW", L"Advapi32.dll", DLF_FIRST};
    DynLoadFuncs m_setNamedSecurityInfo{"SetNamedSecurityInfoW", L"Advapi32.dll", DLF_MIDDLE};
    DynLoadFuncs m_getSecurityDescriptorControl{"GetSecurityDescriptorControl", L"Advapi32.dll",
                                                DLF_MIDDLE};
    DynLoadFuncs m_openProcessToken{"OpenProcessToken", L"Advapi32.dll", DLF_MIDDLE};
    DynLoadFuncs m_getTokenInformation{"GetTokenInformation", L"Advapi32.dll", DLF_MIDDLE};
    DynLoadFuncs m_allocateAndInitializeSid{"AllocateAndInitializeSid", L"Advapi32.dll",
                                            DLF_MIDDLE};
    DynLoadFuncs m_freeSid{"FreeSid", L"Advapi32.dll", DLF_MIDDLE};
    DynLoadFuncs m_equalSid{"EqualSid", L"Advapi32.dll", DLF_MIDDLE};
    DynLoadFuncs m_getAce{"GetAce", L"Advapi32.dll", DLF_MIDDLE};
    DynLoadFuncs m_lookupAccountSid{"LookupAccountSidW", L"Advapi32.dll", DLF_LAST};
    DynLoadFuncs m_checkTokenMembership{"CheckTokenMembership", L"Advapi32.dll", DLF_SINGLE};
};
