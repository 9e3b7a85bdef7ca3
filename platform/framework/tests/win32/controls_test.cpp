// The control wrappers the sheets use: texts longer than a first buffer, item data, tree walks
// and hit tests, and the show and context-menu messages reaching their handlers.
#include "test_app.h"

#include "framework/Controls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CHost : public CWnd {
public:
    std::vector<std::string> calls;

protected:
    void OnShowWindow(BOOL bShow, UINT nStatus)
    {
        calls.push_back("show " + std::to_string(bShow) + " " + std::to_string(nStatus));
    }
    void OnContextMenu(CWnd* pWnd, POINT point)
    {
        calls.push_back("menu " + std::to_string(pWnd == this) + " " + std::to_string(point.x) + " " +
                        std::to_string(point.y));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHost, CWnd)
    ON_WM_SHOWWINDOW()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

TEST(Controls, ShowAndContextMenuReachTheirHandlersWithKeyboardPoint)
{
    CHost host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "Host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr));
    host.SendMessage(WM_SHOWWINDOW, TRUE, SW_PARENTOPENING);
    host.SendMessage(WM_CONTEXTMENU, WPARAM(host.m_hWnd), MAKELPARAM(-1, -1));
    host.SendMessage(WM_CONTEXTMENU, WPARAM(host.m_hWnd), MAKELPARAM(30, 40));
    std::vector<std::string> expected = {"show 1 3", "menu 1 -1 -1", "menu 1 30 40"};
    EXPECT_EQ(host.calls, expected);
    host.DestroyWindow();
}

TEST(Controls, TreeAndListTextsDataAndWalks)
{
    CHost host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "Host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr));
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES, RECT{0, 0, 280, 280}, &host, 10));
    std::string longName(1000, 'x');
    HTREEITEM b = tree.InsertItem("b", TVI_ROOT, TVI_SORT);
    HTREEITEM a = tree.InsertItem(longName.c_str(), TVI_ROOT, TVI_SORT);
    HTREEITEM child = tree.InsertItem("child", b);
    tree.SetItemData(b, 77);
    EXPECT_EQ(tree.GetRootItem(), b);  // "b" sorts before "xxx..."
    EXPECT_EQ(tree.GetNextSiblingItem(b), a);
    EXPECT_EQ(tree.GetChildItem(b), child);
    EXPECT_EQ(tree.GetParentItem(child), b);
    EXPECT_EQ(tree.GetItemData(b), DWORD_PTR(77));
    EXPECT_EQ(std::string(tree.GetItemText(a)), longName);
    tree.SelectItem(nullptr);
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    EXPECT_TRUE(tree.DeleteItem(b));
    EXPECT_EQ(tree.GetCount(), 1u);

    CListBox list;
    ASSERT_TRUE(list.Attach(CreateWindowA("LISTBOX", "", WS_CHILD, 0, 0, 100, 100, host.m_hWnd, HMENU(11),
                                          nullptr, nullptr)));
    list.AddString("one");
    list.InsertString(0, longName.c_str());
    CString text;
    list.GetText(0, text);
    EXPECT_EQ(std::string(text), longName);
    list.GetText(5, text);
    EXPECT_STREQ(text, "");
    list.Detach();

    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Attach(CreateWindowA(UPDOWN_CLASSA, "", WS_CHILD, 0, 0, 20, 20, host.m_hWnd, HMENU(12),
                                          nullptr, nullptr)));
    spin.SetRange(-5, 120);
    int lower = 0, upper = 0;
    spin.GetRange(lower, upper);
    EXPECT_EQ(lower, -5);
    EXPECT_EQ(upper, 120);
    spin.SetPos(-3);
    EXPECT_EQ(spin.GetPos(), -3);
    spin.Detach();
    host.DestroyWindow();
}

}  // namespace
