// Writes the core's tables for the page as a script that defines TARNIVEL_TABLES, run under
// node when the page is built: the page builds its window from them at once and compiles the
// core only when it is first needed, so nothing before the page is ready waits for it.
#include <cstdio>

extern "C" const char* tarnivel_tables();
extern "C" const char* tarnivel_drop_tables();

int main() {
  std::printf("const TARNIVEL_TABLES = {window: %s, drop: %s};\n", tarnivel_tables(),
              tarnivel_drop_tables());
  return 0;
}
