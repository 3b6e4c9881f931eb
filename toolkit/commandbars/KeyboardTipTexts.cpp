// The letters of keyboard tips.
#include "toolkit/commandbars/KeyboardTipTexts.h"

#include "toolkit/commandbars/CUTKShortcutManager.h"

#include <cwchar>

namespace {

BOOL Contains(const CString& set, WCHAR ch)
{
    return set.Find(ch) >= 0;
}

// The second letter of a tip: a caption letter after a space, else the first caption letter
// that is not the tip's own first one, else 0.
WCHAR SecondLetter(const CString& caption, WCHAR first, const CString& excluded)
{
    for (int i = 1; i < caption.GetLength(); ++i) {
        if (caption[i - 1] == L' ' && !Contains(excluded, caption[i])) {
            return caption[i];
        }
    }
    int i = 0;
    if (i < caption.GetLength() && caption[i] == L'&') {
        ++i;
    }
    if (i < caption.GetLength() && caption[i] == first) {
        ++i;
    }
    for (; i < caption.GetLength(); ++i) {
        if (!Contains(excluded, caption[i])) {
            return caption[i];
        }
    }
    return 0;
}

} // namespace

namespace KeyboardTipTexts {

void Assign(std::vector<UTKKeyboardTipText>& tips)
{
    for (size_t n = tips.size(); n-- > 0;) {
        UTKKeyboardTipText& tip = tips[n];
        tip.bExplicit = !tip.text.IsEmpty();
        if (tip.bExplicit) {
            continue;
        }
        if (tip.caption.IsEmpty()) {
            tips.erase(tips.begin() + static_cast<std::ptrdiff_t>(n));
            continue;
        }
        tip.caption.MakeUpper();
        if (!tip.preset.IsEmpty()) {
            tip.text = tip.preset;
            continue;
        }
        const int amp = CUTKShortcutManager::FindMnemonicAmpersand(tip.caption);
        const int at = amp >= 0 && amp + 1 < tip.caption.GetLength() ? amp + 1 : 0;
        tip.text = CString(tip.caption[at]);
    }

    for (size_t d = 0; d < tips.size(); ++d) {
        if (tips[d].text.IsEmpty()) {
            continue;
        }
        const WCHAR first = tips[d].text[0];
        std::vector<size_t> group{d};
        CString excluded(L"& ");
        for (size_t j = d + 1; j < tips.size(); ++j) {
            const CString& text = tips[j].text;
            if (text.IsEmpty() || text[0] != first) {
                continue;
            }
            group.push_back(j);
            if (text.GetLength() == 2 && !Contains(excluded, text[1])) {
                excluded += text[1];
            }
        }
        if (group.size() < 2) {
            continue;
        }
        int counter = 1;
        for (size_t index : group) {
            UTKKeyboardTipText& tip = tips[index];
            if (tip.text.GetLength() > 1) {
                continue;
            }
            const WCHAR letter = SecondLetter(tip.caption, first, excluded);
            if (letter != 0) {
                tip.text += letter;
                excluded += letter;
            } else {
                wchar_t digits[16];
                std::swprintf(digits, 16, L"%i", counter++);
                tip.text += digits[0];
            }
        }
    }
}

} // namespace KeyboardTipTexts
