// The saved form of an icon: its height, the schema, then two bitmap records per state image.
// Loading reads and checks the whole record before any bitmap is made.
#include "toolkit/common/CUTKImageManagerIcon.h"

#include <commctrl.h>

#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/ImageRecordFormats.h"

#include <cstring>
#include <vector>

namespace {

constexpr int kCurrentSchema = 36;
// Stored alpha pixels are premultiplied from this schema on.
constexpr int kPremultipliedSchema = 25;

// The archive as a record source; bytes left are what is buffered plus what the file holds.
class ArchiveRecordSource : public orvane::RecordSource {
public:
    explicit ArchiveRecordSource(CArchive& ar) : m_ar(ar) {}
    bool Read(void* buffer, size_t size) override
    {
        return size == 0 || m_ar.Read(buffer, static_cast<UINT>(size)) == size;
    }
    uint64_t Left() const override
    {
        const uint64_t buffered = static_cast<uint64_t>(m_ar.m_lpBufMax - m_ar.m_lpBufCur);
        CFile* file = m_ar.GetFile();
        if (file == nullptr) {
            return buffered;
        }
        const ULONGLONG length = file->GetLength();
        const ULONGLONG position = file->GetPosition();
        return buffered + (length > position ? length - position : 0);
    }

private:
    CArchive& m_ar;
};

void WriteBitmapRecord(CArchive& ar, HBITMAP bitmap)
{
    BITMAP object = {};
    if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof(object), &object) == 0 ||
        object.bmWidth <= 0 || object.bmHeight <= 0) {
        ar.WriteCount(0);
        return;
    }
    const int depth = object.bmBitsPixel * object.bmPlanes;
    const int bitCount = depth <= 1 ? 1 : depth <= 4 ? 4 : depth <= 8 ? 8 : depth <= 16 ? 16
                                                          : depth <= 24 ? 24 : 32;
    const size_t entries = bitCount == 4 ? 16 : bitCount == 8 ? 256 : 3;
    std::vector<BYTE> header(sizeof(BITMAPINFOHEADER) + entries * sizeof(RGBQUAD), 0);
    auto* info = reinterpret_cast<BITMAPINFO*>(header.data());
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = object.bmWidth;
    info->bmiHeader.biHeight = object.bmHeight;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = static_cast<WORD>(bitCount);
    info->bmiHeader.biCompression = BI_RGB;
    HDC dc = ::CreateCompatibleDC(nullptr);
    bool ok = ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(object.bmHeight), nullptr, info,
                          DIB_RGB_COLORS) != 0;
    // The query may have set bit fields; the record keeps plain pixels.
    info->bmiHeader.biCompression = BI_RGB;
    const size_t stride = (static_cast<size_t>(object.bmWidth) * bitCount + 31) / 32 * 4;
    info->bmiHeader.biSizeImage = static_cast<DWORD>(stride * static_cast<size_t>(object.bmHeight));
    std::vector<BYTE> pixels(info->bmiHeader.biSizeImage);
    ok = ok && ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(object.bmHeight), pixels.data(),
                           info, DIB_RGB_COLORS) == object.bmHeight;
    ::DeleteDC(dc);
    if (!ok) {
        ar.WriteCount(0);
        return;
    }
    ar.WriteCount(header.size());
    ar.Write(header.data(), static_cast<UINT>(header.size()));
    ar.WriteCount(pixels.size());
    ar.Write(pixels.data(), static_cast<UINT>(pixels.size()));
}

// A DIB section of a validated stored bitmap; null when it cannot be made.
HBITMAP MakeBitmap(const orvane::StoredBitmap& stored)
{
    if (!stored.present) {
        return nullptr;
    }
    std::vector<BYTE> header = stored.header;
    auto* info = reinterpret_cast<BITMAPINFO*>(header.data());
    info->bmiHeader.biSizeImage = static_cast<DWORD>(stored.layout.imageBytes);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) {
        if (bitmap != nullptr) {
            ::DeleteObject(bitmap);
        }
        return nullptr;
    }
    std::memcpy(bits, stored.pixels.data(),
                std::min(stored.pixels.size(), stored.layout.imageBytes));
    ::GdiFlush();
    return bitmap;
}

void MakeImage(IconImageHandle& image, const orvane::StoredImage& stored, int schema)
{
    image.Clear();
    HBITMAP first = MakeBitmap(stored.first);
    HBITMAP second = MakeBitmap(stored.second);
    if (first != nullptr && second != nullptr) {
        const orvane::DibLayout& layout = stored.first.layout;
        const int height = layout.height < 0 ? -layout.height : layout.height;
        HIMAGELIST list =
            ::ImageList_Create(layout.width, height, ILC_COLOR24 | ILC_MASK, 0, 1);
        if (list != nullptr) {
            if (::ImageList_Add(list, first, second) == 0) {
                image = ::ImageList_GetIcon(list, 0, ILD_NORMAL);
            }
            ::ImageList_Destroy(list);
        }
        ::DeleteObject(first);
        ::DeleteObject(second);
    } else if (first != nullptr && stored.first.layout.bitCount == 32) {
        if (schema >= kPremultipliedSchema) {
            image.SetPremultipliedBitmap(first);
        } else {
            image = first;
        }
    } else {
        // A colour bitmap that is no alpha bitmap, or a mask alone: no image.
        if (first != nullptr) {
            ::DeleteObject(first);
        }
        if (second != nullptr) {
            ::DeleteObject(second);
        }
    }
}

}  // namespace

void CUTKImageManagerIcon::SerializeImage(CArchive& ar, IconImageHandle& image, int)
{
    IconImageHandle copy;
    copy.CopyHandle(image);  // no manager: the image's own form, never a resource
    if (copy.GetBitmap() != nullptr && copy.GetBits() != nullptr) {
        WriteBitmapRecord(ar, copy.GetBitmap());
        ar.WriteCount(0);
        return;
    }
    ICONINFO info = {};
    if (copy.GetIcon() != nullptr && ::GetIconInfo(copy.GetIcon(), &info)) {
        WriteBitmapRecord(ar, info.hbmColor);
        WriteBitmapRecord(ar, info.hbmMask);
        if (info.hbmColor != nullptr) {
            ::DeleteObject(info.hbmColor);
        }
        if (info.hbmMask != nullptr) {
            ::DeleteObject(info.hbmMask);
        }
        return;
    }
    ar.WriteCount(0);
    ar.WriteCount(0);
}

void CUTKImageManagerIcon::Serialize(CArchive& ar)
{
    IconImageHandle* order[] = {&m_imageNormal, &m_imageDisabled, &m_imageHot, &m_imageChecked,
                                &m_imagePressed};
    if (ar.IsStoring()) {
        ar << static_cast<LONG>(m_nHeight);
        ar << static_cast<LONG>(kCurrentSchema);
        for (IconImageHandle* image : order) {
            SerializeImage(ar, *image, kCurrentSchema);
        }
        return;
    }
    ArchiveRecordSource source(ar);
    orvane::StoredIcon stored;
    if (!orvane::ReadStoredIcon(source, stored) || stored.height < 1 ||
        stored.height > orvane::kImageMaxDimension || stored.schema < 0 ||
        stored.schema > kCurrentSchema) {
        AfxThrowArchiveException(CArchiveException::badSchema, ar.m_strFileName);
    }
    m_nHeight = stored.height;
    for (size_t i = 0; i < stored.images.size(); ++i) {
        IconImageHandle loaded;
        MakeImage(loaded, stored.images[i], stored.schema);
        order[i]->CopyHandle(loaded);
    }
}
