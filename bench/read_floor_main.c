/* vellumark-read-floor DIR: prints the files, the bytes and the seconds of
   the least any walk of the favorites tree under DIR can cost. */
#include "bench/read_floor.h"

#include <stdio.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    fputs("usage: vellumark-read-floor DIR\n", stderr);
    return 2;
  }
  long files = 0;
  long long bytes = 0;
  const double seconds = vellumark_read_floor(argv[1], &files, &bytes);
  if (seconds < 0) {
    perror(argv[1]);
    return 1;
  }
  printf("%ld files, %lld bytes, %.3f s\n", files, bytes, seconds);
  return 0;
}
