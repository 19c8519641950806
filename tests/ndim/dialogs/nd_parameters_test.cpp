// The acquisition parameters of a data set: the "Spectrum Properties" sheet
// lists them per dimension, and the "Acquisition " dialog changes the
// frequencies and widths, refusing what no spectrometer has.
#include "framework/win/WindowTest.h"

#include <string>
#include <vector>

#include "framework/win/UiHooks.h"
#include "ndim/data/DimensionBlock.h"
#include "ndim/dialogs/AcquisitionDialog.h"
#include "ndim/dialogs/SpectrumPropertiesSheet.h"

namespace {

class NdParametersTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    m_dims[1].m_nPoints = 128;
    m_dims[1].m_fSpectralWidth = 2000.0f;
    m_dims[1].m_fSpectrometerFreq = 125.76f;
    m_dims[1].m_fLastFrequency = -1000.0f;
    m_dims[2].m_nPoints = 512;
    m_dims[2].m_fSpectralWidth = 6000.0f;
    m_dims[2].m_fSpectrometerFreq = 500.13f;
    m_dims[2].m_fLastFrequency = -250.5f;
  }
  static void Click(CDialog& d, int id) {
    d.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(d.m_hWnd, id));
  }
  static std::vector<std::string> Rows(HWND list) {
    std::vector<std::string> rows;
    const int n = (int)::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < n; ++i) {
      std::string row;
      for (int sub = 0; sub < 2; ++sub) {
        char text[64] = "";
        LVITEMA item = {};
        item.iSubItem = sub;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ::SendMessageA(list, LVM_GETITEMTEXTA, i, (LPARAM)&item);
        row += (sub ? "=" : "") + std::string(text);
      }
      rows.push_back(row);
    }
    return rows;
  }
  DimensionBlock m_dims[7];
};

TEST_F(NdParametersTest, TheAcquisitionDialogRefusesWhatIsNoFrequencyOrWidth) {
  const DimensionBlock before[3] = {m_dims[0], m_dims[1], m_dims[2]};
  AfxSetModalDialogHook([&](CDialog& d) {
    EXPECT_EQ("500.13", TextOf(::GetDlgItem(d.m_hWnd, IDC_F2_CARRIER)));
    EXPECT_EQ("2000", TextOf(::GetDlgItem(d.m_hWnd, IDC_F1_WIDTH)));
    for (int field : {IDC_F2_CARRIER, IDC_F2_WIDTH, IDC_F1_CARRIER, IDC_F1_WIDTH}) {
      const std::string good = TextOf(::GetDlgItem(d.m_hWnd, field));
      for (const char* bad : {"0", "-5", "nan", "1e30", "inf", "abc", ""}) {
        m_messageBoxes.clear();
        ::SetDlgItemTextA(d.m_hWnd, field, bad);
        Click(d, IDOK);
        EXPECT_EQ(1u, m_messageBoxes.size()) << field << " " << bad;
        EXPECT_TRUE(::IsWindowVisible(d.m_hWnd)) << "stays open";
      }
      ::SetDlgItemTextA(d.m_hWnd, field, good.c_str());
    }
    Click(d, IDCANCEL);
  });
  CAcquisitionDialog dlg(m_dims);
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  for (int dim : {1, 2}) {
    EXPECT_EQ(before[dim].m_fSpectrometerFreq, m_dims[dim].m_fSpectrometerFreq);
    EXPECT_EQ(before[dim].m_fSpectralWidth, m_dims[dim].m_fSpectralWidth);
  }
}

TEST_F(NdParametersTest, TheSheetListsEachDimensionAndShowsWhatTheDialogChanged) {
  std::vector<std::string> first, second, changed;
  AfxSetModalSheetHook([&](CPropertySheet& sheet) {
    CDialog& page = *sheet.GetActivePage();
    HWND list = ::GetDlgItem(page.m_hWnd, IDC_PARAMETER_LIST);
    HWND combo = ::GetDlgItem(page.m_hWnd, IDC_DIMENSION_COMBO);
    EXPECT_EQ(2, (int)::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    first = Rows(list);
    ::SendMessageA(combo, CB_SETCURSEL, 1, 0);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DIMENSION_COMBO, CBN_SELCHANGE), (LPARAM)combo);
    second = Rows(list);
    AfxSetModalDialogHook([](CDialog& d) {
      ::SetDlgItemTextA(d.m_hWnd, IDC_F2_CARRIER, "600.25");
      Click(d, IDOK);
    });
    Click(page, IDC_MODIFY_PARAMETERS);
    changed = Rows(list);
    sheet.PressButton(PSBTN_OK);
  });
  CSpectrumPropertiesSheet sheet;
  sheet.m_parametersPage.SetDimensions(m_dims, 2);
  sheet.DoModal();
  EXPECT_EQ((std::vector<std::string>{"Dimension=F1", "Spectrometer Frequency=125.760", "Number of Points=128",
                                      "Spectral Width=2000.000", "Lowest Frequency (high fields)=-1000.000"}),
            first);
  ASSERT_EQ(5u, second.size());
  EXPECT_EQ("Dimension=F2", second[0]);
  EXPECT_EQ("Number of Points=512", second[2]);
  ASSERT_EQ(5u, changed.size());
  EXPECT_EQ("Spectrometer Frequency=600.250", changed[1]);
  EXPECT_FLOAT_EQ(600.25f, m_dims[2].m_fSpectrometerFreq);
}

}  // namespace
