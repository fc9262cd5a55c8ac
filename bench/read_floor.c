#define _XOPEN_SOURCE 700
#include "bench/read_floor.h"

#include <fcntl.h>
#include <ftw.h>
#include <string.h>
#include <strings.h>
#include <time.h>
#include <unistd.h>

static long files_read;
static long long bytes_read;

static int Visit(const char* path, const struct stat* info, int type, struct FTW* where) {
  (void)info;
  (void)where;
  const size_t length = strlen(path);
  if (type != FTW_F || length < 4 || strcasecmp(path + length - 4, ".url") != 0) return 0;
  const int file = open(path, O_RDONLY);
  if (file < 0) return 0;
  char buffer[65536];
  ssize_t got;
  while ((got = read(file, buffer, sizeof buffer)) > 0) bytes_read += got;
  close(file);
  ++files_read;
  return 0;
}

double vellumark_read_floor(const char* folder, long* files, long long* bytes) {
  struct timespec start, end;
  files_read = 0;
  bytes_read = 0;
  clock_gettime(CLOCK_MONOTONIC, &start);
  if (nftw(folder, Visit, 64, FTW_PHYS) != 0) return -1;
  clock_gettime(CLOCK_MONOTONIC, &end);
  *files = files_read;
  *bytes = bytes_read;
  return (double)(end.tv_sec - start.tv_sec) + (double)(end.tv_nsec - start.tv_nsec) / 1e9;
}
