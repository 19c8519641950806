// The numeric edits and the slider-edit pair, typed into and pasted into as a
// user would: what stays in the field, where the caret goes, what beeps.
#include <string>

#include "controls/LinkedSlider.h"
#include "controls/NumericEdit.h"
#include "controls/RangeEdit.h"
#include "controls/SliderEdit.h"
#include "tests/controls/ControlsDialog.h"

namespace {

using EditTest = ControlsTest;

int CaretOf(HWND hWnd) {
  DWORD start = 0, end = 0;
  ::SendMessageA(hWnd, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
  return (int)end;
}

void Paste(HWND hWnd, const char* text) {
  ::SendMessageA(hWnd, EM_SETSEL, 0, -1);
  ::SendMessageA(hWnd, EM_REPLACESEL, TRUE, (LPARAM)text);
}

TEST_F(EditTest, ANumericEditDropsWhatCannotBelongToANumber) {
  CNumericEdit edit;
  ASSERT_TRUE(edit.SubclassDlgItem(IDC_NUMERIC, &m_dlg));
  const struct {
    const char* typed;
    const char* shown;
  } cases[] = {
      {"-1.5", "-1.5"}, {"aE,/", ""}, {"1e5", "15"}, {"?\" 2", "?\" 2"}, {"3x\b4", "4"}, {"{}[]<>;:'", ""},
  };
  for (const auto& c : cases) {
    edit.SetWindowText("");
    PostChars(edit.m_hWnd, c.typed);
    EXPECT_EQ(c.shown, TextOf(edit.m_hWnd)) << c.typed;
  }
}

TEST_F(EditTest, ARangeEditKeepsItsValueInRangeWhileTyping) {
  CRangeEdit edit;
  ASSERT_TRUE(edit.SubclassDlgItem(IDC_RANGE, &m_dlg));
  edit.SetRange(0, 100);
  const struct {
    const char* start;  // set as a whole, as a paste does
    const char* typed;  // then typed at the end
    const char* shown;
    int caret;
    int beeps;
  } cases[] = {
      {"007", "", "7", 0, 0},
      {"0", "0", "0", 0, 0},
      {"50", "1", "50", 2, 1},
      {"00", "", "0", 0, 0},
      {"abc", "", "0", 0, 0},
      {"50", "", "50", 0, 0},
      {"99999999999999999999", "", "50", 2, 1},
      {"-3", "", "50", 2, 1},
      {"", "", "", 0, 0},
  };
  for (const auto& c : cases) {
    m_beeps.clear();
    edit.SetWindowText(c.start);
    PostChars(edit.m_hWnd, c.typed);
    EXPECT_EQ(c.shown, TextOf(edit.m_hWnd)) << c.start << "+" << c.typed;
    EXPECT_EQ(c.caret, CaretOf(edit.m_hWnd)) << c.start << "+" << c.typed;
    EXPECT_EQ(c.beeps, (int)m_beeps.size()) << c.start << "+" << c.typed;
  }

  // A second "0" into "0" leaves the caret before it, so "7" makes 70.
  edit.SetWindowText("0");
  edit.SetSel(1, 1);
  PostChars(edit.m_hWnd, "07");
  EXPECT_EQ("70", TextOf(edit.m_hWnd));

  // Cleared, then out of range: the field goes back to empty.
  edit.SetWindowText("");
  edit.SetWindowText("500");
  EXPECT_EQ("", TextOf(edit.m_hWnd));

  // A range the wrong way round refuses everything, but does not loop.
  edit.SetRange(10, 5);
  edit.SetWindowText("7");
  EXPECT_EQ("10", TextOf(edit.m_hWnd));

  // The dialog still hears of every change.
  EXPECT_GT(m_dlg.m_nRangeChanges, 10);
}

TEST_F(EditTest, EditsMadeInCodeFilterAsAttachedOnesDo) {
  CNumericEdit numeric;
  ASSERT_TRUE(numeric.Create(WS_CHILD | WS_VISIBLE, CRect(5, 250, 80, 270), &m_dlg, 2001));
  PostChars(numeric.m_hWnd, "x-2.5y");
  EXPECT_EQ("-2.5", TextOf(numeric.m_hWnd));

  CRangeEdit range;
  ASSERT_TRUE(range.Create(WS_CHILD | WS_VISIBLE, CRect(90, 250, 160, 270), &m_dlg, 2002));
  range.SetRange(0, 60);
  PostChars(range.m_hWnd, "75");
  EXPECT_EQ("7", TextOf(range.m_hWnd));

  CLinkedSlider slider;
  CSliderEdit edit;
  ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, CRect(5, 280, 160, 300), &m_dlg, 2003));
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(170, 280, 230, 300), &m_dlg, 2004));
  ASSERT_TRUE(edit.LinkSlider(&m_dlg, 2003));
  edit.SetIntRange(0, 20, 2);
  PostChars(edit.m_hWnd, "1a5");
  EXPECT_EQ("15", TextOf(edit.m_hWnd));
  EXPECT_EQ(15, slider.GetPos());
}

class SliderEditTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    ASSERT_TRUE(m_slider.SubclassDlgItem(IDC_SLIDER, &m_dlg));
    ASSERT_TRUE(m_edit.Subclass(IDC_SLIDER_EDIT, &m_dlg, -1));
    ASSERT_TRUE(m_edit.LinkSlider(&m_dlg, IDC_SLIDER));
  }
  // The user drags the thumb to nPos.
  void Drag(CLinkedSlider& slider, int nPos) {
    slider.SetPos(nPos);
    m_dlg.SendMessage(slider.GetStyle() & TBS_VERT ? WM_VSCROLL : WM_HSCROLL,
                      MAKEWPARAM(TB_THUMBTRACK, (WORD)(short)nPos), (LPARAM)slider.m_hWnd);
  }
  void Type(const char* text) {
    m_edit.SetWindowText("");
    PostChars(m_edit.m_hWnd, text);
  }
  CLinkedSlider m_slider;
  CSliderEdit m_edit;
};

TEST_F(SliderEditTest, IntegersFollowTheSliderAndTheSliderFollowsTyping) {
  m_edit.SetIntRange(0, 100, 10);
  EXPECT_EQ(11, (int)m_slider.SendMessage(TBM_GETNUMTICS));
  Type("-");
  EXPECT_EQ("", TextOf(m_edit.m_hWnd));
  EXPECT_EQ(1u, m_beeps.size());

  Drag(m_slider, 50);
  EXPECT_EQ("50", TextOf(m_edit.m_hWnd));
  Type("70");
  EXPECT_EQ(70, m_slider.GetPos());
  // Back to where the slider was before the typing: the text follows.
  Drag(m_slider, 50);
  EXPECT_EQ("50", TextOf(m_edit.m_hWnd));

  m_beeps.clear();
  Type("250");
  EXPECT_EQ("100", TextOf(m_edit.m_hWnd));
  EXPECT_EQ(100, m_slider.GetPos());
  EXPECT_FALSE(m_beeps.empty());
  Paste(m_edit.m_hWnd, "99999999999999999999");
  EXPECT_EQ("100", TextOf(m_edit.m_hWnd));

  EXPECT_TRUE(m_edit.SetIntValue(30));
  EXPECT_EQ(30, m_slider.GetPos());
  EXPECT_FALSE(m_edit.SetIntValue(101));
  EXPECT_FALSE(m_edit.SetRealValue(0.5));
  EXPECT_EQ("30", TextOf(m_edit.m_hWnd));

  // Below zero: "-" may be typed, and the thumb's position keeps its sign.
  m_edit.SetIntRange(-5, 5, 1);
  Type("-3");
  EXPECT_EQ("-3", TextOf(m_edit.m_hWnd));
  Drag(m_slider, -4);
  EXPECT_EQ("-4", TextOf(m_edit.m_hWnd));
}

TEST_F(SliderEditTest, RealsMapOntoAThousandPositions) {
  m_edit.SetRealRange(0.0, 2.0, 100, "%.3f");
  Drag(m_slider, 500);
  EXPECT_EQ("1.000", TextOf(m_edit.m_hWnd));
  Type("3");
  EXPECT_EQ("2.000", TextOf(m_edit.m_hWnd));
  EXPECT_EQ(1000, m_slider.GetPos());
  EXPECT_FALSE(m_beeps.empty());
  Type("0.5");
  EXPECT_EQ(250, m_slider.GetPos());
  EXPECT_EQ("0.5", TextOf(m_edit.m_hWnd));

  // Numbers too large for a double are ends of the range too.
  Paste(m_edit.m_hWnd, "-1e999");
  EXPECT_EQ("0.000", TextOf(m_edit.m_hWnd));
  EXPECT_EQ(0, m_slider.GetPos());
  Paste(m_edit.m_hWnd, "1e999");
  EXPECT_EQ("2.000", TextOf(m_edit.m_hWnd));

  // A format that cannot print the upper end exactly still ends.
  m_edit.SetRealRange(0.0, 1.9996, 10, "%.3f");
  Type("5");
  EXPECT_EQ("2.000", TextOf(m_edit.m_hWnd));

  // A range of one value.
  m_edit.SetRealRange(1.0, 1.0, 0, "%.1f");
  Type("1");
  EXPECT_EQ(0, m_slider.GetPos());
}

TEST_F(SliderEditTest, AVerticalSliderHasItsMaximumAtTheTop) {
  CLinkedSlider slider;
  CSliderEdit edit;
  ASSERT_TRUE(slider.SubclassDlgItem(IDC_VSLIDER, &m_dlg));
  ASSERT_TRUE(edit.Subclass(IDC_VSLIDER_EDIT, &m_dlg, -1));
  ASSERT_TRUE(edit.LinkSlider(&m_dlg, IDC_VSLIDER));
  edit.SetIntRange(0, 10, 1);
  Drag(slider, 0);
  EXPECT_EQ("10", TextOf(edit.m_hWnd));
  EXPECT_TRUE(edit.SetIntValue(3));
  EXPECT_EQ(7, slider.GetPos());

  // A slider that is not a linked one is not taken.
  CSliderEdit other;
  EXPECT_FALSE(other.LinkSlider(&m_dlg, IDC_NUMERIC));
}

}  // namespace
