/* Reads through a null pointer as soon as it starts. */
int main(void) {
  volatile int* p = 0;
  return *p;
}
