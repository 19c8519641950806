// The font dialog of a coloured font, answered through the modal-dialog hook.
#include <gtest/gtest.h>

#include "framework/win/CommonDialogs.h"
#include "framework/win/UiHooks.h"
#include "onedim/dialogs/display/ColourFontDialog.h"
#include "onedim/model/ColourFont.h"

namespace {

// What the dialog was opened with, and the button that closes it.
LOGFONT g_lfShown;
COLORREF g_crShown;
int g_nAnswer;

void AnswerWith(int nID) {
  g_nAnswer = nID;
  AfxSetModalDialogHook([](CDialog& d) {
    CFontDialog& dlg = static_cast<CFontDialog&>(d);
    g_lfShown = *dlg.m_cf.lpLogFont;
    g_crShown = dlg.m_cf.rgbColors;
    d.PostMessage(WM_COMMAND, MAKEWPARAM(g_nAnswer, BN_CLICKED), (LPARAM)::GetDlgItem(d.m_hWnd, g_nAnswer));
  });
}

TEST(ColourFontDialog, OpensOnTheStartFontAndTakesTheChoiceOnlyOnOk) {
  CColourFont font("Arial");
  font.SetSize(30);
  font.SetTextColour(RGB(255, 0, 0));
  AnswerWith(IDCANCEL);
  EXPECT_FALSE(ChooseColourFont(font));
  EXPECT_EQ(-30, g_lfShown.lfHeight);
  EXPECT_EQ(-30, font.GetHeight());
  EXPECT_STREQ("Arial", font.GetFaceName());
  EXPECT_EQ(RGB(255, 0, 0), font.GetTextColour());

  // Another font's LOGFONT to start from, in this font's colour; OK stores
  // what the dialog chose (the fonts of the machine decide the face).
  CColourFont start("Arial");
  start.SetSize(20);
  start.SetItalic(1);
  start.SetTextColour(RGB(0, 0, 255));
  AnswerWith(IDOK);
  EXPECT_TRUE(ChooseColourFont(font, &start));
  AfxSetModalDialogHook(nullptr);
  EXPECT_EQ(-20, g_lfShown.lfHeight);
  EXPECT_EQ(1, g_lfShown.lfItalic);
  EXPECT_EQ(RGB(255, 0, 0), g_crShown);
  EXPECT_FALSE(font.GetFaceName().IsEmpty());
  EXPECT_NE(-30, font.GetHeight());
  EXPECT_EQ(RGB(255, 0, 0), font.GetTextColour());
}

}  // namespace
