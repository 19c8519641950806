// OLE data transfer: a data source hands out copies and lives as long as
// its users (the clipboard among them); a drag from one window to another,
// driven by the system's mouse, delivers the text; a target refuses data it
// does not take; and data that cannot be had at the drop changes nothing.
#include <vector>

#include "Interaction.h"
#include "framework/win/Clipboard.h"
#include "framework/win/OleDataObject.h"
#include "framework/win/OleDataSource.h"
#include "framework/win/OleDropTarget.h"

namespace {

int g_nLivingSources = 0;

class CCountingSource : public COleDataSource {
 public:
  CCountingSource() { ++g_nLivingSources; }
  STDMETHODIMP GiveFeedback(DWORD dwEffect) override {
    m_feedback.push_back(dwEffect);
    return COleDataSource::GiveFeedback(dwEffect);
  }
  std::vector<DWORD> m_feedback;

 protected:
  ~CCountingSource() override { --g_nLivingSources; }
};

// Takes text: copied with Ctrl held, else moved.
class CTextDropTarget : public COleDropTarget {
 public:
  DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pData, DWORD dwKeyState, CPoint point) override {
    ++m_nEnters;
    return OnDragOver(pWnd, pData, dwKeyState, point);
  }
  DROPEFFECT OnDragOver(CWnd*, COleDataObject* pData, DWORD dwKeyState, CPoint) override {
    m_lastAnswer = !pData->IsDataAvailable(CF_TEXT) ? DROPEFFECT_NONE
                   : (dwKeyState & MK_CONTROL) != 0 ? DROPEFFECT_COPY
                                                    : DROPEFFECT_MOVE;
    return m_lastAnswer;
  }
  BOOL OnDrop(CWnd*, COleDataObject* pData, DROPEFFECT, CPoint point) override {
    HGLOBAL hGlobal = pData->GetGlobalData(CF_TEXT);
    CString text;
    BOOL ok = CClipboard::TextFromGlobal(hGlobal, text);
    if (hGlobal != nullptr)
      ::GlobalFree(hGlobal);
    if (!ok)
      return FALSE;
    m_text = text;
    m_ptDrop = point;
    ++m_nDrops;
    return TRUE;
  }
  CString m_text = "before";
  CPoint m_ptDrop;
  int m_nEnters = 0;
  int m_nDrops = 0;
  DROPEFFECT m_lastAnswer = 99;
};

// Data that says it has text but cannot give it: its program went away.
class CBrokenData : public IDataObject {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    *ppv = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject) ? this : nullptr;
    return *ppv != nullptr ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetData(FORMATETC*, STGMEDIUM*) override { return RPC_E_DISCONNECTED; }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return RPC_E_DISCONNECTED; }
  STDMETHODIMP QueryGetData(FORMATETC* p) override { return p->cfFormat == CF_TEXT ? S_OK : DV_E_FORMATETC; }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP DUnadvise(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
};

std::string TextOfGlobal(HGLOBAL hGlobal) {
  CString text;
  CClipboard::TextFromGlobal(hGlobal, text);
  return std::string(text);
}

// The steps of a drag, taken by a timer while the system's drag loop runs.
std::vector<std::function<void()>> g_dragSteps;
size_t g_nextStep = 0;

VOID CALLBACK TakeDragStep(HWND, UINT, UINT_PTR, DWORD) {
  if (g_nextStep < g_dragSteps.size())
    g_dragSteps[g_nextStep++]();
}

class OleTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    ASSERT_TRUE(m_source.Create("Drag source", CRect(40, 40, 240, 240)));
    ASSERT_TRUE(m_target.Create("Drop target", CRect(340, 40, 540, 240)));
    ASSERT_TRUE(m_drop.Register(&m_target));
    PumpPending();
  }
  void TearDown() override {
    m_drop.Revoke();
    m_source.DestroyWindow();
    m_target.DestroyWindow();
    MouseMoveTo(CPoint(700, 700));
    PumpPending();
    WindowTest::TearDown();
  }
  // Presses the left button on the source, which starts dragging data made
  // by makeSource; the mouse goes over the target and lets go there.
  DROPEFFECT DragToTarget(const std::function<CCountingSource*()>& makeSource, std::vector<DWORD>* pFeedback) {
    CRect rcTarget;
    m_target.GetWindowRect(&rcTarget);
    CPoint centre = rcTarget.CenterPoint();
    g_dragSteps = {[=] { MouseMoveTo(CPoint(centre.x - 20, centre.y - 10)); }, [=] { MouseMoveTo(centre); },
                   [] {
                     MouseLeftUp();
                   }};
    g_nextStep = 0;
    DROPEFFECT result = 0xFFFF;
    m_source.m_onLButtonDown = [&](CPoint) {
      CCountingSource* pSource = makeSource();
      UINT_PTR timer = ::SetTimer(nullptr, 0, 150, &TakeDragStep);
      result = pSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
      ::KillTimer(nullptr, timer);
      *pFeedback = pSource->m_feedback;
      pSource->InternalRelease();
    };
    CRect rcSource;
    m_source.GetWindowRect(&rcSource);
    MouseMoveTo(rcSource.CenterPoint());
    MouseLeftDown();
    PumpUntil([&] { return result != 0xFFFF; }, 15000);
    m_source.m_onLButtonDown = nullptr;
    return result;
  }

  CTestPad m_source;
  CTestPad m_target;
  CTextDropTarget m_drop;
};

}  // namespace

TEST_F(OleTest, ADataSourceGivesCopiesAndGoesWithItsLastUser) {
  int nBefore = g_nLivingSources;
  CCountingSource* pSource = new CCountingSource;
  UINT cfCells = ::RegisterClipboardFormatA("Brivane Test Cells");
  pSource->CacheGlobalData(CF_TEXT, CClipboard::GlobalFromText("peak list"));
  pSource->CacheGlobalData((CLIPFORMAT)cfCells, CClipboard::GlobalFromText("r1c1"));

  COleDataObject data;
  pSource->InternalAddRef();
  data.Attach(pSource);
  EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
  EXPECT_TRUE(data.IsDataAvailable((CLIPFORMAT)cfCells));
  EXPECT_FALSE(data.IsDataAvailable(CF_BITMAP));
  EXPECT_EQ(nullptr, data.GetGlobalData(CF_BITMAP));
  HGLOBAL hFirst = data.GetGlobalData(CF_TEXT), hSecond = data.GetGlobalData(CF_TEXT);
  ASSERT_NE(nullptr, hFirst);
  ASSERT_NE(hFirst, hSecond);
  *static_cast<char*>(::GlobalLock(hFirst)) = 'X';
  ::GlobalUnlock(hFirst);
  EXPECT_EQ("peak list", TextOfGlobal(hSecond)) << "a receiver changed what the next one gets";
  ::GlobalFree(hFirst);
  ::GlobalFree(hSecond);
  data.Release();

  // On the clipboard: OLE readers and plain clipboard readers both get it.
  ASSERT_TRUE(pSource->SetClipboard());
  COleDataObject clip;
  ASSERT_TRUE(clip.AttachClipboard());
  HGLOBAL hCells = clip.GetGlobalData((CLIPFORMAT)cfCells);
  EXPECT_EQ("r1c1", TextOfGlobal(hCells));
  ::GlobalFree(hCells);
  clip.Release();
  CString text;
  {
    CClipboard clipboard(nullptr);
    EXPECT_TRUE(clipboard.GetText(text));
  }
  EXPECT_EQ(CString("peak list"), text);
  EXPECT_EQ(nBefore + 1, g_nLivingSources) << "the clipboard holds it";
  ::OleSetClipboard(nullptr);
  EXPECT_EQ(nBefore, g_nLivingSources) << "the data source outlived its last user";
}

TEST_F(OleTest, ADragFromOneWindowToAnotherDeliversTheText) {
  std::vector<DWORD> feedback;
  DROPEFFECT result = DragToTarget(
      [] {
        CCountingSource* p = new CCountingSource;
        p->CacheGlobalData(CF_TEXT, CClipboard::GlobalFromText("dragged 1.25"));
        return p;
      },
      &feedback);
  EXPECT_EQ((DROPEFFECT)DROPEFFECT_MOVE, result);
  EXPECT_EQ(1, m_drop.m_nDrops);
  EXPECT_EQ(CString("dragged 1.25"), m_drop.m_text);
  CRect rcTarget;
  m_target.GetClientRect(&rcTarget);
  EXPECT_TRUE(rcTarget.PtInRect(m_drop.m_ptDrop)) << "the drop point is not in the target's client coordinates";
  ASSERT_FALSE(feedback.empty());
  EXPECT_EQ((DWORD)DROPEFFECT_MOVE, feedback.back());
}

TEST_F(OleTest, ATargetRefusesDataItDoesNotTake) {
  std::vector<DWORD> feedback;
  UINT cfCells = ::RegisterClipboardFormatA("Brivane Test Cells");
  DROPEFFECT result = DragToTarget(
      [=] {
        CCountingSource* p = new CCountingSource;
        p->CacheGlobalData((CLIPFORMAT)cfCells, CClipboard::GlobalFromText("r1c1"));
        return p;
      },
      &feedback);
  EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, result);
  EXPECT_GE(m_drop.m_nEnters, 1) << "the target was never asked";
  EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, m_drop.m_lastAnswer);
  EXPECT_EQ(0, m_drop.m_nDrops);
  EXPECT_EQ(CString("before"), m_drop.m_text);
  ASSERT_FALSE(feedback.empty());
  EXPECT_EQ((DWORD)DROPEFFECT_NONE, feedback.back()) << "the cursor did not show the no-drop sign";
}

TEST_F(OleTest, DataThatCannotBeHadAtTheDropChangesNothing) {
  CBrokenData broken;
  CRect rc;
  m_target.GetWindowRect(&rc);
  POINTL pt = {rc.CenterPoint().x, rc.CenterPoint().y};
  DWORD dwEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  ASSERT_EQ(S_OK, m_drop.DragEnter(&broken, MK_LBUTTON, pt, &dwEffect));
  EXPECT_EQ((DWORD)DROPEFFECT_MOVE, dwEffect) << "it offers text, which the target takes";
  dwEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  ASSERT_EQ(S_OK, m_drop.Drop(&broken, 0, pt, &dwEffect));
  EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect) << "a failed drop was reported as done";
  EXPECT_EQ(CString("before"), m_drop.m_text);
  EXPECT_EQ(0, m_drop.m_nDrops);
}

// A stream handed out is the data source's own: each receiver's release
// takes only the reference it was given.
TEST_F(OleTest, AStreamLentByADataSourceOutlivesEachReceiversRelease) {
  IStream* pStream = nullptr;
  ASSERT_TRUE(SUCCEEDED(::CreateStreamOnHGlobal(nullptr, TRUE, &pStream)));
  pStream->AddRef();  // the test's own, to count with
  const CLIPFORMAT cf = (CLIPFORMAT)::RegisterClipboardFormatA("Brivane Test Stream");
  FORMATETC format = {cf, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM};
  STGMEDIUM medium = {};
  medium.tymed = TYMED_ISTREAM;
  medium.pstm = pStream;
  auto* pSource = new COleDataSource;
  pSource->CacheData(cf, &medium, &format);
  for (int i = 0; i < 2; ++i) {
    STGMEDIUM lent = {};
    ASSERT_EQ(S_OK, pSource->GetData(&format, &lent));
    EXPECT_EQ(pStream, lent.pstm);
    ::ReleaseStgMedium(&lent);
  }
  EXPECT_EQ(3u, pStream->AddRef()) << "the source's and the test's";
  pStream->Release();
  pSource->InternalRelease();
  EXPECT_EQ(0u, pStream->Release());
}
