// Entry point of the 1D program: the one application object, and the
// framework's start.
#include "onedim/app/BrivaneProApp.h"

namespace {

CBrivaneProApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
  return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
