// The text that the lists put on the clipboard (Windows build only).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "onedim/dialogs/shell/DataBufferClipboard.h"
#include "onedim/document/HistoryList.h"

namespace {

// The CF_TEXT block on the clipboard, with its size.
std::string ClipboardText(SIZE_T* pnSize) {
  std::string text;
  *pnSize = 0;
  if (!::OpenClipboard(nullptr))
    return "<no clipboard>";
  HANDLE h = ::GetClipboardData(CF_TEXT);
  if (h != nullptr) {
    *pnSize = ::GlobalSize(h);
    const char* p = static_cast<const char*>(::GlobalLock(h));
    if (p != nullptr)
      text.assign(p, strnlen(p, *pnSize));
    ::GlobalUnlock(h);
  }
  ::CloseClipboard();
  return text;
}

TEST(ClipboardTextTest, HistoryAndEmptyTextReachTheClipboard) {
  CHistoryList history;
  history.AddLine("Zero Filling");
  history.AddLine("Apodization");
  ASSERT_EQ(CopyTextToClipboard(history.GetText(), nullptr), 1);
  SIZE_T nSize = 0;
  EXPECT_EQ(ClipboardText(&nSize), "Zero Filling\r\nApodization\r\n");

  ASSERT_EQ(CopyTextToClipboard("", nullptr), 1);
  EXPECT_EQ(ClipboardText(&nSize), "");
  EXPECT_GE(nSize, 1u);  // the terminating zero
}

}  // namespace
