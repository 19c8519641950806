/* Starts and runs, but never shows a window. */
#include <windows.h>
int main(void) {
  Sleep(60000);
  return 0;
}
