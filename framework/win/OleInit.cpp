#include "framework/win/OleInit.h"

#include <ole2.h>

#include "framework/win/OleTemplateServer.h"

namespace {
BOOL g_bOleInitialized = FALSE;
BOOL g_bUserCtrl = TRUE;
LONG g_nLockCount = 0;
}  // namespace

BOOL AfxOleInit() {
  if (g_bOleInitialized)
    return TRUE;
  if (FAILED(::OleInitialize(nullptr)))
    return FALSE;
  g_bOleInitialized = TRUE;
  return TRUE;
}

void AfxOleTerm() {
  COleTemplateServer::RevokeAll();
  if (!g_bOleInitialized)
    return;
  g_bOleInitialized = FALSE;
  ::OleUninitialize();
}

void AfxOleLockApp() {
  ::InterlockedIncrement(&g_nLockCount);
}

void AfxOleUnlockApp() {
  if (::InterlockedDecrement(&g_nLockCount) != 0 || g_bUserCtrl)
    return;
  // Posted, not done here: the call that released the last object must
  // still return to its client.
  ::PostQuitMessage(0);
}

LONG AfxOleGetLockCount() {
  return g_nLockCount;
}

void AfxOleSetUserCtrl(BOOL bUserCtrl) {
  g_bUserCtrl = bUserCtrl;
}

BOOL AfxOleGetUserCtrl() {
  return g_bUserCtrl;
}
