// COleTemplateServer: makes a document template's documents available to
// other programs as OLE objects of one class. Its class factory makes each
// new object a new (hidden) document of the template; the class's entries
// in the registry tell OLE which program serves it.
#pragma once

#include <ole2.h>

#include "framework/win/Win32.h"

class CDocTemplate;

enum OLE_APPTYPE {
  OAT_INPLACE_SERVER = 0,  // edited in place or in its own window
  OAT_SERVER = 1           // edited in its own window only
};

class COleTemplateServer {
 public:
  COleTemplateServer();
  ~COleTemplateServer();
  COleTemplateServer(const COleTemplateServer&) = delete;
  COleTemplateServer& operator=(const COleTemplateServer&) = delete;

  // Objects of clsid become documents of pDocTemplate. With bMultiInstance
  // every object starts a program of its own; otherwise one program serves
  // them all.
  void ConnectTemplate(REFCLSID clsid, CDocTemplate* pDocTemplate, BOOL bMultiInstance);
  // Writes the class's entries under HKEY_CLASSES_ROOT: its name, program
  // id, this program as its local server, ole32 as its handler, its verbs
  // and that it may be inserted, and the document's file extension as a
  // file of the class. A program id or extension that names another class
  // is left to it.
  BOOL UpdateRegistry(OLE_APPTYPE nAppType = OAT_INPLACE_SERVER);
  // Offers the class factory to OLE for as long as the program runs.
  BOOL Register();
  void Revoke();
  BOOL IsRegistered() const { return m_dwRegister != 0; }
  REFCLSID GetClassID() const { return m_clsid; }
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

  // Every connected server of the program.
  static BOOL RegisterAll();
  static void RevokeAll();

 protected:
  // A new object: a new document of the template, without a window shown.
  virtual IUnknown* OnCreateObject();

 private:
  class XClassFactory : public IClassFactory {
   public:
    explicit XClassFactory(COleTemplateServer* pThis) : m_pThis(pThis) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL fLock) override;

   private:
    COleTemplateServer* m_pThis;
  };

  XClassFactory m_xClassFactory;
  CLSID m_clsid = {};
  CDocTemplate* m_pDocTemplate = nullptr;
  BOOL m_bMultiInstance = FALSE;
  DWORD m_dwRegister = 0;
  COleTemplateServer* m_pNext = nullptr;  // the program's list of servers
};
