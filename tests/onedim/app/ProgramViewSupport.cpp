#include "tests/onedim/app/ProgramViewSupport.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "resources/BrivaneRes.h"
#include "tests/onedim/app/ProgramTestSupport.h"

namespace {

const double kDegree = 0.017453292519943295;

// The client point of a dial at nDegrees clockwise from its top.
LPARAM DialPoint(HWND dial, int nDegrees) {
  RECT rc;
  ::GetClientRect(dial, &rc);
  const double r = 0.35 * std::min(rc.right, rc.bottom);
  const int x = (int)std::lround(rc.right / 2.0 + r * std::sin(nDegrees * kDegree));
  const int y = (int)std::lround(rc.bottom / 2.0 - r * std::cos(nDegrees * kDegree));
  return MAKELPARAM(x, y);
}

// The system's mouse at a client point of a window, with the button flags.
void MouseAt(HWND hWnd, POINT pt, DWORD dwFlags) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  ::ClientToScreen(hWnd, &pt);
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dx = (pt.x * 65535 + cx / 2) / (cx - 1);
  in.mi.dy = (pt.y * 65535 + cy / 2) / (cy - 1);
  in.mi.dwFlags = dwFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &in, sizeof in);
}

}  // namespace

Panes PanesOf(const BrivaneProcess& app) {
  Panes panes;
  HWND child = app.ActiveChild();
  HWND splitter = child != nullptr ? ::GetDlgItem(child, AFX_IDW_PANE_FIRST) : nullptr;
  HWND first = splitter != nullptr ? ::GetDlgItem(splitter, AFX_IDW_PANE_FIRST) : nullptr;
  HWND second = splitter != nullptr ? ::GetDlgItem(splitter, AFX_IDW_PANE_FIRST + 16) : nullptr;
  if (second != nullptr && ::IsWindowVisible(second)) {
    panes.full = first;
    panes.view = second;
  } else {
    panes.view = first;
  }
  return panes;
}

bool OpenBrukerFid(BrivaneProcess& app, const char* pszExperiment) {
  if (!app.Start("") || app.WaitMainWindow() == nullptr)
    return false;
  app.Sync();
  return OpenAnotherBrukerFid(app, pszExperiment);
}

bool OpenAnotherBrukerFid(BrivaneProcess& app, const char* pszExperiment) {
  const int nWindows = app.ChildCount();
  app.PostCommand(ID_FILE_OPEN);
  HWND dialog = app.WaitDialog("Import file");
  const std::string fid = std::string(BRIVANE_SOURCE_DIR "/tests/data/") + pszExperiment + "/fid";
  if (dialog == nullptr || !BrivaneProcess::EnterFileName(dialog, BrivaneProcess::WinePath(fid)))
    return false;
  if (!WaitFor([&] { return app.ChildCount() == nWindows + 1 && !::IsWindow(dialog); }, 15000))
    return false;
  app.Sync();
  return true;
}

bool Transform(BrivaneProcess& app, const char* pszPoints) {
  app.PostCommand(ID_PROCESS_FOURIER);
  HWND dialog = app.WaitDialog("Fourier Transform");
  if (dialog == nullptr)
    return false;
  if (pszPoints != nullptr)
    ::SendMessageA(::GetDlgItem(dialog, IDC_FT_POINTS), WM_SETTEXT, 0, (LPARAM)pszPoints);
  if (!BrivaneProcess::Dismiss(dialog, IDOK))
    return false;
  app.Sync();
  return true;
}

bool ReadParametersPage(BrivaneProcess& app, std::string& aq, std::string& byteOrder) {
  app.PostCommand(ID_EDIT_PROPERTIES);
  HWND sheet = app.WaitDialog("Spectrum Properties");
  if (sheet == nullptr)
    return false;
  aq = BrivaneProcess::WindowText(FindControl(sheet, IDC_PROP_AQ));
  byteOrder = BrivaneProcess::WindowText(FindControl(sheet, IDC_PROP_BYTE_ORDER));
  return BrivaneProcess::Dismiss(sheet, IDCANCEL);
}

void WaitForSteadyLayout(HWND view) {
  ::PostMessageA(view, WM_KEYDOWN, VK_TAB, 0);
  RECT last = {};
  int nSame = 0;
  for (int i = 0; i < 50 && nSame < 6; i++) {
    RECT rc;
    ::GetClientRect(view, &rc);
    nSame = ::EqualRect(&rc, &last) ? nSame + 1 : 0;
    last = rc;
    ::Sleep(100);
  }
}

std::unique_ptr<TestBitmap> Shot(HWND hWnd) {
  ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return Settled(hWnd);
}

std::unique_ptr<TestBitmap> Settled(HWND hWnd) {
  std::unique_ptr<TestBitmap> shot = ScreenCopy(hWnd);
  for (int i = 0; i < 30; i++) {
    ::Sleep(100);
    std::unique_ptr<TestBitmap> again = ScreenCopy(hWnd);
    if (again->SameAs(*shot))
      break;
    shot = std::move(again);
  }
  return shot;
}

void SaveShot(const TestBitmap& shot, const char* pszName) {
  const char* pszDir = std::getenv("BRIVANE_SHOT_DIR");
  if (pszDir == nullptr || *pszDir == '\0')
    return;
  const int w = shot.width(), h = shot.height(), nRow = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + (DWORD)nRow * h;
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = h;
  info.biPlanes = 1;
  info.biBitCount = 24;
  const std::string path = std::string(pszDir) + "\\" + pszName + ".bmp";
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr)
    return;
  std::fwrite(&file, sizeof file, 1, f);
  std::fwrite(&info, sizeof info, 1, f);
  std::vector<BYTE> row((size_t)nRow, 0);
  for (int y = h - 1; y >= 0; y--) {
    for (int x = 0; x < w; x++) {
      const COLORREF cr = shot.Pixel(x, y);
      row[(size_t)x * 3] = GetBValue(cr);
      row[(size_t)x * 3 + 1] = GetGValue(cr);
      row[(size_t)x * 3 + 2] = GetRValue(cr);
    }
    std::fwrite(row.data(), 1, row.size(), f);
  }
  std::fclose(f);
}

TraceExtent MeasureTrace(const TestBitmap& shot, int nZeroLine, COLORREF cr) {
  const int kTopRows = 8;
  TraceExtent extent;
  for (int x = 0; x < shot.width(); x++) {
    bool bTrace = false, bCut = false;
    for (int y = 0; y <= nZeroLine + 2; y++) {
      if (shot.Pixel(x, y) != cr)
        continue;
      bTrace = true;
      bCut |= y < kTopRows;
      extent.nTop = std::min(extent.nTop, y);
    }
    extent.nColumns += bTrace;
    extent.nCutColumns += bCut;
  }
  return extent;
}

void ClickWithMouse(HWND hWnd, POINT ptClient) {
  MouseAt(hWnd, ptClient, 0);
  MouseAt(hWnd, ptClient, MOUSEEVENTF_LEFTDOWN);
  MouseAt(hWnd, ptClient, MOUSEEVENTF_LEFTUP);
}

void PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD vk : keys) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    inputs.push_back(in);
  }
  for (auto it = keys.end(); it != keys.begin();) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = *--it;
    in.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(in);
  }
  ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
}

bool TurnDial(HWND dial, int nFrom, int nTurn) {
  auto input = [&](DWORD dwFlags, int nDegrees) {
    const LPARAM lParam = DialPoint(dial, nDegrees);
    MouseAt(dial, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, dwFlags);
    return WaitFor(
        [&] {
          const int nPos = (int)::SendMessageA(dial, TBM_GETPOS, 0, 0);
          const int nOff = ((nPos - nDegrees) % 360 + 360) % 360;
          return nOff <= 1 || nOff >= 359;
        },
        5000);
  };
  bool bDone = input(MOUSEEVENTF_LEFTDOWN, nFrom);
  const int nStep = nTurn < 0 ? -30 : 30;
  for (int d = nStep; bDone && std::abs(d) <= std::abs(nTurn); d += nStep)
    bDone = input(0, nFrom + d);
  bDone = input(MOUSEEVENTF_LEFTUP, nFrom + nTurn) && bDone;
  // The dial is at its place before the release reaches it: until it lets
  // the mouse go, a value set in its edit would be dragged back.
  const DWORD dwThread = ::GetWindowThreadProcessId(dial, nullptr);
  return WaitFor(
             [&] {
               GUITHREADINFO info = {};
               info.cbSize = sizeof info;
               return ::GetGUIThreadInfo(dwThread, &info) && info.hwndCapture != dial;
             },
             5000) &&
         bDone;
}

HWND WaitPointsDialog(BrivaneProcess& app, int nControl) {
  HWND dialog = nullptr;
  WaitFor(
      [&] {
        dialog = app.WaitDialog(nullptr, 200);
        return dialog != nullptr && ::GetDlgItem(dialog, nControl) != nullptr &&
               ::IsWindowVisible(::GetDlgItem(dialog, nControl));
      },
      10000);
  return dialog;
}

Ink InkIn(const PdfPage& page, int y0, int y1) {
  Ink ink;
  for (int y = y0; y < y1; y++) {
    for (int x = 0; x < page.width; x++) {
      const int r = page.ChannelAt(x, y, 0), g = page.ChannelAt(x, y, 1), b = page.ChannelAt(x, y, 2);
      const int lo = std::min(r, std::min(g, b)), hi = std::max(r, std::max(g, b));
      const bool bDark = hi < 100, bColoured = hi - lo > 100;
      ink.nDark += bDark;
      ink.nColoured += bColoured;
      if ((bDark || bColoured) && (ink.nLeft < 0 || x < ink.nLeft))
        ink.nLeft = x;
    }
  }
  return ink;
}

bool OnlyPage(const std::string& title, PdfPage& page, int nDpi) {
  const std::string pdf = WaitForPdf(title);
  if (pdf.empty())
    return false;
  std::vector<PdfPage> pages = RenderPdf(pdf, nDpi, true);
  if (pages.size() != 1)
    return false;
  page = std::move(pages[0]);
  return true;
}
