/* A preload library for the end-to-end tests: it makes renames onto a file
 * fail, so a test can watch a save that cannot replace its file.
 *
 *   RUVEK_FAIL_RENAME=SUFFIX  renames whose target path ends in SUFFIX fail
 *                             with EIO
 *   RUVEK_FAIL_TIMES=N        only the first N of them fail (all when unset)
 *
 * The variables and LD_PRELOAD are taken out of the environment at load, so
 * the commands the program runs (its `sh` command) run without the library. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static char suffix[4096];
static long times = -1; /* -1: every one */

__attribute__((constructor)) static void fail_init(void) {
  const char* s = getenv("RUVEK_FAIL_RENAME");
  const char* n = getenv("RUVEK_FAIL_TIMES");
  if (s) snprintf(suffix, sizeof suffix, "%s", s);
  if (n) times = atol(n);
  unsetenv("RUVEK_FAIL_RENAME");
  unsetenv("RUVEK_FAIL_TIMES");
  unsetenv("LD_PRELOAD");
}

static int fails(const char* target) {
  size_t t = target ? strlen(target) : 0, s = strlen(suffix);
  if (s == 0 || t < s || strcmp(target + t - s, suffix) != 0 || times == 0) return 0;
  if (times > 0) --times;
  errno = EIO;
  return 1;
}

int rename(const char* from, const char* to) {
  static int (*real)(const char*, const char*);
  if (fails(to)) return -1;
  if (!real) real = (int (*)(const char*, const char*))dlsym(RTLD_NEXT, "rename");
  return real(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to) {
  static int (*real)(int, const char*, int, const char*);
  if (fails(to)) return -1;
  if (!real) real = (int (*)(int, const char*, int, const char*))dlsym(RTLD_NEXT, "renameat");
  return real(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned int flags) {
  static int (*real)(int, const char*, int, const char*, unsigned int);
  if (fails(to)) return -1;
  if (!real) real = (int (*)(int, const char*, int, const char*, unsigned int))dlsym(RTLD_NEXT, "renameat2");
  return real(fromDir, from, toDir, to, flags);
}
