#include "framework/win/PrintInfo.h"

#include "framework/win/PrintDialog.h"

CPrintInfo::CPrintInfo() : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)) {
  SetMinPage(1);
  SetMaxPage(kUnknownPageCount);
  m_pPD->m_pd.nFromPage = 1;
  m_pPD->m_pd.nToPage = kUnknownPageCount;
}

CPrintInfo::~CPrintInfo() {
  delete m_pPD;
}

void CPrintInfo::SetMinPage(UINT nMinPage) {
  m_pPD->m_pd.nMinPage = (WORD)nMinPage;
}

void CPrintInfo::SetMaxPage(UINT nMaxPage) {
  m_pPD->m_pd.nMaxPage = (WORD)nMaxPage;
}

UINT CPrintInfo::GetMinPage() const {
  return m_pPD->m_pd.nMinPage;
}

UINT CPrintInfo::GetMaxPage() const {
  return m_pPD->m_pd.nMaxPage;
}

UINT CPrintInfo::GetFromPage() const {
  return m_pPD->PrintRange() ? m_pPD->m_pd.nFromPage : GetMinPage();
}

UINT CPrintInfo::GetToPage() const {
  return m_pPD->PrintRange() ? m_pPD->m_pd.nToPage : GetMaxPage();
}
