// The auto-complete combo under typed keys, the tab-stop list box as it
// lines up its columns, and the hover list's reports to its parent.
#include <vector>

#include "controls/AutoCompleteCombo.h"
#include "controls/HoverListCtrl.h"
#include "controls/TabStopListBox.h"
#include "tests/controls/PickersDialog.h"

namespace {

class ListsTest : public PickersTest {
 protected:
  // Where the second column of each row starts: the first ink after a gap
  // wider than any between letters.
  static std::vector<int> SecondColumnStarts(CListBox& list);
};

TEST_F(ListsTest, TypingCompletesTheFirstMatchAndDeletingNeverDoes) {
  CAutoCompleteCombo combo;
  ASSERT_TRUE(combo.SubclassDlgItem(IDC_AUTO_COMBO, &m_dlg));
  combo.AddString("Arial");
  combo.AddString("Courier");
  HWND hEdit = ::GetWindow(combo.m_hWnd, GW_CHILD);
  ASSERT_NE(nullptr, hEdit);
  ::SetFocus(hEdit);
  auto state = [&] {
    DWORD sel = combo.GetEditSel();
    return TextOf(combo.m_hWnd) + " " + std::to_string(LOWORD(sel)) + "-" + std::to_string(HIWORD(sel));
  };
  const struct {
    UINT vk;
    const char* after;
  } keys[] = {
      {'A', "Arial 1-5"}, {'R', "Arial 2-5"}, {VK_BACK, "Ar 2-2"}, {VK_BACK, "A 1-1"},
      {'C', "Ac 2-2"},    {VK_BACK, "A 1-1"}, {'R', "Arial 2-5"},  {'X', "Arx 3-3"},
  };
  for (const auto& k : keys) {
    PostKey(hEdit, k.vk);
    EXPECT_EQ(k.after, state()) << "after key " << k.vk;
  }
}

std::vector<int> ListsTest::SecondColumnStarts(CListBox& list) {
  auto shot = CaptureClient(list.m_hWnd);
  std::vector<int> starts;
  for (int i = 0; i < list.GetCount(); ++i) {
    CRect rc;
    list.GetItemRect(i, &rc);
    int nLastInk = -1, nStart = -1;
    for (int x = 0; x < rc.right && nStart < 0; ++x)
      for (int y = rc.top; y < rc.bottom; ++y)
        if (shot->Pixel(x, y) != ::GetSysColor(COLOR_WINDOW)) {
          if (nLastInk >= 0 && x - nLastInk > 6)
            nStart = x;
          nLastInk = x;
          break;
        }
    starts.push_back(nStart);
  }
  return starts;
}

TEST_F(ListsTest, TabStopsFollowTheWidestTextOfEachColumn) {
  CTabStopListBox list;
  ASSERT_TRUE(list.SubclassDlgItem(IDC_TAB_LIST, &m_dlg));
  list.AddString("i\tWWWWWWWW");
  const int nNarrow = SecondColumnStarts(list)[0];
  list.AddString("WWWWWWWW\ti");
  std::vector<int> starts = SecondColumnStarts(list);
  EXPECT_GT(starts[0], nNarrow) << "the first stop moved right";
  EXPECT_EQ(starts[0], starts[1]) << "both second columns start together";
  const int nEight = starts[0];
  list.InsertString(0, "WWWWWWWWWWWW\ti\ti");
  starts = SecondColumnStarts(list);
  EXPECT_GT(starts[0], nEight);
  EXPECT_EQ(starts[0], starts[1]);
  EXPECT_EQ(starts[0], starts[2]);

  list.DeleteString(0);
  list.DeleteString(1);
  EXPECT_EQ(nNarrow, SecondColumnStarts(list)[0]) << "the widest first column went";
  list.SetColumnGap(6);
  EXPECT_GT(SecondColumnStarts(list)[0], nNarrow);
  list.ResetContent();
  list.SetColumnGap(2);
  list.AddString("i\tWWWWWWWW");
  EXPECT_EQ(nNarrow, SecondColumnStarts(list)[0]);
}

int g_nLeaves = 0;
void CountLeave() {
  ++g_nLeaves;
}

TEST_F(ListsTest, AHoverListReportsTheItemUnderTheMouseAndItsLeaving) {
  CHoverListCtrl list;
  ASSERT_TRUE(list.SubclassDlgItem(IDC_HOVER_LIST, &m_dlg));
  list.InsertColumn(0, "Peak", LVCFMT_LEFT, 100);
  list.InsertItem(0, "12.5");
  list.InsertItem(1, "7.26");
  CHoverListCtrl::PFNLEAVEACTION pfnOld = CHoverListCtrl::SetLeaveAction(&CountLeave);
  g_nLeaves = 0;
  CRect rcItem, rcList;
  list.GetItemRect(1, &rcItem, LVIR_LABEL);
  list.GetWindowRect(&rcList);
  ::SetCursorPos(rcList.left + rcItem.left + 3, rcList.top + rcItem.top + 3);
  PumpPending();
  m_dlg.m_log.clear();
  PostMouseMove(list.m_hWnd, {rcItem.left + 3, rcItem.top + 3});
  PostMouseMove(list.m_hWnd, {rcItem.left + 3, rcItem.bottom + 30});
  ASSERT_EQ(2u, Logged(WMU_LIST_HOT_ITEM).size());
  EXPECT_EQ(1, (int)Logged(WMU_LIST_HOT_ITEM)[0].wParam);
  EXPECT_EQ(-1, (int)(INT_PTR)Logged(WMU_LIST_HOT_ITEM)[1].wParam) << "over the empty part";
  EXPECT_EQ(0, (int)Logged(WMU_LIST_HOT_ITEM)[1].lParam);
  EXPECT_EQ(0, g_nLeaves);
  ::SetCursorPos(rcList.right + 40, rcList.bottom + 40);
  EXPECT_TRUE(PumpUntil([] { return g_nLeaves == 1; }, 3000));
  CHoverListCtrl::SetLeaveAction(pfnOld);
}

}  // namespace
