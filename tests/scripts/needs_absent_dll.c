/* Cannot start: the DLL it imports is not beside it. */
__declspec(dllimport) int BrivaneAbsent(void);
int main(void) {
  return BrivaneAbsent();
}
