// "Edit Parameters": the values an import uses in place of the parameters
// its files did not give. The labels of the missing ones are marked (red,
// underlined) until the user touches their field.
#pragma once

#include "controls/LabelCtrl.h"
#include "framework/base/Maps.h"
#include "framework/win/Dialog.h"
#include "resources/ImportDialogsRes.h"

class CEditParametersDialog : public CDialog {
 public:
  enum { IDD = IDD_EDIT_PARAMETERS };
  explicit CEditParametersDialog(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

  // The missing parameters: key ("sw", "sf", "td", "byteorder", ...) to description.
  CMapStringToString m_Missing;

  double m_sf = 0.0;     // MHz
  double m_sw = 0.0;     // Hz
  int m_td = 0;          // floats, real + imaginary
  int m_nByteOrder = 0;  // 0 little endian, 1 big endian

 protected:
  // The labels, in the order of the fields.
  enum { LabelSf, LabelSw, LabelTd, LabelByteOrder, LabelCount };

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  void OnChangeSf() { SetLabelLook(LabelSf, FALSE); }
  void OnChangeSw() { SetLabelLook(LabelSw, FALSE); }
  void OnChangeTd() { SetLabelLook(LabelTd, FALSE); }
  void OnSelChangeByteOrder();

  // Normal: black, bold italic. Marked: red and underlined as well.
  void SetLabelLook(int nLabel, BOOL bMarked);

  CLabelCtrl m_Labels[LabelCount];

  DECLARE_MESSAGE_MAP()
};
