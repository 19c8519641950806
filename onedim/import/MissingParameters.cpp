#include "onedim/import/MissingParameters.h"

#include "onedim/model/SpectrumParams.h"

BOOL CheckMissingParameters(CSpectrumParams& params, CMissingParametersPolicy* pPolicy) {
  if (params.names.IsEmpty() || pPolicy == nullptr)
    return TRUE;

  CStringList lines;
  for (POSITION pos = params.names.GetStartPosition(); pos != nullptr;) {
    CString strKey, strDescription;
    params.names.GetNextAssoc(pos, strKey, strDescription);
    lines.AddTail(strDescription);
  }
  if (!pPolicy->ShowImportErrors(lines, params.names))
    return FALSE;

  CMissingValues values = {params.sf, params.sw, params.td, params.byteorder};
  if (!pPolicy->EditParameters(values, params.names))
    return FALSE;
  params.sf = values.sf;
  params.sw = values.sw;
  params.td = values.td;
  params.byteorder = values.byteorder;
  return TRUE;
}

BOOL CScriptedMissingParameters::ShowImportErrors(const CStringList& lines, const CMapStringToString& missing) {
  ++m_nQuestions;
  m_lines.RemoveAll();
  for (POSITION pos = lines.GetHeadPosition(); pos != nullptr;)
    m_lines.AddTail(lines.GetNext(pos));
  m_keys.RemoveAll();
  for (POSITION pos = missing.GetStartPosition(); pos != nullptr;) {
    CString strKey, strDescription;
    missing.GetNextAssoc(pos, strKey, strDescription);
    m_keys.AddTail(strKey);
  }
  return m_answer != abortImport;
}

BOOL CScriptedMissingParameters::EditParameters(CMissingValues& values, const CMapStringToString& missing) {
  if (m_answer == cancelEdit)
    return FALSE;
  if (m_bScriptedValues)
    values = m_values;
  return TRUE;
}
