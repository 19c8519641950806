#include "onedim/dialogs/display/AddTextDialog.h"

#include <cstdlib>
#include <cstring>

#include "onedim/model/ColourFont.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/TextLabel.h"

BEGIN_MESSAGE_MAP(CAddTextDialog, CDialog)
  ON_CBN_SELCHANGE(IDC_TEXT_FACE, UpdateSample)
  ON_CBN_EDITCHANGE(IDC_TEXT_FACE, UpdateSample)
  ON_EN_CHANGE(IDC_TEXT_TEXT, UpdateSample)
  ON_EN_CHANGE(IDC_TEXT_SIZE, UpdateSample)
  ON_BN_CLICKED(IDC_TEXT_BOLD, UpdateSample)
  ON_BN_CLICKED(IDC_TEXT_ITALIC, UpdateSample)
  ON_BN_CLICKED(IDC_TEXT_UNDERLINE, UpdateSample)
  ON_MESSAGE(WMU_COLOUR_SELCHANGE, OnColourChange)
  ON_MESSAGE(WMU_COLOUR_SELENDOK, OnColourChange)
END_MESSAGE_MAP()

namespace {

// The radio buttons by alignment: centre, left, right.
const int kAlignIds[3] = {IDC_TEXT_CENTER, IDC_TEXT_LEFT, IDC_TEXT_RIGHT};

}  // namespace

CAddTextDialog::CAddTextDialog(const CTextLabel* pLabel, CWnd* pParent) : CDialog(IDD, pParent) {
  if (pLabel != nullptr) {
    m_lf = pLabel->m_lf;
    m_strFace = pLabel->m_lf.lfFaceName;
    m_nSize = pLabel->m_lf.lfHeight;
    m_strText = pLabel->m_strText;
    m_crText = pLabel->m_crText;
    m_bBold = pLabel->m_lf.lfWeight == 700;
    m_bItalic = pLabel->m_lf.lfItalic != 0;
    m_bUnderline = pLabel->m_lf.lfUnderline != 0;
    m_nAlign = pLabel->m_nAlign;
    m_bAttached = pLabel->m_bAttached;
  } else {
    CColourFont font;
    font.SetFontString("-16,0,0,0,400,0,0,0,0,3,2,1,34,Arial");
    m_lf = font.GetLogFont();
    m_strFace = "Arial";
    m_nSize = 12;
    m_strText = "Your text here";
    m_nAlign = TEXT_ALIGN_CENTRE;
  }
}

BOOL CAddTextDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_Face.SubclassDlgItem(IDC_TEXT_FACE, this);
  m_Face.Fill();
  m_Face.SelectFace(m_strFace);
  m_Size.SubclassDlgItem(IDC_TEXT_SIZE, this);
  m_Size.SetRange(0, 60);
  m_Spin.SubclassDlgItem(IDC_TEXT_SIZE_SPIN, this);
  m_Spin.SetRange(0, 100);
  m_Spin.SetPos(m_nSize);
  SetDlgItemInt(IDC_TEXT_SIZE, m_nSize);
  m_Colour.SubclassDlgItem(IDC_TEXT_COLOUR, this);
  m_Colour.SetColour(m_crText);
  m_Sample.SubclassDlgItem(IDC_TEXT_SAMPLE, this);
  SetDlgItemText(IDC_TEXT_TEXT, m_strText);
  CheckDlgButton(IDC_TEXT_BOLD, m_bBold ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(IDC_TEXT_ITALIC, m_bItalic ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(IDC_TEXT_UNDERLINE, m_bUnderline ? BST_CHECKED : BST_UNCHECKED);
  const int nAlign = m_nAlign >= 0 && m_nAlign <= 2 ? m_nAlign : TEXT_ALIGN_LEFT;
  CheckRadioButton(IDC_TEXT_LEFT, IDC_TEXT_RIGHT, kAlignIds[nAlign]);
  CheckDlgButton(IDC_TEXT_ATTACH, m_bAttached ? BST_CHECKED : BST_UNCHECKED);
  UpdateSample();
  return TRUE;
}

int CAddTextDialog::ReadSize() const {
  CString text;
  GetDlgItemText(IDC_TEXT_SIZE, text);
  return std::atoi(text);
}

CString CAddTextDialog::ReadFace() const {
  CString face;
  m_Face.GetWindowText(face);
  return face.Left(LF_FACESIZE - 1);
}

void CAddTextDialog::UpdateSample() {
  if (m_Sample.m_hWnd == nullptr)
    return;
  CString text;
  GetDlgItemText(IDC_TEXT_TEXT, text);
  m_Sample.SetFontName(ReadFace())
      .SetFontSize(ReadSize())
      .SetFontBold(IsDlgButtonChecked(IDC_TEXT_BOLD))
      .SetFontItalic(IsDlgButtonChecked(IDC_TEXT_ITALIC))
      .SetFontUnderline(IsDlgButtonChecked(IDC_TEXT_UNDERLINE))
      .SetTextColor(m_Colour.GetColour())
      .SetText(text);
}

LRESULT CAddTextDialog::OnColourChange(WPARAM, LPARAM) {
  UpdateSample();
  return 0;
}

void CAddTextDialog::OnOK() {
  m_nSize = ReadSize();
  m_strFace = ReadFace();
  m_bBold = IsDlgButtonChecked(IDC_TEXT_BOLD);
  m_bItalic = IsDlgButtonChecked(IDC_TEXT_ITALIC);
  m_bUnderline = IsDlgButtonChecked(IDC_TEXT_UNDERLINE);
  m_lf.lfHeight = m_nSize;
  m_lf.lfWidth = 0;
  m_lf.lfEscapement = 0;
  m_lf.lfWeight = m_bBold ? 700 : 400;
  m_lf.lfItalic = (BYTE)m_bItalic;
  m_lf.lfUnderline = (BYTE)m_bUnderline;
  ::lstrcpynA(m_lf.lfFaceName, m_strFace, LF_FACESIZE);
  GetDlgItemText(IDC_TEXT_TEXT, m_strText);
  m_crText = m_Colour.GetColour();
  m_nAlign = IsDlgButtonChecked(IDC_TEXT_LEFT)    ? TEXT_ALIGN_LEFT
             : IsDlgButtonChecked(IDC_TEXT_RIGHT) ? TEXT_ALIGN_RIGHT
                                                  : TEXT_ALIGN_CENTRE;
  m_bAttached = IsDlgButtonChecked(IDC_TEXT_ATTACH);
  CDialog::OnOK();
}

CTextLabel* CAddTextDialog::Apply(CTextLabel* pLabel, CSpectrum* pSpectrum) const {
  if (pLabel != nullptr) {
    pLabel->m_lf = m_lf;
    pLabel->m_nBaseHeight = m_lf.lfHeight;
    pLabel->m_strText = m_strText;
    pLabel->m_crText = m_crText;
  } else if (pSpectrum != nullptr) {
    pLabel = new CTextLabel(m_strText, &m_lf, pSpectrum, m_crText, m_bAttached, 100, 100);
    pSpectrum->m_arrLabels.Add(pLabel);
  } else {
    return nullptr;
  }
  pLabel->m_nAlign = m_nAlign;
  // A label that is attached or let go stays where it is on the view.
  const BYTE bAttached = (BYTE)(m_bAttached ? 1 : 0);
  if (bAttached != pLabel->m_bAttached)
    pLabel->m_x = bAttached ? pLabel->PixelToPoint(pLabel->m_x) : pLabel->PointToPixel(pLabel->m_x);
  pLabel->m_bAttached = bAttached;
  return pLabel;
}
