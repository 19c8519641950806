// The clipboard: text with CR LF line ends and a picture recorded on the
// printer come back as they went, and text from memory that does not end
// where it should is read no further than the memory goes.
#include "Interaction.h"
#include "framework/win/Clipboard.h"
#include "framework/win/Dc.h"
#include "framework/win/MetaFileDC.h"
#include "framework/win/PrintDialog.h"

namespace {
class ClipboardTest : public WindowTest {};
}  // namespace

TEST_F(ClipboardTest, TextAndAPictureRecordedOnThePrinterRoundTrip) {
  ASSERT_TRUE(CClipboard::CopyText(nullptr, "1.0\t2.5\n3.0\t4.5\r\nend"));
  CString text;
  {
    CClipboard clipboard(nullptr);
    ASSERT_TRUE(clipboard.GetText(text));
  }
  EXPECT_EQ(CString("1.0\t2.5\r\n3.0\t4.5\r\nend"), text) << "every line end goes as CR LF, once";

  // The picture is recorded with the default printer as its reference device.
  CPrintDialog printer(FALSE);
  ASSERT_TRUE(printer.GetDefaults());
  ASSERT_NE(nullptr, printer.GetPrinterDC());
  CMetaFileDC dc;
  ASSERT_TRUE(dc.CreateEnhanced(CDC::FromHandle(printer.GetPrinterDC()), nullptr, nullptr, "bvx metafile"));
  EXPECT_EQ(::GetDeviceCaps(printer.GetPrinterDC(), HORZRES), dc.GetDeviceCaps(HORZRES))
      << "the recording does not measure as the printer";
  dc.Rectangle(100, 100, 900, 700);
  dc.MoveTo(100, 100);
  dc.LineTo(900, 700);
  dc.TextOut(120, 720, "spectrum", 8);
  HENHMETAFILE hEmf = dc.CloseEnhanced();
  ASSERT_NE(nullptr, hEmf);
  std::vector<MetafileRecord> drawn = Records(hEmf);
  ASSERT_TRUE(CClipboard::CopyEnhMetaFile(nullptr, hEmf));  // the clipboard's now

  HENHMETAFILE hBack;
  {
    CClipboard clipboard(nullptr);
    hBack = clipboard.GetEnhMetaFile();
  }
  ASSERT_NE(nullptr, hBack);
  std::vector<MetafileRecord> back = Records(hBack);
  ASSERT_EQ(drawn.size(), back.size());
  for (size_t i = 0; i < drawn.size(); ++i)
    EXPECT_EQ(drawn[i].data, back[i].data) << "record " << i;
  EXPECT_EQ(1, CountRecords(hBack, EMR_RECTANGLE));
  EXPECT_EQ(1, CountRecords(hBack, EMR_LINETO));
  EXPECT_EQ(std::vector<std::string>{"spectrum"}, Texts(hBack));
  ENHMETAHEADER header = {};
  ::GetEnhMetaFileHeader(hBack, sizeof(header), &header);
  EXPECT_EQ(::GetDeviceCaps(printer.GetPrinterDC(), HORZRES), header.szlDevice.cx);
  char description[64] = "";
  ::GetEnhMetaFileDescriptionA(hBack, sizeof(description), description);
  EXPECT_STREQ("bvx metafile", description);
  ::DeleteEnhMetaFile(hBack);
}

TEST_F(ClipboardTest, TextIsReadNoFurtherThanItsMemoryGoes) {
  struct Case {
    const char* bytes;
    size_t size;
    const char* expected;
  } cases[] = {
      {"abcd", 4, "abcd"},  // no zero at the end: the block's end ends the text
      {"ab\0cd", 5, "ab"},  // the first zero ends it
      {"", 1, ""},
  };
  for (const Case& c : cases) {
    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, c.size);
    ASSERT_NE(nullptr, hGlobal);
    memcpy(::GlobalLock(hGlobal), c.bytes, c.size);
    ::GlobalUnlock(hGlobal);
    CString text("unchanged");
    EXPECT_TRUE(CClipboard::TextFromGlobal(hGlobal, text));
    EXPECT_EQ(CString(c.expected), text) << c.expected;
    ::GlobalFree(hGlobal);
  }
  CString text("unchanged");
  EXPECT_FALSE(CClipboard::TextFromGlobal(nullptr, text));
  EXPECT_EQ(CString("unchanged"), text);
}
