// Special controls without a site window: numbered captions, the recent-file placeholder over
// a real recent-file list (expanded twice, next to a real item), the selector's grid
// arithmetic and its cells and the hyperlink's text read back from 32-bit DIB sections, the
// progress control's size and copy, and the keyboard and selection rules of the simple controls.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <vector>

#include "platform/framework/frame/AfxOleSetEditMenu.h"
#include "platform/framework/frame/COleClientItem.h"
#include "platform/framework/frame/CFrameWnd.h"
#include "platform/framework/frame/COleDocument.h"
#include "platform/framework/frame/CRecentFileList.h"
#include "platform/framework/frame/CView.h"
#include "tests/toolkit/common/DrawCanvas.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKToolBar.h"
#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/controls/CUTKControlBitmap.h"
#include "toolkit/controls/CUTKControlCheckBox.h"
#include "toolkit/controls/CUTKControlHyperlink.h"
#include "toolkit/controls/CUTKControlLabel.h"
#include "toolkit/controls/CUTKControlMarkupLabel.h"
#include "toolkit/controls/CUTKControlOleItems.h"
#include "toolkit/controls/CUTKControlProgress.h"
#include "toolkit/controls/CUTKControlRadioButton.h"
#include "toolkit/controls/CUTKControlRecentFileList.h"
#include "toolkit/controls/CUTKControlSelector.h"
#include "toolkit/controls/CUTKControlToolbars.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/controls/PlaceholderExpansion.h"
#include "toolkit/themes/CUTKPaintManager.h"

using orvane::test::DrawCanvas;

constexpr COLORREF kPaperWhite = RGB(255, 255, 255);

namespace {

// A recent-file placeholder over a list the test owns.
class TestRecentFiles : public CUTKControlRecentFileList {
public:
    CRecentFileList* GetRecentFileList() override { return m_list; }
    CRecentFileList* m_list = nullptr;
};

// The collection's controls as (id, caption, temporary) for comparisons.
struct Item {
    int id;
    CString caption;
    BOOL temporary;
    bool operator==(const Item&) const = default;
};

std::vector<Item> ItemsOf(const CUTKControls& controls)
{
    std::vector<Item> items;
    for (int i = 0; i < controls.GetCount(); ++i) {
        CUTKControl* c = controls.GetAt(i);
        items.push_back({c->GetID(), c->GetCaption(), c->IsTemporary()});
    }
    return items;
}

int CountColour(const DrawCanvas& canvas, int width, int height, COLORREF colour)
{
    int n = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (canvas.At(x, y) == colour)
                ++n;
        }
    }
    return n;
}

}  // namespace

TEST(SpecialControls, NumberedCaptions)
{
    struct Case {
        const wchar_t* text;
        int number;
        const wchar_t* caption;
    };
    const Case cases[] = {
        {L"Notes", 0, L"Notes"},          {L"Notes", 1, L"&1 Notes"},
        {L"Notes", 9, L"&9 Notes"},       {L"Notes", 10, L"1&0 Notes"},
        {L"Notes", 11, L"11 Notes"},      {L"Q&A", 2, L"&2 Q&&A"},
        {L"a&&b&", 0, L"a&&&&b&&"},       {L"", 3, L"&3 "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CString(c.caption), FormatNumberedCaption(c.text, c.number))
            << CStringA(c.text).GetString() << " " << c.number;
    }
}

TEST(SpecialControls, RecentFilesExpandToNumberedItemsOnceAndKeepTheRealItem)
{
    CRecentFileList list(0, L"Recent File List", L"File%d", 4);
    list.Add(L"C:\\work\\third.txt");
    list.Add(L"C:\\work\\second.txt");
    list.Add(L"C:\\work\\first.txt");

    CUTKControls controls;
    controls.Add(utkControlButton, 100, L"", -1, FALSE)->SetCaption(L"Open");
    auto* placeholder = new TestRecentFiles();
    placeholder->m_list = &list;
    controls.InsertAt(placeholder, 1);
    // A real item whose id lies just past the list's id range (first id + size).
    CUTKControl* exitItem = controls.Add(utkControlButton, 0xE110 + 4, L"", -1, FALSE);
    exitItem->SetCaption(L"Exit");

    placeholder->OnCalcDynamicSize(0);
    const std::vector<Item> once = ItemsOf(controls);
    placeholder->OnCalcDynamicSize(0);
    EXPECT_EQ(once, ItemsOf(controls));

    ASSERT_EQ(6, controls.GetCount());
    EXPECT_EQ(placeholder, controls.GetAt(1));
    EXPECT_EQ(exitItem, controls.GetAt(5));
    EXPECT_NE(0u, placeholder->GetHideFlags() & utkHideGeneric);
    const wchar_t* names[] = {L"first.txt", L"second.txt", L"third.txt"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        CUTKControl* item = controls.GetAt(2 + i);
        EXPECT_TRUE(item->IsTemporary());
        EXPECT_EQ(0xE110 + i, item->GetID());
        CString prefix;
        prefix.Format(L"&%d ", i + 1);
        EXPECT_EQ(prefix, item->GetCaption().Left(3));
        EXPECT_EQ(CString(names[i]), item->GetCaption().Right(static_cast<int>(wcslen(names[i]))));
        EXPECT_EQ(CString(L"C:\\work\\") + names[i], item->GetParameter());
        EXPECT_EQ(static_cast<DWORD>(utkFlagNoUpdate), item->GetFlags());
        // Only the first item starts a group (the placeholder is not the first control).
        EXPECT_EQ(i == 0, item->GetBeginGroup() != FALSE);
    }
}

TEST(SpecialControls, EmptyRecentFileListShowsThePlaceholderGreyed)
{
    CRecentFileList list(0, L"Recent File List", L"File%d", 4);
    CUTKControls controls;
    auto* placeholder = new TestRecentFiles();
    placeholder->m_list = &list;
    controls.InsertAt(placeholder, 0);
    placeholder->SetHideFlags(utkHideGeneric);
    placeholder->OnCalcDynamicSize(0);
    EXPECT_EQ(1, controls.GetCount());
    EXPECT_EQ(0u, placeholder->GetHideFlags());
    EXPECT_FALSE(placeholder->GetEnabled());

    // Files arrive: the items appear; the first control of its collection begins no group.
    list.Add(L"C:\\work\\only.txt");
    placeholder->OnCalcDynamicSize(0);
    ASSERT_EQ(2, controls.GetCount());
    EXPECT_FALSE(controls.GetAt(1)->GetBeginGroup());
    EXPECT_EQ(CString(L"&1 "), controls.GetAt(1)->GetCaption().Left(3));
}

TEST(SpecialControls, SelectorGridArithmetic)
{
    const CSize item(28, 28);
    struct Case {
        CPoint pt;
        CSize selection;
    };
    const Case cases[] = {{{0, 0}, {0, 0}},   {{1, 1}, {1, 1}},     {{28, 29}, {1, 2}},
                          {{29, 28}, {2, 1}}, {{40, 70}, {2, 3}},   {{139, 111}, {5, 4}},
                          {{500, 500}, {5, 4}}, {{-5, 50}, {0, 2}}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.selection, CUTKControlSelector::CalcSelection(c.pt, {0, 0}, item, {5, 4}))
            << c.pt.x << "," << c.pt.y;
    }
    struct Grow {
        CPoint pt;
        CSize grid;
    };
    const Grow grows[] = {{{100, 100}, {5, 4}},  {{140, 10}, {6, 4}},   {{10, 112}, {5, 5}},
                          {{200, 200}, {8, 8}},  {{1000, 1000}, {12, 12}}};
    for (const Grow& g : grows) {
        EXPECT_EQ(g.grid,
                  CUTKControlSelector::CalcGrownGrid(g.pt, {0, 0}, item, {5, 4}, {12, 12}))
            << g.pt.x << "," << g.pt.y;
    }
}

TEST(SpecialControls, SelectorCellsInsideAndOutsideTheSelection)
{
    auto* selector = new CUTKControlSelector();
    selector->OnCalcDynamicSize(0);
    EXPECT_EQ(CSize(5, 4), selector->GetGridSize());
    EXPECT_EQ(CSize(140, 112), selector->GetSize(nullptr));
    selector->SetRect(CRect(0, 0, 140, 112));
    selector->OnMouseMove(CPoint(40, 70));
    EXPECT_EQ(CSize(2, 3), selector->GetSelection());

    DrawCanvas canvas(150, 120, RGB(1, 2, 3));
    selector->Draw(canvas.dc());
    const COLORREF inside = GetColorManager()->GetColor(13);
    const COLORREF outside = GetColorManager()->GetColor(5);
    const COLORREF frame = CUTKPaintManager::GetGlobalPaintManager()->GetColor(43);
    ASSERT_NE(inside, outside);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 5; ++column) {
            SCOPED_TRACE(testing::Message() << column << "," << row);
            const int x = column * 28;
            const int y = row * 28;
            const bool selected = column < 2 && row < 3;
            EXPECT_EQ(selected ? inside : outside, canvas.At(x + 14, y + 14));
            EXPECT_EQ(selected ? inside : outside, canvas.At(x + 2, y + 25));
            EXPECT_EQ(frame, canvas.At(x + 1, y + 1));
            EXPECT_EQ(frame, canvas.At(x + 26, y + 26));
            EXPECT_EQ(RGB(1, 2, 3), canvas.At(x, y));  // the 1-pixel gap around each cell
        }
    }
    EXPECT_EQ(RGB(1, 2, 3), canvas.At(145, 50));
    selector->InternalRelease();
}

TEST(SpecialControls, HyperlinkTextColoursByState)
{
    struct Case {
        const char* name;
        BOOL enabled;
        int selected;
        COLORREF colour;
    };
    const COLORREF grey = GetColorManager()->GetColor(17);
    const Case cases[] = {{"enabled", TRUE, 0, RGB(0, 0, 255)},
                          {"hot", TRUE, 1, RGB(255, 0, 0)},
                          {"disabled", FALSE, 0, grey}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* link = new CUTKControlHyperlink();
        link->SetCaption(L"WWW&W");
        link->SetEnabled(c.enabled);
        link->m_selected = c.selected;
        EXPECT_EQ(c.colour, link->GetLinkColor());
        DrawCanvas canvas(120, 30, RGB(255, 255, 255));
        const CSize size = link->GetSize(canvas.dc());
        EXPECT_EQ(size, link->GetSize(nullptr));  // measured on the screen alike
        EXPECT_GT(size.cx, 20);
        EXPECT_GT(size.cy, 5);
        link->SetRect(CRect(CPoint(4, 4), size));
        link->Draw(canvas.dc());
        // Solid stems of the text in exactly the state's colour, nothing outside the control.
        EXPECT_GT(CountColour(canvas, 120, 30, c.colour), 10);
        for (const Case& other : cases) {
            if (other.colour != c.colour) {
                EXPECT_EQ(0, CountColour(canvas, 120, 30, other.colour)) << other.name;
            }
        }
        for (int x = 0; x < 120; ++x)
            EXPECT_EQ(RGB(255, 255, 255), canvas.At(x, 4 + size.cy + 1));
        link->InternalRelease();
    }
}

TEST(SpecialControls, SimpleControlsKeysAndSelection)
{
    auto* label = new CUTKControlLabel();
    EXPECT_EQ(static_cast<int>(utkControlLabel), label->GetType());
    EXPECT_EQ(0x1Au, label->GetFlags());
    label->m_selected = 1;
    EXPECT_EQ(0, label->GetSelected());
    label->InternalRelease();

    auto* check = new CUTKControlCheckBox();
    auto* radio = new CUTKControlRadioButton();
    EXPECT_EQ(static_cast<int>(utkControlCheckBox), check->GetType());
    EXPECT_EQ(static_cast<int>(utkControlRadioButton), radio->GetType());
    for (CUTKControl* c : {static_cast<CUTKControl*>(check), static_cast<CUTKControl*>(radio)}) {
        EXPECT_FALSE(c->IsFocused());
        c->m_selected = 2;
        EXPECT_TRUE(c->IsFocused());
        EXPECT_FALSE(c->OnHookKeyDown(VK_RETURN, 0));
        EXPECT_FALSE(c->OnHookKeyDown('A', 0));
        CUTKControl* clone = c->Clone();
        EXPECT_EQ(c->GetRuntimeClass(), clone->GetRuntimeClass());
        clone->InternalRelease();
    }
    check->InternalRelease();
    radio->InternalRelease();
}

TEST(SpecialControls, ProgressControlSizeAndCopy)
{
    auto* progress = new CUTKControlProgress();
    EXPECT_EQ(CSize(100, 16), progress->GetSize(nullptr));
    progress->SetHeight(20);
    progress->SetWidth(150);
    EXPECT_EQ(CSize(150, 20), progress->GetSize(nullptr));
    progress->SetRange(10, 40);
    progress->SetPos(70);
    EXPECT_EQ(40, progress->GetPos());
    CUTKControl* clone = progress->Clone();
    auto* copy = DYNAMIC_DOWNCAST(CUTKControlProgress, clone);
    ASSERT_NE(nullptr, copy);
    int lower = 0;
    int upper = 0;
    copy->GetRange(lower, upper);
    EXPECT_EQ(10, lower);
    EXPECT_EQ(40, upper);
    EXPECT_EQ(40, copy->GetPos());
    clone->InternalRelease();
    progress->InternalRelease();
}

namespace {

using Bytes = std::vector<BYTE>;

Bytes StoreArchive(CUTKControl* control)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CUTKPropExchangeArchive px(ar);
        px.ExchangeSchema();
        control->DoPropExchange(&px);
        ar.Close();
    }
    const UINT length = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    Bytes bytes(data, data + length);
    std::free(data);
    return bytes;
}

void LoadArchive(const Bytes& bytes, CUTKControl* control)
{
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CUTKPropExchangeArchive px(ar);
    px.ExchangeSchema();
    control->DoPropExchange(&px);
}

// A view that selects the items it is told to.
class SelectingView : public CView {
public:
    void OnDraw(CDC*) override {}
    BOOL IsSelected(const CObject* item) const override
    {
        return std::find(m_selected.begin(), m_selected.end(), item) != m_selected.end();
    }
    std::vector<const CObject*> m_selected;
};

}  // namespace

TEST(SpecialControls, ProgressAndSelectorStateRoundTrip)
{
    auto* progress = new CUTKControlProgress();
    progress->SetRange(-5, 500);
    progress->SetPos(77);
    const Bytes saved = StoreArchive(progress);
    auto* loaded = new CUTKControlProgress();
    LoadArchive(saved, loaded);
    int lower = 0;
    int upper = 0;
    loaded->GetRange(lower, upper);
    EXPECT_EQ(-5, lower);
    EXPECT_EQ(500, upper);
    EXPECT_EQ(77, loaded->GetPos());
    EXPECT_EQ(saved, StoreArchive(loaded));
    progress->InternalRelease();
    loaded->InternalRelease();

    auto* selector = new CUTKControlSelector();
    selector->SetItemsCount(CSize(7, 3));
    selector->SetItemsMax(CSize(10, 9));
    selector->SetItemSize(CSize(20, 18));
    const Bytes grid = StoreArchive(selector);
    auto* again = new CUTKControlSelector();
    LoadArchive(grid, again);
    EXPECT_EQ(CSize(7, 3), again->GetItemsCount());
    EXPECT_EQ(CSize(10, 9), again->GetItemsMax());
    EXPECT_EQ(CSize(20, 18), again->GetItemSize());
    EXPECT_EQ(CSize(140, 54), again->GetSize(nullptr));
    EXPECT_EQ(grid, StoreArchive(again));
    selector->InternalRelease();
    again->InternalRelease();
}

TEST(SpecialControls, OleDocumentPrimarySelectionAndTheObjectItem)
{
    COleDocument* document = new COleDocument();
    COleClientItem first(document);
    COleClientItem second(document);
    EXPECT_EQ(2, document->GetItemCount());
    SelectingView view;
    EXPECT_EQ(nullptr, document->GetPrimarySelectedItem(&view));
    view.m_selected = {&second};
    EXPECT_EQ(&second, document->GetPrimarySelectedItem(&view));
    view.m_selected = {&first, &second};
    EXPECT_EQ(nullptr, document->GetPrimarySelectedItem(&view));
    EXPECT_EQ(static_cast<UINT>(COleClientItem::emptyState), first.GetItemState());

    // Without an object the edit menu's item is a greyed "&Object" in place of the old one.
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ::AppendMenuW(menu.GetSafeHmenu(), MF_STRING, 1, L"Cut");
    ::AppendMenuW(menu.GetSafeHmenu(), MF_STRING, 2, L"<<OLE VERBS GO HERE>>");
    AfxOleSetEditMenu(&first, &menu, 1, 0xE210, 0xE21F);
    ASSERT_EQ(2, ::GetMenuItemCount(menu.GetSafeHmenu()));
    wchar_t text[64] = {};
    ::GetMenuStringW(menu.GetSafeHmenu(), 1, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(L"&Object", text);
    EXPECT_NE(0u, ::GetMenuState(menu.GetSafeHmenu(), 1, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(0xE210u, ::GetMenuItemID(menu.GetSafeHmenu(), 1));
    menu.DestroyMenu();

    // Without a site the verbs placeholder hides and makes nothing.
    CUTKControls controls;
    auto* verbs = new CUTKControlOleItems();
    controls.InsertAt(verbs, 0);
    verbs->OnCalcDynamicSize(0);
    EXPECT_EQ(1, controls.GetCount());
    EXPECT_NE(0u, verbs->GetHideFlags() & utkHideGeneric);
    delete document;  // the items leave it
    EXPECT_EQ(nullptr, first.GetDocument());
}

TEST(SpecialControls, MarkupLabelWithoutMarkupIsAPlainLabel)
{
    auto* label = new CUTKControlMarkupLabel();
    auto* plain = new CUTKControl();
    for (CUTKControl* c : {static_cast<CUTKControl*>(label), plain}) {
        c->SetCaption(L"<TextBlock>Hello</TextBlock>");
        c->SetWidth(70);
        c->SetHeight(21);
    }
    EXPECT_EQ(nullptr, label->GetMarkupElement());
    DrawCanvas canvas(100, 30, kPaperWhite);
    EXPECT_EQ(plain->GetSize(canvas.dc()), label->GetSize(canvas.dc()));
    EXPECT_EQ(0, label->GetSelected());
    label->InternalRelease();
    plain->InternalRelease();
}

TEST(SpecialControls, ToolbarListItemsForListedBarsOnly)
{
    CUTKCommandBars bars;
    auto* standard = new CUTKToolBar();
    standard->SetTitle(L"Standard");
    standard->SetCloseable(TRUE);
    auto* hidden = new CUTKToolBar();  // not closeable: not listed
    hidden->SetTitle(L"Hidden");
    hidden->SetCloseable(FALSE);
    auto* format = new CUTKToolBar();
    format->SetTitle(L"Format & Style");
    format->SetCloseable(TRUE);
    auto* noMenu = new CUTKToolBar();  // no context menu: not listed
    noMenu->SetTitle(L"No menu");
    noMenu->SetCloseable(TRUE);
    noMenu->SetContextMenuPresent(FALSE);
    auto* menuBar = new CUTKCommandBar();
    menuBar->SetCommandBars(&bars);
    for (CUTKCommandBar* bar : std::initializer_list<CUTKCommandBar*>{menuBar, standard, hidden,
                                                                      format, noMenu})
        bars.Add(bar);

    CUTKControls* controls = menuBar->GetControls();
    controls->Add(utkControlButton, 200, L"", -1, FALSE)->SetCaption(L"Status Bar");
    auto* placeholder = new CUTKControlToolbars();
    controls->InsertAt(placeholder, 0);
    placeholder->SetID(0xE800);
    placeholder->SetBeginGroup(TRUE);

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        placeholder->OnCalcDynamicSize(0);
        ASSERT_EQ(4, controls->GetCount());
        EXPECT_NE(0u, placeholder->GetHideFlags() & utkHideGeneric);
        struct Expected {
            const wchar_t* caption;
            DWORD_PTR tag;
            CUTKCommandBar* bar;
        };
        const Expected expected[] = {{L"Standard", 1, standard}, {L"Format && Style", 3, format}};
        for (int i = 0; i < 2; ++i) {
            CUTKControl* item = controls->GetAt(1 + i);
            EXPECT_TRUE(item->IsTemporary());
            EXPECT_EQ(CString(expected[i].caption), item->GetCaption());
            EXPECT_EQ(expected[i].tag, item->GetTag());
            EXPECT_EQ(0xE800, item->GetID());
            EXPECT_EQ(i == 0, item->GetBeginGroup() != FALSE);
            EXPECT_EQ(expected[i].bar->IsVisible() != FALSE, item->GetChecked() != FALSE);
            // Items pass for plain buttons and clone into them.
            EXPECT_EQ(RUNTIME_CLASS(CUTKControlButton), item->GetRuntimeClass());
            CUTKControl* clone = item->Clone();
            EXPECT_EQ(RUNTIME_CLASS(CUTKControlButton), clone->GetRuntimeClass());
            EXPECT_EQ(item->GetCaption(), clone->GetCaption());
            clone->InternalRelease();
        }
        EXPECT_EQ(CString(L"Status Bar"), controls->GetAt(3)->GetCaption());
    }
    bars.RemoveAll();
    for (CUTKCommandBar* bar : std::initializer_list<CUTKCommandBar*>{menuBar, standard, hidden,
                                                                      format, noMenu})
        bar->InternalRelease();
}

namespace {

// A strip image of one icon: a green border around red.
void AddBitmapIcon(UINT id, int cx, int cy)
{
    DrawCanvas strip(cx, cy, RGB(0, 255, 0));
    strip.dc()->FillSolidRect(1, 1, cx - 2, cy - 2, RGB(255, 0, 0));
    ::GdiFlush();
    CBitmap bitmap;
    bitmap.Attach(::CopyImage(strip.bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    const UINT ids[] = {id};
    EXPECT_TRUE(GetImageManager()->SetIconsFromBitmap(&bitmap, ids, 1, cx, cy, 0, FALSE));
}

}  // namespace

TEST(SpecialControls, BitmapTakesTheImageManagersWidthOneImageAtItsOwnSize)
{
    // Width 1 asks the image manager for the image it keeps for that width: the widest.
    constexpr UINT kId = 4711;
    auto* picture = new CUTKControlBitmap();
    picture->SetID(kId);
    EXPECT_EQ(CSize(0, 0), picture->GetSize(nullptr));  // no image yet
    AddBitmapIcon(kId, 12, 8);
    AddBitmapIcon(kId, 24, 16);
    const CSize size = picture->GetSize(nullptr);
    EXPECT_EQ(GetImageManager()->GetImage(kId, 1)->GetExtent(), size);
    EXPECT_EQ(CSize(24, 16), size);
    picture->SetRect(CRect(5, 5, 60, 40));  // larger than the image: drawn at its own size
    DrawCanvas canvas(70, 50, kPaperWhite);
    picture->Draw(canvas.dc());
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(5 + 5, 5 + 4));
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(5 + 22, 5 + 14));
    EXPECT_EQ(kPaperWhite, canvas.At(5 + 25, 5 + 4));
    EXPECT_EQ(kPaperWhite, canvas.At(5 + 5, 5 + 17));
    EXPECT_EQ(kPaperWhite, canvas.At(4, 4));
    picture->m_selected = 1;
    EXPECT_EQ(0, picture->GetSelected());
    picture->InternalRelease();
}

namespace {

// An OLE object that offers verbs and a short type name, nothing else.
class FakeOleObject : public IOleObject {
public:
    struct Verb {
        LONG id;
        const wchar_t* name;
        DWORD attributes;
    };
    explicit FakeOleObject(std::vector<Verb> verbs) : m_verbs(std::move(verbs)) {}

    class VerbEnum final : public IEnumOLEVERB {
    public:
        explicit VerbEnum(const std::vector<Verb>& verbs) : m_verbs(verbs) {}
        virtual ~VerbEnum() = default;
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
        {
            if (riid == IID_IUnknown || riid == IID_IEnumOLEVERB) {
                *out = this;
                AddRef();
                return S_OK;
            }
            *out = nullptr;
            return E_NOINTERFACE;
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
        ULONG STDMETHODCALLTYPE Release() override
        {
            const ULONG refs = --m_refs;
            if (refs == 0)
                delete this;
            return refs;
        }
        HRESULT STDMETHODCALLTYPE Next(ULONG count, LPOLEVERB verbs, ULONG* fetched) override
        {
            ULONG n = 0;
            for (; n < count && m_next < m_verbs.size(); ++n, ++m_next) {
                const Verb& v = m_verbs[m_next];
                const size_t bytes = (wcslen(v.name) + 1) * sizeof(wchar_t);
                auto* name = static_cast<LPOLESTR>(::CoTaskMemAlloc(bytes));
                memcpy(name, v.name, bytes);
                verbs[n] = {v.id, name, 0, v.attributes};
            }
            if (fetched != nullptr)
                *fetched = n;
            return n == count ? S_OK : S_FALSE;
        }
        HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE Reset() override
        {
            m_next = 0;
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE Clone(IEnumOLEVERB**) override { return E_NOTIMPL; }

    private:
        std::vector<Verb> m_verbs;
        size_t m_next = 0;
        ULONG m_refs = 1;
    };

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (riid == IID_IUnknown || riid == IID_IOleObject) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_refs; }  // owned by the test
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Close(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override
    {
        *verbs = new VerbEnum(m_verbs);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Update() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsUpToDate() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* type) override
    {
        if (form != USERCLASSTYPE_SHORT)
            return E_INVALIDARG;
        *type = static_cast<LPOLESTR>(::CoTaskMemAlloc(sizeof(L"Sheet")));
        memcpy(*type, L"Sheet", sizeof(L"Sheet"));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    ULONG m_refs = 1;

private:
    std::vector<Verb> m_verbs;
};

CString MenuText(HMENU menu, UINT position)
{
    wchar_t text[256] = {};
    ::GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return CString(text);
}

}  // namespace

TEST(SpecialControls, ObjectVerbsInTheEditMenu)
{
    constexpr DWORD kOnMenu = OLEVERBATTRIB_ONCONTAINERMENU;
    FakeOleObject two({{0, L"&Edit", kOnMenu}, {-1, L"Hidden", kOnMenu}, {1, L"&Open", kOnMenu},
                       {2, L"Not on menu", 0}});
    FakeOleObject one({{0, L"&Play", kOnMenu}});
    COleClientItem item;
    {
        item.SetObject(&two);
        EXPECT_EQ(static_cast<UINT>(COleClientItem::loadedState), item.GetItemState());
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        AfxOleSetEditMenu(&item, &menu, 0, 0xE210, 0xE21F);
        ASSERT_EQ(1, ::GetMenuItemCount(menu.GetSafeHmenu()));
        EXPECT_EQ(CString(L"Sheet &Object"), MenuText(menu.GetSafeHmenu(), 0));
        HMENU verbs = ::GetSubMenu(menu.GetSafeHmenu(), 0);
        ASSERT_NE(nullptr, verbs);
        ASSERT_EQ(2, ::GetMenuItemCount(verbs));
        EXPECT_EQ(CString(L"&Edit"), MenuText(verbs, 0));
        EXPECT_EQ(CString(L"&Open"), MenuText(verbs, 1));
        EXPECT_EQ(0xE210u, ::GetMenuItemID(verbs, 0));
        EXPECT_EQ(0xE211u, ::GetMenuItemID(verbs, 1));
        menu.DestroyMenu();
    }
    {
        item.SetObject(&one);
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        AfxOleSetEditMenu(&item, &menu, 0, 0xE210, 0xE21F);
        ASSERT_EQ(1, ::GetMenuItemCount(menu.GetSafeHmenu()));
        EXPECT_EQ(nullptr, ::GetSubMenu(menu.GetSafeHmenu(), 0));
        EXPECT_EQ(CString(L"&Play Sheet &Object"), MenuText(menu.GetSafeHmenu(), 0));
        EXPECT_EQ(0xE210u, ::GetMenuItemID(menu.GetSafeHmenu(), 0));
        menu.DestroyMenu();
    }
    item.SetObject(nullptr);
    EXPECT_EQ(1u, two.m_refs);
    EXPECT_EQ(1u, one.m_refs);
}

TEST(SpecialControls, ObjectVerbsPlaceholderMakesOnePopupOfTheSelectedItem)
{
    constexpr DWORD kOnMenu = OLEVERBATTRIB_ONCONTAINERMENU;
    FakeOleObject object({{0, L"&Edit", kOnMenu}, {1, L"&Open", kOnMenu}});
    auto* document = new COleDocument();
    COleClientItem item(document);
    item.SetObject(&object);
    SelectingView view;
    document->AddView(&view);
    view.m_selected = {&item};
    CFrameWnd frame;  // no window: only its active view is asked
    frame.SetActiveView(&view, FALSE);

    auto* menuBar = new CUTKCommandBar();
    menuBar->SetOwnerWindow(&frame);
    CUTKControls* controls = menuBar->GetControls();
    auto* placeholder = new CUTKControlOleItems();
    controls->InsertAt(placeholder, 0);
    controls->Add(utkControlButton, 300, L"", -1, FALSE)->SetCaption(L"Links");

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        placeholder->OnCalcDynamicSize(0);
        ASSERT_EQ(3, controls->GetCount());
        CUTKControl* popup = controls->GetAt(1);
        EXPECT_TRUE(popup->IsTemporary());
        EXPECT_EQ(static_cast<int>(utkControlPopup), popup->GetType());
        EXPECT_EQ(CString(L"OLEMENUPOPUP"), popup->GetParameter());
        EXPECT_EQ(CString(L"Sheet &Object"), popup->GetCaption());
        CUTKCommandBar* verbs = popup->GetCommandBar();
        ASSERT_NE(nullptr, verbs);
        ASSERT_EQ(2, verbs->GetControls()->GetCount());
        EXPECT_EQ(0xE210, verbs->GetControls()->GetAt(0)->GetID());
        EXPECT_EQ(0xE211, verbs->GetControls()->GetAt(1)->GetID());
        EXPECT_EQ(CString(L"Links"), controls->GetAt(2)->GetCaption());
    }
    // In-place active: no verbs.
    item.m_nItemState = COleClientItem::activeState;
    placeholder->OnCalcDynamicSize(0);
    EXPECT_EQ(2, controls->GetCount());

    frame.SetActiveView(nullptr, FALSE);
    menuBar->InternalRelease();
    item.SetObject(nullptr);
    document->RemoveItem(&item);
    view.m_selected.clear();
}

TEST(SpecialControls, ProgressControlDrawsThroughItsPaintManager)
{
    // Without a bar the process-wide (Default) theme draws: the flat bar.
    auto* progress = new CUTKControlProgress();
    ASSERT_NE(nullptr, progress->GetProgressPaintManager());
    progress->SetRect(CRect(3, 2, 107, 18));
    progress->SetPos(50);
    DrawCanvas canvas(120, 24, kPaperWhite);
    progress->Draw(canvas.dc());
    const COLORREF fill = GetColorManager()->GetColor(13);
    int filled = 0;
    for (int x = 0; x < 120; ++x) {
        if (canvas.At(x, 10) == fill)
            ++filled;
    }
    EXPECT_EQ(50, filled);
    EXPECT_EQ(fill, canvas.At(5, 10));
    EXPECT_EQ(fill, canvas.At(54, 10));
    EXPECT_EQ(GetColorManager()->GetColor(15), canvas.At(55, 10));
    EXPECT_EQ(GetColorManager()->GetColor(16), canvas.At(106, 10));
    EXPECT_EQ(kPaperWhite, canvas.At(107, 10));
    progress->InternalRelease();
}

TEST(SpecialControls, PlaceholdersShowThemselvesInCustomisationMode)
{
    CRecentFileList list(0, L"Recent File List", L"File%d", 4);
    list.Add(L"C:\\work\\one.txt");
    CUTKCommandBars bars;
    auto* menuBar = new CUTKCommandBar();
    menuBar->SetCommandBars(&bars);
    CUTKControls* controls = menuBar->GetControls();
    auto* recent = new TestRecentFiles();
    recent->m_list = &list;
    controls->InsertAt(recent, 0);
    auto* toolbars = new CUTKControlToolbars();
    controls->InsertAt(toolbars, 1);

    recent->OnCalcDynamicSize(0);
    ASSERT_EQ(3, controls->GetCount());
    EXPECT_NE(0u, recent->GetHideFlags() & utkHideGeneric);

    // Customising: the generated items go, the placeholders show as ordinary (enabled) items.
    bars.SetCustomizeMode(TRUE);
    recent->SetEnabled(FALSE);
    recent->OnCalcDynamicSize(0);
    toolbars->SetHideFlags(utkHideGeneric);
    toolbars->OnCalcDynamicSize(0);
    ASSERT_EQ(2, controls->GetCount());
    EXPECT_EQ(recent, controls->GetAt(0));
    EXPECT_EQ(toolbars, controls->GetAt(1));
    EXPECT_EQ(0u, recent->GetHideFlags());
    EXPECT_TRUE(recent->GetEnabled());
    EXPECT_EQ(0u, toolbars->GetHideFlags());
    bars.SetCustomizeMode(FALSE);
    menuBar->InternalRelease();
}
