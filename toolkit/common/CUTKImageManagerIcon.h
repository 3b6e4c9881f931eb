// The icon of one command at one width: up to five supplied images (normal, hot, checked,
// pressed, disabled) and three generated ones (faded, shadow, disabled), with the rules that
// generate them and the drawing of any of them. Reference counted: its set releases it.
#pragma once

#include "toolkit/common/IconImageHandle.h"

class CUTKImageManagerIconSet;
class CUTKImageManagerImageList;

class CUTKImageManagerIcon : public CCmdTarget {
    DECLARE_DYNAMIC(CUTKImageManagerIcon)

public:
    CUTKImageManagerIcon(UINT id, int width, int height, CUTKImageManagerIconSet* iconSet);
    CUTKImageManagerIcon(UINT id, int width, int height, CUTKImageManagerImageList* imageList);
    ~CUTKImageManagerIcon() override;

    UINT GetID() const noexcept { return m_nID; }
    int GetWidth() const noexcept { return m_nWidth; }
    int GetHeight() const noexcept { return m_nHeight; }
    CSize GetExtent() const;
    BOOL IsAlpha() const;

    IconImageHandle& GetIcon() { return m_imageNormal; }
    IconImageHandle& GetHotIcon();
    IconImageHandle& GetCheckedIcon();
    IconImageHandle& GetPressedIcon();
    IconImageHandle& GetDisabledIcon(BOOL create = TRUE);
    IconImageHandle& GetFadedIcon();
    IconImageHandle& GetShadowIcon();
    IconImageHandle& GetIconForState(int state);
    BOOL HasDisabledIcon() const;

    void SetNormalIcon(const IconImageHandle& image);
    void SetHotIcon(const IconImageHandle& image);
    void SetCheckedIcon(const IconImageHandle& image);
    void SetPressedIcon(const IconImageHandle& image);
    void SetDisabledIcon(const IconImageHandle& image);

    void CreateDisabledIcon(COLORREF light = static_cast<COLORREF>(-1),
                            COLORREF dark = static_cast<COLORREF>(-1));
    void CreateFadedIcon();
    void CreateShadowIcon();
    // Drops the faded, shadow and generated disabled images.
    void Refresh();
    // Releases all eight images.
    void Clear();

    void Draw(CDC* dc, CPoint point);
    void DrawScaled(CDC* dc, CPoint point, CSize size);
    // A width of 0 means the icon's width; a height of 0 keeps the icon's proportions.
    void DrawImage(CDC* dc, CPoint point, IconImageHandle& image, CSize size = CSize(0, 0),
                   COLORREF background = CLR_NONE, COLORREF foreground = CLR_DEFAULT,
                   UINT style = 0);
    // A one-colour silhouette; nothing for an alpha image.
    void DrawMono(CDC* dc, CPoint point, IconImageHandle& image, CSize size, COLORREF colour);

    void Serialize(CArchive& ar) override;

    // Set by the ribbon before it draws an icon on a composited frame.
    BOOL m_bDrawComposited = FALSE;

private:
    friend class CUTKImageManagerIconSet;

    CSize DrawSize(CSize size) const;
    CUTKImageManager* GetImageManager() const;
    void SerializeImage(CArchive& ar, IconImageHandle& image, int schema);

    UINT m_nID;
    int m_nWidth;
    int m_nHeight;
    IconImageHandle m_imageNormal;
    IconImageHandle m_imageFaded;
    IconImageHandle m_imageShadow;
    IconImageHandle m_imageHot;
    IconImageHandle m_imageChecked;
    IconImageHandle m_imagePressed;
    IconImageHandle m_imageDisabled;
    IconImageHandle m_imageDisabledAuto;
    CUTKImageManagerIconSet* m_pIconSet = nullptr;
    CUTKImageManagerImageList* m_pImageList = nullptr;
};
