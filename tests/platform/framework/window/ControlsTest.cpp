// Control wrappers on real controls: list and tree views, list and combo boxes (including
// bad indexes), edits, rich edit streaming and formatting, sliders with reflected scrolling,
// spin buttons, hot keys, progress bars, toolbars, owner-drawn buttons, image lists and menus.
#include "tests/platform/framework/window/TestApp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ControlsTest : public testing::Test {
protected:
    void SetUp() override
    {
        TheTestApp();
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"controls", WS_POPUP, 0, 0, 400, 300,
                                  nullptr, nullptr));
    }
    void TearDown() override { host.DestroyWindow(); }

    CWnd host;
};

TEST_F(ControlsTest, ListCtrlItemsAndSelection)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &host, 10));
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(list.GetExtendedStyle() & LVS_EX_FULLROWSELECT);
    EXPECT_EQ(list.InsertColumn(0, L"Name", LVCFMT_LEFT, 100), 0);
    EXPECT_EQ(list.InsertColumn(1, L"Length", LVCFMT_RIGHT, 80), 1);
    ASSERT_NE(list.GetHeaderCtrl(), nullptr);
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);
    for (int i = 0; i < 3; ++i) {
        wchar_t text[16];
        swprintf(text, 16, L"item %d", i);
        EXPECT_EQ(list.InsertItem(i, text), i);
        list.SetItemText(i, 1, L"0:20");
        list.SetItemData(i, 100 + i);
    }
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(1, 0), CString(L"item 1"));
    EXPECT_EQ(list.GetItemText(2, 1), CString(L"0:20"));
    EXPECT_EQ(list.GetItemData(2), 102u);
    const std::wstring longText(700, L'x');
    list.SetItemText(0, 0, longText.c_str());
    EXPECT_EQ(list.GetItemText(0, 0).GetLength(), 700) << "long texts are not cut";
    EXPECT_TRUE(list.GetItemText(17, 0).IsEmpty()) << "a bad index gives no text";

    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetSelectedCount(), 2u);
    std::vector<int> selected;
    for (POSITION pos = list.GetFirstSelectedItemPosition(); pos != nullptr;) {
        selected.push_back(list.GetNextSelectedItem(pos));
    }
    EXPECT_EQ(selected, (std::vector<int>{0, 2}));
    CRect item;
    ASSERT_TRUE(list.GetItemRect(1, &item, LVIR_BOUNDS));
    UINT flags = 0;
    EXPECT_EQ(list.HitTest(item.CenterPoint(), &flags), 1);
    EXPECT_TRUE(flags & LVHT_ONITEM);
    EXPECT_TRUE(list.DeleteItem(1));
    EXPECT_EQ(list.GetItemCount(), 2);
}

TEST_F(ControlsTest, TreeCtrlHierarchy)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES,
                            CRect(0, 0, 200, 200), &host, 11));
    HTREEITEM root = tree.InsertItem(L"Chapters");
    HTREEITEM first = tree.InsertItem(L"Intro", root);
    HTREEITEM second = tree.InsertItem(L"Demo", root);
    tree.SetItemData(second, 42);
    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_EQ(tree.GetRootItem(), root);
    EXPECT_EQ(tree.GetChildItem(root), first);
    EXPECT_EQ(tree.GetNextSiblingItem(first), second);
    EXPECT_EQ(tree.GetParentItem(second), root);
    EXPECT_TRUE(tree.ItemHasChildren(root));
    EXPECT_FALSE(tree.ItemHasChildren(first));
    EXPECT_EQ(tree.GetItemText(second), CString(L"Demo"));
    EXPECT_EQ(tree.GetItemData(second), 42u);
    EXPECT_TRUE(tree.SetItemText(first, L"Opening"));
    EXPECT_EQ(tree.GetItemText(first), CString(L"Opening"));
    EXPECT_TRUE(tree.SelectItem(second));
    EXPECT_EQ(tree.GetSelectedItem(), second);
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(tree.GetCount(), 0u);
}

TEST_F(ControlsTest, ListAndComboStringsWithBadIndexes)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 100, 200), &host, 12));
    EXPECT_EQ(combo.AddString(L"Normal"), 0);
    EXPECT_EQ(combo.AddString(L"Fast"), 1);
    EXPECT_EQ(combo.InsertString(0, L"Slow"), 0);
    combo.SetItemData(2, 77);
    EXPECT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(combo.FindStringExact(-1, L"Fast"), 2);
    EXPECT_EQ(combo.SelectString(-1, L"Norm"), 1);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(combo.GetItemData(2), 77u);
    CString text = L"stale";
    combo.GetLBText(1, text);
    EXPECT_EQ(text, CString(L"Normal"));
    combo.GetLBText(9, text);
    EXPECT_TRUE(text.IsEmpty()) << "a bad index must not leave the old text";

    CListBox box;
    ASSERT_TRUE(box.Create(WS_CHILD | LBS_NOTIFY, CRect(0, 0, 100, 100), &host, 13));
    box.AddString(L"a");
    box.AddString(L"b");
    text = L"stale";
    box.GetText(1, text);
    EXPECT_EQ(text, CString(L"b"));
    box.GetText(-3, text);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(box.SetCurSel(0), 0);
    EXPECT_EQ(box.GetCurSel(), 0);
    box.ResetContent();
    EXPECT_EQ(box.GetCount(), 0);
}

TEST_F(ControlsTest, EditSelectionLinesAndPositions)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE,
                            CRect(0, 0, 300, 100), &host, 14));
    edit.SetWindowText(L"first line\r\nsecond");
    EXPECT_EQ(edit.GetLineCount(), 2);
    EXPECT_EQ(edit.LineIndex(1), 12);
    EXPECT_EQ(edit.LineLength(12), 6);
    wchar_t line[32] = {};
    const int got = edit.GetLine(1, line, 32);
    EXPECT_EQ(std::wstring(line, static_cast<size_t>(got)), L"second");
    edit.SetSel(2, 5);
    int start = 0;
    int end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 2);
    EXPECT_EQ(end, 5);
    edit.ReplaceSel(L"XYZW");
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString(L"fiXYZW line\r\nsecond"));
    const CPoint pos = edit.PosFromChar(3);
    EXPECT_EQ(edit.CharFromPos(CPoint(pos.x + 1, pos.y + 1)), 3);
    edit.SetLimitText(5);
    EXPECT_EQ(edit.GetLimitText(), 5u);
}

struct StreamBuffer {
    std::string bytes;
    size_t readPos = 0;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb)
{
    auto* stream = reinterpret_cast<StreamBuffer*>(cookie);
    const size_t left = stream->bytes.size() - stream->readPos;
    const size_t n = left < static_cast<size_t>(cb) ? left : static_cast<size_t>(cb);
    memcpy(buffer, stream->bytes.data() + stream->readPos, n);
    stream->readPos += n;
    *pcb = static_cast<LONG>(n);
    return 0;
}

DWORD CALLBACK WriteStream(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb)
{
    reinterpret_cast<StreamBuffer*>(cookie)->bytes.append(reinterpret_cast<char*>(buffer),
                                                          static_cast<size_t>(cb));
    *pcb = cb;
    return 0;
}

TEST_F(ControlsTest, RichEditStreamsAndFormats)
{
    CRichEditCtrl rich;
    ASSERT_TRUE(rich.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE,
                            CRect(0, 0, 300, 100), &host, 15));
    StreamBuffer in;
    in.bytes = "Hello, rich text";
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&in), 0, ReadStream};
    EXPECT_EQ(rich.StreamIn(SF_TEXT, es), 16);
    EXPECT_EQ(rich.GetTextLength(), 16);

    rich.SetSel(0, 5);
    EXPECT_EQ(rich.GetSelText(), CString(L"Hello"));
    CHARFORMAT cf{};
    cf.dwMask = CFM_BOLD;
    cf.dwEffects = CFE_BOLD;
    EXPECT_TRUE(rich.SetSelectionCharFormat(cf));
    CHARFORMAT check{};
    rich.GetSelectionCharFormat(check);
    EXPECT_TRUE(check.dwEffects & CFE_BOLD);

    StreamBuffer out;
    EDITSTREAM esOut{reinterpret_cast<DWORD_PTR>(&out), 0, WriteStream};
    rich.StreamOut(SF_TEXT, esOut);
    EXPECT_EQ(out.bytes, "Hello, rich text");
    StreamBuffer rtf;
    EDITSTREAM esRtf{reinterpret_cast<DWORD_PTR>(&rtf), 0, WriteStream};
    rich.StreamOut(SF_RTF, esRtf);
    EXPECT_EQ(rtf.bytes.rfind("{\\rtf", 0), 0u);
    EXPECT_NE(rtf.bytes.find("\\b"), std::string::npos) << "bold survives in RTF";
}

// A slider that takes its own scroll messages back from the parent.
class ReflectSlider : public CSliderCtrl {
public:
    std::vector<UINT> codes;

protected:
    void HScroll(UINT nSBCode, UINT) { codes.push_back(nSBCode); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectSlider, CSliderCtrl)
    ON_WM_HSCROLL_REFLECT()
END_MESSAGE_MAP()

TEST_F(ControlsTest, SliderRangeAndReflectedScroll)
{
    ReflectSlider slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, CRect(0, 0, 200, 30), &host, 16));
    slider.SetRange(0, 100);
    slider.SetPos(40);
    EXPECT_EQ(slider.GetPos(), 40);
    int lo = -1;
    int hi = -1;
    slider.GetRange(lo, hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 100);
    slider.SetPos(400);
    EXPECT_EQ(slider.GetPos(), 100) << "clamped to the range";
    host.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 30),
                     reinterpret_cast<LPARAM>(slider.m_hWnd));
    EXPECT_EQ(slider.codes, (std::vector<UINT>{TB_THUMBTRACK}))
        << "the parent's WM_HSCROLL came back to the slider";
    // The window's own scroll bar (no control) is not reflected anywhere.
    host.SendMessage(WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(slider.codes.size(), 1u);
}

TEST_F(ControlsTest, SpinHotKeyProgressToolbar)
{
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | UDS_SETBUDDYINT, CRect(0, 0, 20, 20), &host, 17));
    spin.SetRange32(-10, 1000);
    int lo = 0;
    int hi = 0;
    spin.GetRange32(lo, hi);
    EXPECT_EQ(lo, -10);
    EXPECT_EQ(hi, 1000);
    spin.SetPos32(500);
    EXPECT_EQ(spin.GetPos32(), 500);

    CHotKeyCtrl hotkey;
    ASSERT_TRUE(hotkey.Create(WS_CHILD, CRect(0, 0, 100, 20), &host, 18));
    hotkey.SetHotKey(VK_F5, HOTKEYF_CONTROL | HOTKEYF_SHIFT);
    WORD vk = 0;
    WORD mods = 0;
    hotkey.GetHotKey(vk, mods);
    EXPECT_EQ(vk, VK_F5);
    EXPECT_EQ(mods, HOTKEYF_CONTROL | HOTKEYF_SHIFT);
    EXPECT_GE(hotkey.GetHotKeyName().Find(L" + "), 0);

    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD, CRect(0, 0, 100, 10), &host, 19));
    progress.SetRange32(0, 50);
    progress.SetStep(10);
    progress.StepIt();
    progress.StepIt();
    EXPECT_EQ(progress.GetPos(), 20);
    progress.OffsetPos(5);
    EXPECT_EQ(progress.GetPos(), 25);

    CToolBarCtrl toolbar;
    ASSERT_TRUE(toolbar.Create(WS_CHILD | TBSTYLE_FLAT, CRect(0, 0, 200, 30), &host, 20));
    toolbar.SetButtonStructSize(sizeof(TBBUTTON));
    TBBUTTON buttons[2] = {};
    buttons[0].idCommand = 300;
    buttons[0].fsState = TBSTATE_ENABLED;
    buttons[0].iBitmap = I_IMAGENONE;
    buttons[1].idCommand = 301;
    buttons[1].fsState = TBSTATE_ENABLED;
    buttons[1].iBitmap = I_IMAGENONE;
    EXPECT_TRUE(toolbar.AddButtons(2, buttons));
    EXPECT_EQ(toolbar.GetButtonCount(), 2);
    EXPECT_EQ(toolbar.CommandToIndex(301), 1u);
    EXPECT_TRUE(toolbar.EnableButton(301, FALSE));
    EXPECT_FALSE(toolbar.IsButtonEnabled(301));
    EXPECT_TRUE(toolbar.CheckButton(300));
    EXPECT_TRUE(toolbar.IsButtonChecked(300));
}

class OwnerDrawButton : public CButton {
public:
    int draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        ++draws;
        CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
        dc->FillSolidRect(&lpDrawItemStruct->rcItem, RGB(0, 200, 0));
    }
};

TEST_F(ControlsTest, OwnerDrawnButtonDrawsItself)
{
    host.ShowWindow(SW_SHOWNA);
    OwnerDrawButton button;
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 60, 30), &host,
                              21));
    button.UpdateWindow();
    EXPECT_GT(button.draws, 0) << "WM_DRAWITEM reflected from the parent";
    CClientDC dc(&button);
    EXPECT_EQ(dc.GetPixel(10, 10), RGB(0, 200, 0));
    host.ShowWindow(SW_HIDE);
}

// Sorted without strings: the list box asks its owner to compare, and the answer (reflected
// back to the control's own CompareItem) decides the order. This one sorts descending.
class DescendingListBox : public CListBox {
public:
    int compares = 0;
    int CompareItem(LPCOMPAREITEMSTRUCT item) override
    {
        ++compares;
        const auto a = static_cast<long>(item->itemData1);
        const auto b = static_cast<long>(item->itemData2);
        return a > b ? -1 : (a < b ? 1 : 0);
    }
    void DrawItem(LPDRAWITEMSTRUCT) override {}
};

TEST_F(ControlsTest, OwnerDrawnListBoxSortsWithItsCompareItem)
{
    DescendingListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | LBS_OWNERDRAWFIXED | LBS_SORT, CRect(0, 0, 80, 80), &host,
                            22));
    for (long value : {3L, 7L, 1L, 5L}) {
        list.AddString(reinterpret_cast<LPCTSTR>(value));
    }
    EXPECT_GT(list.compares, 0) << "WM_COMPAREITEM reflected from the parent";
    ASSERT_EQ(list.GetCount(), 4);
    const long expected[] = {7, 5, 3, 1};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(static_cast<long>(list.GetItemData(i)), expected[i]) << "index " << i;
    }
}

TEST_F(ControlsTest, ImageListAndMenus)
{
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4));
    CClientDC screen(nullptr);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 16, 16));
    EXPECT_EQ(images.Add(&bitmap, RGB(255, 0, 255)), 0);
    EXPECT_EQ(images.GetImageCount(), 1);
    EXPECT_EQ(CImageList::FromHandle(images.m_hImageList), &images);

    CMenu menu;
    ASSERT_TRUE(menu.CreateMenu());
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, 500, L"&Play\tSpace");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, 501, L"&Stop");
    ASSERT_TRUE(
        menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Detach()), L"&Playback"));
    CMenu* sub = menu.GetSubMenu(0);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->GetMenuItemCount(), 3);
    CString text;
    EXPECT_EQ(sub->GetMenuString(500, text, MF_BYCOMMAND), 11);
    EXPECT_EQ(text, CString(L"&Play\tSpace"));
    EXPECT_EQ(sub->GetMenuItemID(2), 501u);
    EXPECT_EQ(CMenu::FromHandlePermanent(sub->m_hMenu), nullptr) << "a temporary wrapper";
    sub->EnableMenuItem(501, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_TRUE(sub->GetMenuState(501, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(sub->GetMenuString(999, text, MF_BYCOMMAND), 0);
    EXPECT_TRUE(text.IsEmpty());
}

}  // namespace
