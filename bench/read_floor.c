/* vellumark-read-floor DIR: the least any walk of a favorites tree can cost.
   Lists the tree under DIR with nftw and opens, reads and closes every .url
   file once; prints the files, the bytes and the seconds taken. */
#define _XOPEN_SOURCE 700
#include <fcntl.h>
#include <ftw.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>
#include <time.h>
#include <unistd.h>

static long files;
static long long bytes;

static int Visit(const char* path, const struct stat* info, int type, struct FTW* where) {
  (void)info;
  (void)where;
  const size_t length = strlen(path);
  if (type != FTW_F || length < 4 || strcasecmp(path + length - 4, ".url") != 0) return 0;
  const int file = open(path, O_RDONLY);
  if (file < 0) return 0;
  char buffer[65536];
  ssize_t got;
  while ((got = read(file, buffer, sizeof buffer)) > 0) bytes += got;
  close(file);
  ++files;
  return 0;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fputs("usage: vellumark-read-floor DIR\n", stderr);
    return 2;
  }
  struct timespec start, end;
  clock_gettime(CLOCK_MONOTONIC, &start);
  if (nftw(argv[1], Visit, 64, FTW_PHYS) != 0) {
    perror(argv[1]);
    return 1;
  }
  clock_gettime(CLOCK_MONOTONIC, &end);
  printf("%ld files, %lld bytes, %.3f s\n", files, bytes,
         (double)(end.tv_sec - start.tv_sec) + (double)(end.tv_nsec - start.tv_nsec) / 1e9);
  return 0;
}
