// The fixture of window tests: runs the message loop until a condition
// holds, sends keyboard and mouse input, finds windows and controls, prints
// a window into a bitmap to read its pixels, walks the records of an
// enhanced metafile, and stands in for message boxes, beeps, the shell and
// WinExec.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/win/Win32.h"

struct RecordedMessageBox {
  HWND hWndOwner;
  std::string text;
  std::string caption;
  UINT type;
};

struct RecordedShellExecute {
  std::string verb;
  std::string file;
  std::string parameters;
};

// A 32-bit top-down bitmap selected into a memory DC.
class TestBitmap {
 public:
  TestBitmap(int width, int height);
  ~TestBitmap();
  TestBitmap(const TestBitmap&) = delete;
  TestBitmap& operator=(const TestBitmap&) = delete;

  HDC dc() const { return m_hDC; }
  int width() const { return m_width; }
  int height() const { return m_height; }
  // The pixel as RGB(); black outside the bitmap.
  COLORREF Pixel(int x, int y) const;
  void Fill(COLORREF color);
  // How many pixels have this colour.
  int Count(COLORREF color) const;
  bool SameAs(const TestBitmap& other) const;

 private:
  int m_width;
  int m_height;
  HDC m_hDC = nullptr;
  HBITMAP m_hBitmap = nullptr;
  HGDIOBJ m_hOld = nullptr;
  DWORD* m_bits = nullptr;
};

// hWnd's client area as the screen shows it, in one copy: a pixel read at a
// time from the screen takes seconds under Wine, so waits that poll it see
// one stale reading.
std::unique_ptr<TestBitmap> ScreenCopy(HWND hWnd);

// A visible dialog (a message box too) that hWndOwner owns, of any process;
// null when there is none. (Wine does not answer GetWindow's
// GW_ENABLEDPOPUP.)
HWND OwnedDialog(HWND hWndOwner);

class CDC;
class CWnd;

// An enhanced metafile recorded by a test, deleted with the object.
class TestMetafile {
 public:
  // Records what draw does on a metafile DC (reference device: the screen).
  explicit TestMetafile(const std::function<void(CDC& dc)>& draw);
  ~TestMetafile();
  TestMetafile(const TestMetafile&) = delete;
  TestMetafile& operator=(const TestMetafile&) = delete;
  HENHMETAFILE get() const { return m_hEmf; }

 private:
  HENHMETAFILE m_hEmf = nullptr;
};

struct MetafileRecord {
  DWORD type;              // EMR_...
  std::vector<BYTE> data;  // the whole record, header included
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Message loop: dispatches messages (through the framework's
  // PreTranslateMessage chain) until done() holds or the time is up.
  static bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
  // Dispatches what is queued now, and what that produces, then returns.
  static void PumpPending();
  // The application's idle work (update-UI pass), as after the last message.
  static void RunIdle();

  // Input, posted to the window's queue as the system would deliver it.
  // Modifiers: MK_SHIFT and/or MK_CONTROL, held in the keyboard state.
  static void PostKey(HWND hWnd, UINT vk, UINT modifiers = 0);
  static void PostChars(HWND hWnd, const char* text);
  static void PostClick(HWND hWnd, POINT client, bool bDoubleClick = false);
  static void PostMouseMove(HWND hWnd, POINT client, UINT keys = 0);
  // Left button down at from, moves in steps to to, button up there.
  static void PostDrag(HWND hWnd, POINT from, POINT to, int steps = 4, UINT modifiers = 0);
  static void PostRightClick(HWND hWnd, POINT client);

  // Destroys a test's frame, which is the application's main window, without
  // the quit message its going would post into the next test.
  static void DestroyMainFrame(CWnd* pFrame);

  // Runs this test program again, in a process of its own, on the tests the
  // gtest filter names (disabled ones included): a test of what a program's
  // next start finds. The child's exit code; a failure where it does not
  // start or end within a minute.
  static DWORD RunThisProgram(const char* gtestFilter);

  // Finding windows.
  static HWND FindChild(HWND hWndParent, int nID);  // at any depth
  static HWND FindChildByText(HWND hWndParent, const char* className, const char* text);
  static HWND FindThreadWindow(const char* title);  // a top-level window of this thread
  static std::string TextOf(HWND hWnd);

  // Prints the client area of hWnd (WM_PRINTCLIENT) into a new bitmap.
  static std::unique_ptr<TestBitmap> CaptureClient(HWND hWnd);

  // The records of an enhanced metafile, in order.
  static std::vector<MetafileRecord> Records(HENHMETAFILE hEmf);
  static int CountRecords(HENHMETAFILE hEmf, DWORD type);
  // The strings of the text-output records (ANSI and wide).
  static std::vector<std::string> Texts(HENHMETAFILE hEmf);

  // Recorded message boxes; answers are taken from the front of m_boxAnswers,
  // else the first button of the box's style.
  std::vector<RecordedMessageBox> m_messageBoxes;
  std::deque<int> m_boxAnswers;
  std::vector<UINT> m_beeps;
  std::vector<RecordedShellExecute> m_shellCalls;
  // Command lines given to WinExec; each call answers m_winExecResult.
  std::vector<std::string> m_winExecCalls;
  UINT m_winExecResult = 33;
};
