// Writes the core's tables for the page as JSON, run under node when the page is built
// (make_page.py writes them into the page): the page builds its window from them at once and
// compiles the core only when it is first needed, so nothing before ready waits for it.
#include <cstdio>

extern "C" const char* tarnivel_tables();
extern "C" const char* tarnivel_drop_tables();
extern "C" const char* tarnivel_line_tables();

int main() {
  std::printf("{\"window\": %s, \"drop\": %s, \"line\": %s}\n", tarnivel_tables(),
              tarnivel_drop_tables(), tarnivel_line_tables());
  return 0;
}
