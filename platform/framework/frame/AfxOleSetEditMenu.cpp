// The object verbs of the edit menu, asked of the client item's OLE object.
#include "platform/framework/frame/AfxOleSetEditMenu.h"

#include <ole2.h>

#include <vector>

#include "platform/framework/frame/COleClientItem.h"

namespace {

// The verbs the object offers on a container's menu, at most limit of them.
std::vector<CString> ObjectVerbs(COleClientItem* pClient, size_t limit)
{
    std::vector<CString> verbs;
    LPOLEOBJECT object = pClient != nullptr ? pClient->GetObject() : nullptr;
    if (object == nullptr)
        return verbs;
    IEnumOLEVERB* verbEnum = nullptr;
    if (FAILED(object->EnumVerbs(&verbEnum)) || verbEnum == nullptr)
        return verbs;
    OLEVERB verb = {};
    // Bounded: an enumerator that never ends stops at the id range.
    while (verbs.size() < limit && verbEnum->Next(1, &verb, nullptr) == S_OK) {
        if (verb.lVerb >= 0 && verb.lpszVerbName != nullptr &&
            (verb.grfAttribs & OLEVERBATTRIB_ONCONTAINERMENU) != 0)
            verbs.emplace_back(verb.lpszVerbName);
        ::CoTaskMemFree(verb.lpszVerbName);
        verb = OLEVERB{};
    }
    verbEnum->Release();
    return verbs;
}

}  // namespace

void AfxOleSetEditMenu(COleClientItem* pClient, CMenu* pMenu, UINT iMenuItem, UINT nIDVerbMin,
                       UINT nIDVerbMax, UINT nIDConvert)
{
    if (pMenu == nullptr || pMenu->GetSafeHmenu() == nullptr)
        return;
    HMENU menu = pMenu->GetSafeHmenu();
    if (static_cast<int>(iMenuItem) < ::GetMenuItemCount(menu))
        ::DeleteMenu(menu, iMenuItem, MF_BYPOSITION);

    const size_t limit = nIDVerbMax >= nIDVerbMin && nIDVerbMax != 0
                             ? static_cast<size_t>(nIDVerbMax - nIDVerbMin) + 1
                             : 256;
    const std::vector<CString> verbs = ObjectVerbs(pClient, limit);
    const CString type = pClient != nullptr ? pClient->GetUserTypeName() : CString();
    CString objectText = type.IsEmpty() ? CString(L"&Object") : type + L" &Object";

    if (verbs.empty()) {
        ::InsertMenuW(menu, iMenuItem, MF_BYPOSITION | MF_STRING | MF_GRAYED, nIDVerbMin,
                      L"&Object");
        return;
    }
    if (verbs.size() == 1 && nIDConvert == 0) {
        const CString text = verbs.front() + L" " + objectText;
        ::InsertMenuW(menu, iMenuItem, MF_BYPOSITION | MF_STRING, nIDVerbMin, text);
        return;
    }
    HMENU popup = ::CreatePopupMenu();
    if (popup == nullptr)
        return;
    for (size_t i = 0; i < verbs.size(); ++i)
        ::AppendMenuW(popup, MF_STRING, nIDVerbMin + static_cast<UINT>(i), verbs[i]);
    if (nIDConvert != 0) {
        ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(popup, MF_STRING, nIDConvert, L"&Convert...");
    }
    if (!::InsertMenuW(menu, iMenuItem, MF_BYPOSITION | MF_POPUP,
                       reinterpret_cast<UINT_PTR>(popup), objectText))
        ::DestroyMenu(popup);
}
