/* Stands in for brivane23.exe in the hand-off tests: notes how it was
   started (its command line, then its working folder, a line each) in
   "started.txt" beside itself, stays a moment, and ends as a crashed
   program does. */
#include <windows.h>

#include <stdio.h>
#include <string.h>

int main(void) {
  char path[MAX_PATH], folder[MAX_PATH];
  GetModuleFileNameA(NULL, path, MAX_PATH);
  strcpy(strrchr(path, '\\') + 1, "started.txt");
  GetCurrentDirectoryA(MAX_PATH, folder);
  FILE* f = fopen(path, "w");
  if (f) {
    fprintf(f, "%s\n%s\n", GetCommandLineA(), folder);
    fclose(f);
  }
  Sleep(1500);
  ExitProcess(0xC0000005);
  return 0;
}
