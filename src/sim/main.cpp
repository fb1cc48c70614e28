#include <cstdio>

int main() {
  std::fputs("usage: polmina-sim new|show|play DIR ...\n", stderr);
  return 2;
}
