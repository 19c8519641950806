// The font combo boxes: the TrueType list that fills itself after its
// window shows, and the device font list with its kinds, its recent faces,
// its preview tip and what it puts back when a typed name is no font.
#include <map>
#include <string>
#include <vector>

#include "controls/DeviceFontCombo.h"
#include "controls/FontListCombo.h"
#include "tests/controls/PickersDialog.h"

namespace {

// A device font combo on a machine without a printer.
class CScreenOnlyFontCombo : public CDeviceFontCombo {
 protected:
  HDC CreateDefaultPrinterDC() override { return nullptr; }
};

class FontComboTest : public PickersTest {
 protected:
  static const DWORD kDeviceStyle =
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
  static std::string Text(CComboBox& combo, int i) {
    CString text;
    combo.GetLBText(i, text);
    return std::string(text);
  }
  // Every face of the screen, and whether it has a TrueType font that is no symbol font.
  static std::map<std::string, bool> SystemFaces() {
    std::map<std::string, bool> faces;
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    HDC hDC = ::GetDC(nullptr);
    ::EnumFontFamiliesExA(hDC, &lf, &CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    ::ReleaseDC(nullptr, hDC);
    return faces;
  }
  static int CALLBACK CollectFace(const LOGFONTA* plf, const TEXTMETRICA*, DWORD dwType, LPARAM lParam) {
    auto& faces = *reinterpret_cast<std::map<std::string, bool>*>(lParam);
    faces[plf->lfFaceName] |= (dwType & TRUETYPE_FONTTYPE) && plf->lfCharSet != SYMBOL_CHARSET;
    return 1;
  }
  // A face of the list with the TrueType bit.
  static std::string TrueTypeFace(CDeviceFontCombo& combo) {
    for (int i = 0; i < combo.GetCount(); ++i)
      if (combo.GetFontKind(Text(combo, i).c_str()) & CDeviceFontCombo::kTrueType)
        return Text(combo, i);
    return "";
  }
  // Faces with the printer bit.
  static int PrinterFaces(CDeviceFontCombo& combo) {
    int n = 0;
    for (int i = 0; i < combo.GetCount(); ++i)
      n += (combo.GetFontKind(Text(combo, i).c_str()) & CDeviceFontCombo::kPrinterFont) != 0;
    return n;
  }
  // The preview tip: the combo's window of the framework's plain class.
  HWND PreviewTip() const {
    for (HWND hWnd : OwnedWindows(m_dlg.m_hWnd)) {
      char cls[64] = "";
      ::GetClassNameA(hWnd, cls, sizeof(cls));
      if (std::string(cls).rfind("Brivane:", 0) == 0)
        return hWnd;
    }
    return nullptr;
  }
};

TEST_F(FontComboTest, TheFontListFillsOnceShownWithTrueTypeFacesEachHoldingItsFont) {
  CFontListCombo combo;
  ASSERT_TRUE(combo.Create(
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_SORT,
      CRect(260, 10, 380, 200), &m_dlg, 2002));
  EXPECT_EQ(0, combo.GetCount()) << "filled by the message it posted, not at once";
  LOGFONT lf = {};
  EXPECT_EQ(-1, combo.GetSelectedLogFont(lf));
  ASSERT_TRUE(PumpUntil([&] { return combo.IsFilled() != FALSE; }));
  ASSERT_GT(combo.GetCount(), 1);
  EXPECT_EQ(14, combo.GetItemHeight(0));
  // Each face once, in order, with its own font; every TrueType face of the
  // system that is no symbol font, and nothing else.
  std::string previous;
  for (int i = 0; i < combo.GetCount(); ++i) {
    const std::string face = Text(combo, i);
    const LOGFONT* plf = reinterpret_cast<const LOGFONT*>(combo.GetItemData(i));
    ASSERT_NE(nullptr, plf);
    EXPECT_EQ(face, plf->lfFaceName);
    EXPECT_NE(SYMBOL_CHARSET, plf->lfCharSet);
    EXPECT_LT(lstrcmpiA(previous.c_str(), face.c_str()), 0);
    previous = face;
  }
  for (const auto& kind : SystemFaces())
    EXPECT_EQ(kind.second, combo.FindStringExact(-1, kind.first.c_str()) != CB_ERR) << kind.first;
  combo.SetCurSel(1);
  EXPECT_EQ(1, combo.GetSelectedLogFont(lf));
  EXPECT_EQ(Text(combo, 1), lf.lfFaceName);
}

// A list the owner supplies is offered instead of the installed fonts; its
// LOGFONTs stay the owner's (here on the stack), and the names are drawn in
// the combo's own font.
TEST_F(FontComboTest, AnOwnersListIsOfferedInsteadAndLeftToTheOwner) {
  LOGFONT bold = {}, plain = {};
  lstrcpyA(bold.lfFaceName, "Owner Face B");
  bold.lfWeight = 700;
  lstrcpyA(plain.lfFaceName, "Owner Face A");
  CPtrList fonts;
  fonts.AddTail(&bold);
  fonts.AddTail(&plain);
  CFontListCombo combo;
  combo.SetOwnerList(&fonts);
  ASSERT_TRUE(combo.Create(
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_SORT,
      CRect(260, 10, 380, 200), &m_dlg, 2005));
  PumpPending();
  EXPECT_EQ(0, combo.GetCount()) << "no installed font listed";
  combo.Fill();
  combo.Fill();  // filled again: nothing of the owner's is freed
  ASSERT_EQ(2, combo.GetCount());
  EXPECT_EQ("Owner Face A", Text(combo, 0));
  EXPECT_EQ(reinterpret_cast<DWORD_PTR>(&plain), combo.GetItemData(0));
  EXPECT_FALSE(combo.IsFilled());
  combo.SetCurSel(1);
  LOGFONT lf = {};
  EXPECT_EQ(1, combo.GetSelectedLogFont(lf));
  EXPECT_EQ(700, lf.lfWeight);

  TestBitmap item(120, 14);
  DRAWITEMSTRUCT dis = {ODT_COMBOBOX, 2005, 1, ODA_DRAWENTIRE, ODS_SELECTED, combo.m_hWnd, item.dc(),
                        {0, 0, 120, 14}, combo.GetItemData(1)};
  combo.DrawItem(&dis);
  EXPECT_GT(item.Count(::GetSysColor(COLOR_HIGHLIGHT)), 120 * 14 / 2);
  EXPECT_GT(item.Count(::GetSysColor(COLOR_HIGHLIGHTTEXT)), 10) << "the name";
  combo.DestroyWindow();
  EXPECT_STREQ("Owner Face B", bold.lfFaceName);
}

TEST_F(FontComboTest, FaceKindsComeFromTheScreenAndTheDefaultPrinter) {
  CScreenOnlyFontCombo screen;
  ASSERT_TRUE(screen.Create(kDeviceStyle, CRect(260, 10, 380, 200), &m_dlg, 2003));
  ASSERT_GT(screen.GetCount(), 1);
  EXPECT_EQ(0, PrinterFaces(screen));
  EXPECT_NE("", TrueTypeFace(screen));
  for (int i = 1; i < screen.GetCount(); ++i)
    EXPECT_LT(Text(screen, i - 1), Text(screen, i));

  PRINTDLGA pd = {};
  pd.lStructSize = sizeof(pd);
  pd.Flags = PD_RETURNDEFAULT | PD_NOWARNING;
  const bool bPrinter = ::PrintDlgA(&pd) != FALSE;
  ::GlobalFree(pd.hDevMode);
  ::GlobalFree(pd.hDevNames);
  CDeviceFontCombo device;
  ASSERT_TRUE(device.Create(kDeviceStyle, CRect(260, 10, 380, 200), &m_dlg, 2004));
  EXPECT_EQ(bPrinter, PrinterFaces(device) > 0);
  EXPECT_GE(device.GetCount(), screen.GetCount());
}

TEST_F(FontComboTest, SixRecentFacesLeadTheListAndAChosenOneMovesUp) {
  CScreenOnlyFontCombo combo;
  ASSERT_TRUE(combo.Create(kDeviceStyle, CRect(260, 10, 380, 200), &m_dlg, 2005));
  const int nFaces = combo.GetCount();
  ASSERT_GE(nFaces, 7);
  std::vector<std::string> faces;
  for (int i = 0; i < 7; ++i)
    faces.push_back(Text(combo, i));
  for (const std::string& face : faces)
    combo.SelectFace(face.c_str());
  auto top = [&] {
    std::vector<std::string> recent;
    for (int i = 0; i < combo.GetCount() && combo.GetItemData(i) == 1; ++i)
      recent.push_back(Text(combo, i));
    return recent;
  };
  EXPECT_EQ((std::vector<std::string>{faces[6], faces[5], faces[4], faces[3], faces[2], faces[1]}), top());
  EXPECT_EQ(nFaces + 6, combo.GetCount());
  EXPECT_NE(CB_ERR, combo.FindStringExact(5, faces[0].c_str())) << "the oldest stays in the list below";
  EXPECT_EQ(0, combo.GetCurSel());

  combo.SelectFace(faces[3].c_str());
  EXPECT_EQ((std::vector<std::string>{faces[3], faces[6], faces[5], faces[4], faces[2], faces[1]}), top());
  EXPECT_EQ(nFaces + 6, combo.GetCount());

  // The last recent face has a double line under it; a TrueType face its icon.
  TestBitmap bitmap(200, 24);
  ::SelectObject(bitmap.dc(), (HFONT)combo.SendMessage(WM_GETFONT));
  TEXTMETRICA tm = {};
  ::GetTextMetricsA(bitmap.dc(), &tm);
  auto lines = [&](UINT nItem) {
    bitmap.Fill(RGB(255, 255, 255));
    ::SetBkColor(bitmap.dc(), RGB(255, 255, 255));
    DRAWITEMSTRUCT dis = {
        ODT_COMBOBOX, 0, nItem, 0, 0, combo.m_hWnd, bitmap.dc(), {0, 0, 200, 24}, combo.GetItemData((int)nItem)};
    combo.DrawItem(&dis);
    std::vector<bool> black;
    for (int dy = 0; dy <= 2; ++dy)
      black.push_back(bitmap.Pixel(190, tm.tmHeight + dy) == RGB(0, 0, 0));
    return black;
  };
  EXPECT_EQ((std::vector<bool>{true, false, true}), lines(5));
  EXPECT_EQ((std::vector<bool>{false, false, false}), lines(4)) << "a recent face followed by another";
  combo.SelectFace(TrueTypeFace(combo).c_str());
  lines(0);
  EXPECT_GT(bitmap.Count(RGB(0, 0, 192)), 0) << "the TrueType icon";
}

TEST_F(FontComboTest, ATypedNameThatIsNoFontGoesBackWhenTheComboIsLeft) {
  CScreenOnlyFontCombo combo;
  ASSERT_TRUE(combo.SubclassDlgItem(IDC_DEVICE_FONT, &m_dlg));
  combo.Fill();
  const std::string valid = Text(combo, 1);
  combo.SelectFace(valid.c_str());
  HWND hEdit = ::GetWindow(combo.m_hWnd, GW_CHILD);
  ::SetFocus(hEdit);
  ::SendMessageA(hEdit, EM_SETSEL, 0, -1);
  PostChars(hEdit, "Nosuchface");
  EXPECT_EQ("Nosuchface", TextOf(combo.m_hWnd));
  ::SetFocus(Item(IDC_OTHER_EDIT));
  PumpPending();
  EXPECT_EQ(valid, TextOf(combo.m_hWnd));

  // A listed name typed in stays.
  const std::string other = Text(combo, 3);
  ::SetFocus(hEdit);
  ::SendMessageA(hEdit, EM_SETSEL, 0, -1);
  PostChars(hEdit, other.c_str());
  ::SetFocus(Item(IDC_OTHER_EDIT));
  PumpPending();
  EXPECT_EQ(other, TextOf(combo.m_hWnd));
}

TEST_F(FontComboTest, WhileDroppedThePreviewTipShowsTheSelectedFace) {
  CScreenOnlyFontCombo combo;
  ASSERT_TRUE(combo.SubclassDlgItem(IDC_DEVICE_FONT, &m_dlg));
  combo.Fill();
  combo.ShowDropDown(TRUE);
  combo.SetCurSel(2);
  const std::string face = Text(combo, 2);
  ASSERT_TRUE(PumpUntil([&] { return PreviewTip() != nullptr; }, 3000));
  CRect rcList, rcTip;
  combo.SendMessage(CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)&rcList);
  ::GetWindowRect(PreviewTip(), &rcTip);
  EXPECT_EQ(rcList.right + 5, rcTip.left);
  combo.ShowDropDown(FALSE);
  PumpPending();
  EXPECT_EQ(nullptr, PreviewTip());
  EXPECT_EQ(face, Text(combo, 0)) << "the chosen face leads the recent ones";
  EXPECT_EQ(1u, combo.GetItemData(0));
}

}  // namespace
