// Entry point of the nD program: the one application object, and the
// framework's start.
#include "ndim/app/BrivanenDApp.h"

namespace {

CBrivanenDApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
  return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
