// Token, account and security-descriptor dumps through the run-time bound security functions.
#include "WinNT_SP/Include_VS2005/ui/SecurityDump.h"

#include "WinNT_SP/Include_VS2005/TraceLog.h"
#include "WinNT_SP/Include_VS2005/WMRuntimeTable.h"
#include "platform/base/CHandle.h"

#include <cwchar>
#include <string>
#include <vector>

namespace {

CReleaseModeDebug* Sink(CReleaseModeDebug* sink)
{
    return sink ? sink : &TraceLog();
}

void LogBindError(CReleaseModeDebug* sink, const wchar_t* prefix, const ERR_INFO& err)
{
    LogPrintf(sink, RMD_CONTINUATION, L"%sErr %i-%u in %s(%s), %s-%u", prefix,
              static_cast<int>(err.kind), static_cast<unsigned>(err.code), err.function,
              err.object, err.FileName(), static_cast<unsigned>(err.line));
}

const wchar_t* SidUseName(SID_NAME_USE use)
{
    static const wchar_t* const names[] = {L"User",  L"Group",          L"Domain",
                                           L"Alias", L"WellKnownGroup", L"DeletedAccount",
                                           L"Invalid", L"Unknown",      L"Computer"};
    return use >= 1 && use <= 9 ? names[use - 1] : L"?";
}

void LogAccountSid(const SecurityFuncs& funcs, CReleaseModeDebug* sink, const wchar_t* prefix,
                   PSID sid)
{
    wchar_t name[MAX_PATH];
    wchar_t domain[MAX_PATH];
    DWORD nameLength = MAX_PATH;
    DWORD domainLength = MAX_PATH;
    SID_NAME_USE use = SidTypeUnknown;
    if (!funcs.LookupAccountSidW()(nullptr, sid, name, &nameLength, domain, &domainLength, &use)) {
        LogPrintf(sink, RMD_CONTINUATION, L"%sErr %u in LookupAccountSid", prefix,
                  static_cast<unsigned>(GetLastError()));
        return;
    }
    LogPrintf(sink, RMD_CONTINUATION, L"%s%s %s\\%s", prefix, SidUseName(use), domain, name);
}

}  // namespace

std::wstring AccessRightsText(DWORD mask, int objectType)
{
    struct Word {
        DWORD bit;
        const wchar_t* text;
    };
    static const Word standard[] = {
        {DELETE, L" StdDel"},           {READ_CONTROL, L" StdRdCtl"},
        {WRITE_DAC, L" StdWrDac"},      {WRITE_OWNER, L" StdWrOwner"},
        {SYNCHRONIZE, L" StdSynch"},    {ACCESS_SYSTEM_SECURITY, L" AccSysSec"},
        {MAXIMUM_ALLOWED, L" MaxAllowed"}, {GENERIC_READ, L" GenRd"},
        {GENERIC_WRITE, L" GenWr"},     {GENERIC_EXECUTE, L" GenExe"},
        {GENERIC_ALL, L" GenAll"},
    };
    static const Word file[] = {
        {0x1, L" FlRd"},     {0x2, L" FlWr"},       {0x4, L" FlApp"},
        {0x8, L" FlRdEa"},   {0x10, L" FlWrEa"},    {0x20, L" FlExe"},
        {0x40, L" FlDelChild"}, {0x80, L" FlRdAttr"}, {0x100, L" FlWrAttr"},
    };
    static const Word key[] = {
        {0x1, L" KeyQueVal"},  {0x2, L" KeySetVal"}, {0x4, L" KeyCreaSub"},
        {0x8, L" KeyEnumSub"}, {0x10, L" KeyNotif"}, {0x20, L" KeyCreaLnk"},
    };
    std::wstring text;
    for (const Word& w : standard) {
        if (mask & w.bit) {
            text += w.text;
        }
    }
    DWORD unnamed = 0x0CE0FFFF;
    if (objectType == SE_FILE_OBJECT) {
        for (const Word& w : file) {
            if (mask & w.bit) {
                text += w.text;
            }
        }
        unnamed = 0x0CE0FE00;
    } else if (objectType == SE_REGISTRY_KEY) {
        for (const Word& w : key) {
            if (mask & w.bit) {
                text += w.text;
            }
        }
        unnamed = 0x0CE0FFC0;
    }
    if (mask & unnamed) {
        wchar_t rest[16];
        _snwprintf(rest, 16, L" %08X", static_cast<unsigned>(mask & unnamed));
        rest[15] = 0;
        text += rest;
    }
    if (text.empty()) {
        text = L" None";
    }
    if (text.size() > 500) {
        text.resize(500);
    }
    return text;
}

bool IsLocalAdmin(const SecurityFuncs& funcs, ERR_INFO* error)
{
    ClearErrInfo(error);
    if (const ERR_INFO* bind = funcs.BindError()) {
        *error = *bind;
        return false;
    }
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID admins = nullptr;
    if (!funcs.AllocateAndInitializeSid()(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                          DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &admins)) {
        SetErrInfo(error, GetLastError(), L"AllocateAndInitializeSid", L"DOMAIN_ALIAS_RID_ADMINS",
                   ORV_SRCFILE, __LINE__, 0, nullptr);
        return false;
    }
    BOOL member = FALSE;
    if (!funcs.CheckTokenMembership()(nullptr, admins, &member)) {
        SetErrInfo(error, GetLastError(), L"CheckTokenMembership",
                   L"NULL, DOMAIN_ALIAS_RID_ADMINS", ORV_SRCFILE, __LINE__, 0, nullptr);
        member = FALSE;
    }
    funcs.FreeSid()(admins);
    return member != FALSE;
}

void LogTokenInfo(const SecurityFuncs& funcs, CReleaseModeDebug* sink)
{
    sink = Sink(sink);
    if (const ERR_INFO* bind = funcs.BindError()) {
        LogBindError(sink, L"", *bind);
        return;
    }
    ERR_INFO error;
    const bool admin = IsLocalAdmin(funcs, &error);
    if (error.kind != ERRK_EMPTY) {
        LogBindError(sink, L"", error);
    } else {
        LogPrintf(sink, RMD_CONTINUATION, L"Curr user is%s loc adm", admin ? L"" : L" not");
    }
    CHandle token;
    if (!funcs.OpenProcessToken()(GetCurrentProcess(), TOKEN_QUERY, token.Put())) {
        LogPrintf(sink, RMD_CONTINUATION, L"err %u in OpenProcessToken(GetCurrentProcess(), "
                                          L"TOKEN_QUERY",
                  static_cast<unsigned>(GetLastError()));
        return;
    }
    std::vector<BYTE> buffer(10012);
    DWORD needed = 0;
    if (!funcs.GetTokenInformation()(token, TokenUser, buffer.data(),
                                     static_cast<DWORD>(buffer.size()), &needed)) {
        LogPrintf(sink, RMD_CONTINUATION, L"err %u in GetTokenInformation(TokenUser)",
                  static_cast<unsigned>(GetLastError()));
    } else {
        LogAccountSid(funcs, sink, L"Curr user: ",
                      reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid);
    }
    if (!funcs.GetTokenInformation()(token, TokenGroups, buffer.data(),
                                     static_cast<DWORD>(buffer.size()), &needed)) {
        LogPrintf(sink, RMD_CONTINUATION, L"err %u in GetTokenInformation(TokenGroups)",
                  static_cast<unsigned>(GetLastError()));
    } else {
        const TOKEN_GROUPS* groups = reinterpret_cast<TOKEN_GROUPS*>(buffer.data());
        LogPrintf(sink, RMD_CONTINUATION, L"is mbr of %u groups",
                  static_cast<unsigned>(groups->GroupCount));
        for (DWORD i = 0; i < groups->GroupCount; ++i) {
            const DWORD a = groups->Groups[i].Attributes;
            wchar_t prefix[128];
            _snwprintf(prefix, 128, L"%u:%s%s%s%s%s%s%s ", static_cast<unsigned>(i),
                       (a & SE_GROUP_MANDATORY) ? L" Mand," : L"",
                       (a & SE_GROUP_ENABLED_BY_DEFAULT) ? L" EnaDef," : L"",
                       (a & SE_GROUP_ENABLED) ? L" Ena," : L"",
                       (a & SE_GROUP_OWNER) ? L" Owner," : L"",
                       (a & SE_GROUP_USE_FOR_DENY_ONLY) ? L" DenyOnly," : L"",
                       (a & SE_GROUP_LOGON_ID) ? L" Logon," : L"",
                       (a & SE_GROUP_RESOURCE) ? L" Res," : L"");
            prefix[127] = 0;
            LogAccountSid(funcs, sink, prefix, groups->Groups[i].Sid);
        }
    }
}

void LogSecurityDescriptor(const SecurityFuncs& funcs, CReleaseModeDebug* sink,
                           const wchar_t* path, int objectType)
{
    sink = Sink(sink);
    std::wstring current = path ? path : L"";
    for (;;) {
        LogPrintf(sink, RMD_CONTINUATION, L"SecDescr [%s]:", current.c_str());
        if (const ERR_INFO* bind = funcs.BindError()) {
            LogBindError(sink, L"", *bind);
            return;
        }
        PSID owner = nullptr;
        PSID group = nullptr;
        PACL dacl = nullptr;
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        const DWORD status = funcs.GetNamedSecurityInfoW()(
            current.c_str(), static_cast<SE_OBJECT_TYPE>(objectType),
            OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
            &owner, &group, &dacl, nullptr, &descriptor);
        if (status != ERROR_SUCCESS) {
            LogPrintf(sink, RMD_CONTINUATION, L"Err %u in GetNamedSecurityInfo",
                      static_cast<unsigned>(status));
            const size_t slash = current.find_last_of(L'\\');
            if ((status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND) &&
                slash != std::wstring::npos && slash > 0) {
                current.resize(slash);
                continue;
            }
            return;
        }
        LogAccountSid(funcs, sink, L"Owner: ", owner);
        LogAccountSid(funcs, sink, L"Group: ", group);
        SECURITY_DESCRIPTOR_CONTROL control = 0;
        DWORD revision = 0;
        if (!funcs.GetSecurityDescriptorControl()(descriptor, &control, &revision)) {
            LogPrintf(sink, RMD_CONTINUATION, L"Err %u in GetSecurityDescriptorControl",
                      static_cast<unsigned>(GetLastError()));
        } else {
            const bool present = (control & SE_DACL_PRESENT) && dacl;
            const int count = present ? dacl->AceCount : 0;
            LogPrintf(sink, RMD_CONTINUATION, L"DACL: %i ACEs%s%s%s%s%s", count,
                      dacl ? L"" : L", NULL", (control & SE_DACL_PRESENT) ? L", Present" : L"",
                      (control & SE_DACL_DEFAULTED) ? L", Defaulted" : L"",
                      (control & SE_DACL_AUTO_INHERITED) ? L", AutoInherited" : L"",
                      (control & SE_DACL_PROTECTED) ? L", Protected" : L"");
            for (int i = 0; i < count; ++i) {
                void* ace = nullptr;
                if (!funcs.GetAce()(dacl, static_cast<DWORD>(i), &ace)) {
                    LogPrintf(sink, RMD_CONTINUATION, L"%i: Err %u in GetAce", i,
                              static_cast<unsigned>(GetLastError()));
                    continue;
                }
                const ACE_HEADER* header = static_cast<const ACE_HEADER*>(ace);
                if (header->AceType == ACCESS_ALLOWED_ACE_TYPE ||
                    header->AceType == ACCESS_DENIED_ACE_TYPE) {
                    const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
                    const std::wstring rights = AccessRightsText(allowed->Mask, objectType);
                    LogPrintf(sink, RMD_CONTINUATION,
                              header->AceType == ACCESS_ALLOWED_ACE_TYPE ? L"%i: allow%s"
                                                                         : L"%i: deny%s",
                              i, rights.c_str());
                    LogAccountSid(funcs, sink, L" to ",
                                  const_cast<DWORD*>(&allowed->SidStart));
                } else {
                    LogPrintf(sink, RMD_CONTINUATION, L"%i: type %i", i,
                              static_cast<int>(header->AceType));
                }
                const BYTE f = header->AceFlags;
                if (f & (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE | NO_PROPAGATE_INHERIT_ACE |
                         INHERIT_ONLY_ACE | INHERITED_ACE)) {
                    LogPrintf(sink, RMD_CONTINUATION, L"%s%s%s%s%s",
                              (f & OBJECT_INHERIT_ACE) ? L" ObjInh" : L"",
                              (f & CONTAINER_INHERIT_ACE) ? L" ContInh" : L"",
                              (f & NO_PROPAGATE_INHERIT_ACE) ? L" NoPropInh" : L"",
                              (f & INHERIT_ONLY_ACE) ? L" InhOnly" : L"",
                              (f & INHERITED_ACE) ? L" Inherited" : L"");
                }
            }
        }
        LogPrintf(sink, RMD_CONTINUATION, L"SecDescr end");
        LocalFree(descriptor);
        return;
    }
}

void LogWmvcorePath(CReleaseModeDebug* sink)
{
    sink = Sink(sink);
    wchar_t path[MAX_PATH];
    wchar_t* filePart = nullptr;
    const DWORD n = SearchPathW(nullptr, kWMRuntimeLibrary, nullptr, MAX_PATH, path, &filePart);
    if (n == 0 || n >= MAX_PATH) {
        LogPrintf(sink, RMD_CONTINUATION, L"Err %u in SearchPath(%s)",
                  n == 0 ? static_cast<unsigned>(GetLastError()) : 122u, kWMRuntimeLibrary);
        return;
    }
    SecurityFuncs funcs;
    LogTokenInfo(funcs, sink);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\'));
    LogSecurityDescriptor(funcs, sink, folder.c_str(), SE_FILE_OBJECT);
    LogSecurityDescriptor(funcs, sink, path, SE_FILE_OBJECT);
}
