/* A DLL that the run script's test keeps out of its program's folder. */
__declspec(dllexport) int BrivaneAbsent(void) {
  return 0;
}
