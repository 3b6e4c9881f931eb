// Persistence of the image manager's icon sets through the property exchange. Loading builds
// the new sets aside and swaps them in only when everything read, so a damaged stream leaves
// the held icons as they were.
#include "toolkit/common/CUTKImageManager.h"

#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/common/CUTKPropExchangeEnumerator.h"
#include "toolkit/common/ImageRecordFormats.h"

#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr wchar_t kCheckSum[] = L"CUTKImageManagerIcons";

struct SectionRelease {
    void operator()(CUTKPropExchange* section) const { section->InternalRelease(); }
};
using SectionPtr = std::unique_ptr<CUTKPropExchange, SectionRelease>;

struct IconSetRelease {
    void operator()(CUTKImageManagerIconSet* iconSet) const
    {
        iconSet->RemoveAll();
        iconSet->InternalRelease();
    }
};
using IconSetPtr = std::unique_ptr<CUTKImageManagerIconSet, IconSetRelease>;

struct IconRelease {
    void operator()(CUTKImageManagerIcon* icon) const { icon->InternalRelease(); }
};

[[noreturn]] void ThrowDamaged()
{
    AfxThrowArchiveException(CArchiveException::badSchema);
}

}  // namespace

void CUTKImageManager::Serialize(CArchive& ar)
{
    CUTKPropExchangeArchive px(ar);
    px.m_bLoading = ar.IsLoading();
    ExchangeImages(&px);
}

CUTKImageManagerIconSet* CUTKImageManager::LoadIconSet(UINT id, CUTKPropExchange* px)
{
    IconSetPtr iconSet(new CUTKImageManagerIconSet(id, this));
    CUTKPropExchangeEnumerator enumerator(px, L"Icon");
    POSITION pos = enumerator.GetPosition();
    while (pos != nullptr) {
        SectionPtr section(enumerator.GetNext(pos));
        int width = 16;
        if (!ExchangeIntProp(section.get(), L"Width", width) || width <= 0 ||
            width > orvane::kImageMaxDimension) {
            ThrowDamaged();
        }
        std::unique_ptr<CUTKImageManagerIcon, IconRelease> icon(
            new CUTKImageManagerIcon(id, width, 15, iconSet.get()));
        if (!ExchangeSerializedObject(section.get(), L"Data", icon.get())) {
            ThrowDamaged();
        }
        iconSet->SetAt(width, icon.release());
    }
    return iconSet.release();
}

void CUTKImageManager::StoreIconSet(UINT id, CUTKPropExchange* px)
{
    CUTKImageManagerIconSet* iconSet = GetIconSet(id);
    CUTKPropExchangeEnumerator enumerator(px, L"Icon");
    auto* icons = iconSet != nullptr ? iconSet->GetIcons() : nullptr;
    POSITION pos = enumerator.GetPosition(icons != nullptr ? static_cast<DWORD>(icons->GetCount())
                                                           : 0);
    POSITION iconPos = icons != nullptr ? icons->GetStartPosition() : nullptr;
    while (pos != nullptr && iconPos != nullptr) {
        UINT key = 0;
        CUTKImageManagerIcon* icon = nullptr;
        icons->GetNextAssoc(iconPos, key, icon);
        SectionPtr section(enumerator.GetNext(pos));
        int width = static_cast<int>(key);
        (void)ExchangeIntProp(section.get(), L"Width", width);
        (void)ExchangeSerializedObject(section.get(), L"Data", icon);
    }
}

void CUTKImageManager::ReplaceIconSet(UINT id, CUTKImageManagerIconSet* iconSet)
{
    if (CUTKImageManagerIconSet* old = GetIconSet(id)) {
        IconSetRelease()(old);
    }
    m_mapImages.SetAt(id, iconSet);
}

void CUTKImageManager::ExchangeIconSet(UINT id, CUTKPropExchange* px)
{
    if (px == nullptr) {
        return;
    }
    if (id > m_nMaxCommand) {
        m_nMaxCommand = id;
    }
    CString checkSum = kCheckSum;
    (void)ExchangeStringPropDefault(px, L"CheckSum", checkSum, kCheckSum);
    if (px->IsLoading()) {
        if (checkSum != kCheckSum) {
            AfxThrowArchiveException(CArchiveException::badClass);
        }
        ReplaceIconSet(id, LoadIconSet(id, px));
        return;
    }
    StoreIconSet(id, px);
}

void CUTKImageManager::ExchangeImages(CUTKPropExchange* px)
{
    if (px == nullptr) {
        return;
    }
    CUTKPropExchangeEnumerator enumerator(px, L"IconSet");
    if (px->IsStoring()) {
        POSITION pos = enumerator.GetPosition(static_cast<DWORD>(m_mapImages.GetCount()));
        POSITION setPos = m_mapImages.GetStartPosition();
        while (pos != nullptr && setPos != nullptr) {
            UINT id = 0;
            CUTKImageManagerIconSet* iconSet = nullptr;
            m_mapImages.GetNextAssoc(setPos, id, iconSet);
            SectionPtr section(enumerator.GetNext(pos));
            int value = static_cast<int>(id);
            (void)ExchangeIntProp(section.get(), L"Id", value);
            ExchangeIconSet(id, section.get());
        }
        return;
    }
    // Everything is read aside first; the held sets are replaced only at the end.
    std::vector<std::pair<UINT, IconSetPtr>> loaded;
    const UINT maxCommand = m_nMaxCommand;
    try {
        POSITION pos = enumerator.GetPosition();
        while (pos != nullptr) {
            SectionPtr section(enumerator.GetNext(pos));
            int value = 0;
            if (!ExchangeIntProp(section.get(), L"Id", value)) {
                ThrowDamaged();
            }
            const auto id = static_cast<UINT>(value);
            if (id > m_nMaxCommand) {
                m_nMaxCommand = id;
            }
            CString checkSum = kCheckSum;
            (void)ExchangeStringPropDefault(section.get(), L"CheckSum", checkSum, kCheckSum);
            if (checkSum != kCheckSum) {
                AfxThrowArchiveException(CArchiveException::badClass);
            }
            loaded.emplace_back(id, IconSetPtr(LoadIconSet(id, section.get())));
        }
    } catch (...) {
        m_nMaxCommand = maxCommand;
        throw;
    }
    POSITION setPos = m_mapImages.GetStartPosition();
    while (setPos != nullptr) {
        UINT id = 0;
        CUTKImageManagerIconSet* iconSet = nullptr;
        m_mapImages.GetNextAssoc(setPos, id, iconSet);
        IconSetRelease()(iconSet);
    }
    m_mapImages.RemoveAll();
    for (auto& [id, iconSet] : loaded) {
        if (CUTKImageManagerIconSet* duplicate = GetIconSet(id)) {
            IconSetRelease()(duplicate);
        }
        m_mapImages.SetAt(id, iconSet.release());
    }
}
