// The nD program built in the test's own process: its application object,
// both document templates and the main frame, made before each test and
// taken down after it; helpers to open a document and read a command's
// update state.
#pragma once

#include <string>

#include "framework/win/CmdUI.h"
#include "framework/win/WindowTest.h"
#include "ndim/app/BrivanenDApp.h"
#include "ndim/app/BrivanenDDoc.h"
#include "ndim/app/MainFrame.h"

// What an update handler made of a command.
struct CommandState : CCmdUI {
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    enabled = bOn != FALSE;
  }
  void SetCheck(int nCheck) override { checked = nCheck; }
  void SetText(LPCSTR lpszText) override { text = lpszText; }
  bool enabled = true;
  int checked = 0;
  std::string text;
};

class NdAppTest : public WindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  CBrivanenDApp& App();
  CMainFrame* Frame() const { return m_pFrame; }
  // A path in the test's own folder.
  std::string PathOf(const char* name) const { return m_folder + name; }
  // A document with a Bruker experiment of rows x td values opened into it.
  CBrivanenDDoc* OpenExperiment(int rows, int td);
  // The command sent to the main frame, as a menu sends it.
  void Command(UINT nID) const;
  // Answers the next file dialog with name (empty: Cancel).
  static void AnswerFileDialog(const std::string& name);
  // The command's state after the update pass along the frame's route.
  CommandState Update(UINT nID) const;

  CMainFrame* m_pFrame = nullptr;
  std::string m_folder;
};
