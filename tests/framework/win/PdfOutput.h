// What the real PDF printer made: the PDF of a job found by its name (the
// folder the printer writes to is searched until it appears), its pages
// turned into pictures with pdftoppm, and its text with pdftotext. Every
// PDF found is deleted by DeleteFoundPdfs.
#pragma once

#include <string>
#include <vector>

// A page of a PDF as a picture: grey (one byte a pixel, 0 black .. 255
// white) or colour (three bytes, red, green, blue).
struct PdfPage {
  int width = 0;
  int height = 0;
  int channels = 1;
  std::vector<unsigned char> grey;  // row by row; channels bytes a pixel
  int At(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height ? grey[((size_t)y * width + x) * channels] : -1;
  }
  // Channel c (0 red, 1 green, 2 blue) of a colour page; -1 outside.
  int ChannelAt(int x, int y, int c) const {
    return x >= 0 && y >= 0 && x < width && y < height ? grey[((size_t)y * width + x) * channels + c] : -1;
  }
};

// The PDF of the job named title (a prefix of its file name); empty when
// none came within timeoutMs. Waits until the file is whole (it ends with
// the marker that ends a PDF).
std::string WaitForPdf(const std::string& title, unsigned long timeoutMs = 60000);
bool PdfExists(const std::string& title);
// The pages of a PDF at dpi dots per inch (in colour when asked); empty on failure.
std::vector<PdfPage> RenderPdf(const std::string& windowsPath, int dpi, bool colour = false);
// The text of each page of a PDF, in reading order; empty on failure.
std::vector<std::string> PdfPageTexts(const std::string& windowsPath);
// Deletes every PDF that WaitForPdf found.
void DeleteFoundPdfs();
// A job name unique to this test process and this moment, of letters,
// digits and underscores (the printer keeps them in the PDF's name).
std::string UniquePrintTitle(const char* suffix);

// While it lives, every print job goes to the spooler by a name of the
// test's own, UniquePrintTitle(suffix), one for each job: the printer names
// a PDF after its job, and a name the program gives (its own, "Brivane")
// is every run's and every user's, whose pages would be taken for the
// test's. The names the program gave are noted.
class ScopedJobNames {
 public:
  explicit ScopedJobNames(const char* suffix);
  ~ScopedJobNames();
  ScopedJobNames(const ScopedJobNames&) = delete;
  ScopedJobNames& operator=(const ScopedJobNames&) = delete;

  std::vector<std::string> spooled;  // the names the jobs went by, in order
  std::vector<std::string> named;    // the names the program gave them
};
