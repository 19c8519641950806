// The processing command language of the nD program. Every processing step
// (dialogs, phase views, the command line, scripts) is a line of text run
// here against the document's data set. The interpreter neither draws nor
// shows windows: its few messages go to a sink that the document supplies.
#pragma once

#include "framework/base/WinTypes.h"

class CSpectrum2D;

// Receives the texts the interpreter shows; the document puts them in
// message boxes.
class CNdMessageSink {
 public:
  virtual ~CNdMessageSink() {}
  virtual void ShowMessage(LPCSTR text) = 0;
};

class CCommandInterpreter {
 public:
  explicit CCommandInterpreter(CNdMessageSink* sink = nullptr) : m_pSink(sink) {}

  void SetMessageSink(CNdMessageSink* sink) { m_pSink = sink; }

  // Runs every line of text on the set. Case is ignored; unknown commands
  // and unreadable arguments change nothing.
  void Execute(CSpectrum2D& set, LPCSTR text);

 private:
  // Runs one lower-case line through the table of commands; false ends
  // the run.
  bool RunLine(CSpectrum2D& set, const char* line);

  CNdMessageSink* m_pSink;
};
