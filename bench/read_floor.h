/* The least any walk of a favorites tree can cost: the tree under a folder
   listed with nftw and every .url file opened, read and closed once. */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

/* Seconds the walk took, or a negative value when the folder cannot be
   walked; `files` and `bytes` receive what was read. */
double vellumark_read_floor(const char* folder, long* files, long long* bytes);

#ifdef __cplusplus
}
#endif
