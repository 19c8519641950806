/* Shows only a message box captioned as the program is, which is not its
   main window. */
#include <windows.h>
int main(void) {
  MessageBoxA(NULL, "Not the main window", "Brivane", MB_OK);
  return 0;
}
