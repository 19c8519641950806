#include "framework/win/OleTemplateServer.h"

#include "framework/win/DocManager.h"
#include "framework/win/DocTemplate.h"
#include "framework/win/OleInit.h"
#include "framework/win/OleServerDoc.h"
#include "framework/win/WinApp.h"

namespace {
COleTemplateServer* g_pFirstServer = nullptr;

CString ClassIdString(REFCLSID clsid) {
  wchar_t wide[64] = L"";
  char text[64] = "";
  ::StringFromGUID2(clsid, wide, 64);
  ::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return CString(text);
}
}  // namespace

COleTemplateServer::COleTemplateServer() : m_xClassFactory(this) {
  m_pNext = g_pFirstServer;
  g_pFirstServer = this;
}

COleTemplateServer::~COleTemplateServer() {
  Revoke();
  for (COleTemplateServer** pp = &g_pFirstServer; *pp != nullptr; pp = &(*pp)->m_pNext) {
    if (*pp == this) {
      *pp = m_pNext;
      break;
    }
  }
}

void COleTemplateServer::ConnectTemplate(REFCLSID clsid, CDocTemplate* pDocTemplate, BOOL bMultiInstance) {
  m_clsid = clsid;
  m_pDocTemplate = pDocTemplate;
  m_bMultiInstance = bMultiInstance;
  if (pDocTemplate != nullptr)
    pDocTemplate->m_pAttachedFactory = this;
}

BOOL COleTemplateServer::UpdateRegistry(OLE_APPTYPE nAppType) {
  if (m_pDocTemplate == nullptr)
    return FALSE;
  CString progId, name, shortName;
  if (!m_pDocTemplate->GetDocString(progId, CDocTemplate::regFileTypeId))
    return FALSE;
  if (!m_pDocTemplate->GetDocString(name, CDocTemplate::regFileTypeName))
    name = progId;
  if (!m_pDocTemplate->GetDocString(shortName, CDocTemplate::fileNewName))
    shortName = name;
  char exe[MAX_PATH] = "";
  ::GetModuleFileNameA(AfxGetInstanceHandle(), exe, MAX_PATH);
  CString classId = ClassIdString(m_clsid);
  CString key = "CLSID\\" + classId;
  // The program id names one class; another program's stays as it is.
  CString owner = AfxGetClassesDefault(progId + "\\CLSID");
  if (!owner.IsEmpty() && owner.CompareNoCase(classId) != 0)
    return FALSE;
  BOOL ok = TRUE;
  ok &= AfxSetClassesValue(key, nullptr, name);
  ok &= AfxSetClassesValue(key + "\\ProgID", nullptr, progId);
  ok &= AfxSetClassesValue(key + "\\LocalServer32", nullptr, exe);
  ok &= AfxSetClassesValue(key + "\\InprocHandler32", nullptr, "ole32.dll");
  ok &= AfxSetClassesValue(key + "\\Insertable", nullptr, "");
  ok &= AfxSetClassesValue(key + "\\AuxUserType\\2", nullptr, shortName);
  ok &= AfxSetClassesValue(key + "\\DefaultIcon", nullptr, CString(exe) + ",1");
  ok &= AfxSetClassesValue(key + "\\MiscStatus", nullptr, "32");
  ok &= AfxSetClassesValue(key + "\\verb\\0", nullptr, "&Edit,0,2");
  if (nAppType == OAT_INPLACE_SERVER)
    ok &= AfxSetClassesValue(key + "\\verb\\1", nullptr, "&Open,0,2");
  ok &= AfxSetClassesValue(progId + "\\CLSID", nullptr, classId);
  ok &= AfxSetClassesValue(progId + "\\Insertable", nullptr, "");
  // A link to a saved file finds the class through the file's extension,
  // unless another program's type already has it.
  CString ext = m_pDocTemplate->GetDefaultExtension();
  if (!ext.IsEmpty()) {
    ext = "." + ext;
    CString extOwner = AfxGetClassesDefault(ext);
    if (extOwner.IsEmpty() || extOwner.CompareNoCase(progId) == 0)
      ok &= AfxSetClassesValue(ext, nullptr, progId);
  }
  return ok;
}

BOOL COleTemplateServer::Register() {
  if (m_dwRegister != 0)
    return TRUE;
  if (m_pDocTemplate == nullptr)
    return FALSE;
  DWORD flags = m_bMultiInstance ? REGCLS_SINGLEUSE : REGCLS_MULTIPLEUSE;
  return SUCCEEDED(::CoRegisterClassObject(m_clsid, &m_xClassFactory, CLSCTX_LOCAL_SERVER, flags, &m_dwRegister));
}

void COleTemplateServer::Revoke() {
  if (m_dwRegister == 0)
    return;
  ::CoRevokeClassObject(m_dwRegister);
  m_dwRegister = 0;
}

BOOL COleTemplateServer::RegisterAll() {
  BOOL ok = TRUE;
  for (COleTemplateServer* p = g_pFirstServer; p != nullptr; p = p->m_pNext)
    if (p->m_pDocTemplate != nullptr)
      ok &= p->Register();
  return ok;
}

void COleTemplateServer::RevokeAll() {
  for (COleTemplateServer* p = g_pFirstServer; p != nullptr; p = p->m_pNext)
    p->Revoke();
}

IUnknown* COleTemplateServer::OnCreateObject() {
  // A document of the template, its window hidden until a verb shows it.
  CDocument* pDoc = m_pDocTemplate != nullptr ? m_pDocTemplate->OpenDocumentFile(nullptr, FALSE) : nullptr;
  if (pDoc == nullptr)
    return nullptr;
  if (!pDoc->IsKindOf(RUNTIME_CLASS(COleServerDoc))) {
    pDoc->OnCloseDocument();
    return nullptr;
  }
  return static_cast<COleServerDoc*>(pDoc)->GetInterface();
}

STDMETHODIMP COleTemplateServer::XClassFactory::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == nullptr)
    return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IClassFactory) {
    *ppv = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

// The factory lives as long as the program; OLE's references to it do not
// keep the program running (LockServer does).
STDMETHODIMP_(ULONG) COleTemplateServer::XClassFactory::AddRef() {
  return 2;
}

STDMETHODIMP_(ULONG) COleTemplateServer::XClassFactory::Release() {
  return 1;
}

STDMETHODIMP COleTemplateServer::XClassFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) {
  if (ppv == nullptr)
    return E_POINTER;
  *ppv = nullptr;
  if (pUnkOuter != nullptr)
    return CLASS_E_NOAGGREGATION;
  IUnknown* pUnknown = m_pThis->OnCreateObject();
  if (pUnknown == nullptr)
    return E_OUTOFMEMORY;
  HRESULT hr = pUnknown->QueryInterface(riid, ppv);
  pUnknown->Release();  // on failure this closes the new document
  return hr;
}

STDMETHODIMP COleTemplateServer::XClassFactory::LockServer(BOOL fLock) {
  if (fLock)
    AfxOleLockApp();
  else
    AfxOleUnlockApp();
  return S_OK;
}
