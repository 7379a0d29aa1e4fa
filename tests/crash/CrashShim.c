/* An LD_PRELOAD library for the crash harness. It numbers the calls by which
 * the program changes files (opening for writing or creating, writing to a
 * file it opened so, renaming, linking, unlinking, truncating, flushing to
 * disk, closing a file it wrote) and, told by the environment, kills the
 * process with SIGKILL right before or right after the Nth of them:
 *
 *   RUVEK_CRASH_AT=N           the call to die at (1 is the first)
 *   RUVEK_CRASH_WHEN=before    die before the call runs (default)
 *   RUVEK_CRASH_WHEN=after     die once it has run
 *   RUVEK_CRASH_COUNT=FILE     only count: FILE gets one line per call,
 *                              "<n> <call> <path>", the last line the count
 *
 * Writes to standard output and to files the program only reads are not
 * counted, so the numbering depends on the program's file work alone. The
 * variables are taken out of the environment at load, so the commands the
 * program runs (its `sh` command) run without the library. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

#define MAX_FDS 4096

static long crash_at;   /* 0: never */
static int crash_after; /* 1: after the call, 0: before it */
static int count_fd = -1;
static long calls;
/* Path of each descriptor opened for writing; NULL when not tracked. */
static char* tracked[MAX_FDS];

static void die(void) { syscall(SYS_kill, getpid(), SIGKILL); }

/* The count file is written with the raw system call, so that it is neither
 * counted nor caught by the program's own wrappers. */
static void note(long n, const char* call, const char* path) {
  char line[4200];
  int len = snprintf(line, sizeof line, "%ld %s %s\n", n, call, path ? path : "?");
  if (len > (int)sizeof line - 1) len = (int)sizeof line - 1;
  if (count_fd >= 0) syscall(SYS_write, count_fd, line, (size_t)len);
}

/* Numbers a call; dies first when it is the one to die before. */
static long enter(const char* call, const char* path) {
  long n = __atomic_add_fetch(&calls, 1, __ATOMIC_SEQ_CST);
  note(n, call, path);
  if (n == crash_at && !crash_after) die();
  return n;
}

static void leave(long n) {
  if (n == crash_at && crash_after) die();
}

static const char* fd_path(int fd) { return fd >= 0 && fd < MAX_FDS ? tracked[fd] : NULL; }

static void track(int fd, const char* path) {
  if (fd < 0 || fd >= MAX_FDS) return;
  free(tracked[fd]);
  tracked[fd] = path ? strdup(path) : NULL;
}

static int changes(int flags) { return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0; }
static int writes(int flags) { return (flags & (O_WRONLY | O_RDWR)) != 0; }

__attribute__((constructor)) static void crash_init(void) {
  const char* at = getenv("RUVEK_CRASH_AT");
  const char* when = getenv("RUVEK_CRASH_WHEN");
  const char* count = getenv("RUVEK_CRASH_COUNT");
  crash_at = at ? atol(at) : 0;
  crash_after = when && strcmp(when, "after") == 0;
  if (count)
    count_fd = (int)syscall(SYS_openat, AT_FDCWD, count, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
  unsetenv("LD_PRELOAD");
  unsetenv("RUVEK_CRASH_AT");
  unsetenv("RUVEK_CRASH_WHEN");
  unsetenv("RUVEK_CRASH_COUNT");
}

#define REAL(name, type)               \
  static __typeof__(type) real_##name; \
  if (!real_##name) real_##name = (type)dlsym(RTLD_NEXT, #name)

/* Opening: the mode argument is there only with O_CREAT or O_TMPFILE. */
#define MODE_ARG(flags, mode)              \
  mode_t mode = 0;                         \
  if ((flags) & (O_CREAT | __O_TMPFILE)) { \
    va_list ap;                            \
    va_start(ap, flags);                   \
    mode = (mode_t)va_arg(ap, int);        \
    va_end(ap);                            \
  }

static int opened(int fd, const char* path, int flags, long n) {
  if (fd >= 0 && writes(flags)) track(fd, path);
  leave(n);
  return fd;
}

#define WRAP_OPEN(name)                                            \
  int name(const char* path, int flags, ...) {                     \
    MODE_ARG(flags, mode);                                         \
    REAL(name, int (*)(const char*, int, ...));                    \
    if (!changes(flags)) return real_##name(path, flags, mode);    \
    long n = enter(#name, path);                                   \
    return opened(real_##name(path, flags, mode), path, flags, n); \
  }
WRAP_OPEN(open)
WRAP_OPEN(open64)

#define WRAP_OPENAT(name)                                               \
  int name(int dir, const char* path, int flags, ...) {                 \
    MODE_ARG(flags, mode);                                              \
    REAL(name, int (*)(int, const char*, int, ...));                    \
    if (!changes(flags)) return real_##name(dir, path, flags, mode);    \
    long n = enter(#name, path);                                        \
    return opened(real_##name(dir, path, flags, mode), path, flags, n); \
  }
WRAP_OPENAT(openat)
WRAP_OPENAT(openat64)

/* The checked variants a fortified build calls instead of open and openat. */
#define WRAP_OPEN_2(name)                                    \
  int name(const char* path, int flags) {                    \
    REAL(name, int (*)(const char*, int));                   \
    if (!changes(flags)) return real_##name(path, flags);    \
    long n = enter(#name, path);                             \
    return opened(real_##name(path, flags), path, flags, n); \
  }
WRAP_OPEN_2(__open_2)
WRAP_OPEN_2(__open64_2)

#define WRAP_OPENAT_2(name)                                       \
  int name(int dir, const char* path, int flags) {                \
    REAL(name, int (*)(int, const char*, int));                   \
    if (!changes(flags)) return real_##name(dir, path, flags);    \
    long n = enter(#name, path);                                  \
    return opened(real_##name(dir, path, flags), path, flags, n); \
  }
WRAP_OPENAT_2(__openat_2)
WRAP_OPENAT_2(__openat64_2)

int creat(const char* path, mode_t mode) {
  REAL(creat, int (*)(const char*, mode_t));
  long n = enter("creat", path);
  return opened(real_creat(path, mode), path, O_WRONLY, n);
}

/* Streams: the open and the close are seen; their writes go through the C
 * library's own calls. */
FILE* fopen(const char* path, const char* mode) {
  REAL(fopen, FILE * (*)(const char*, const char*));
  if (mode[0] == 'r' && !strchr(mode, '+')) return real_fopen(path, mode);
  long n = enter("fopen", path);
  FILE* f = real_fopen(path, mode);
  if (f) track(fileno(f), path);
  leave(n);
  return f;
}

int fclose(FILE* f) {
  REAL(fclose, int (*)(FILE*));
  const int fd = fileno(f);
  const char* path = fd_path(fd);
  if (!path) return real_fclose(f);
  long n = enter("fclose", path);
  track(fd, NULL);
  const int rc = real_fclose(f);
  leave(n);
  return rc;
}

#define WRAP_FD_CALL(ret, name, params, args, fdarg) \
  ret name params {                                  \
    REAL(name, ret(*) params);                       \
    const char* path = fd_path(fdarg);               \
    if (!path) return real_##name args;              \
    long n = enter(#name, path);                     \
    ret rc = real_##name args;                       \
    leave(n);                                        \
    return rc;                                       \
  }
WRAP_FD_CALL(ssize_t, write, (int fd, const void* buf, size_t len), (fd, buf, len), fd)
WRAP_FD_CALL(ssize_t, pwrite, (int fd, const void* buf, size_t len, off_t off), (fd, buf, len, off), fd)
WRAP_FD_CALL(ssize_t, pwrite64, (int fd, const void* buf, size_t len, off_t off), (fd, buf, len, off), fd)
WRAP_FD_CALL(ssize_t, writev, (int fd, const struct iovec* iov, int cnt), (fd, iov, cnt), fd)

/* Calls that change a file whichever descriptor or name they are given. */
#define WRAP_ANY_CALL(ret, name, params, args, label) \
  ret name params {                                   \
    REAL(name, ret(*) params);                        \
    long n = enter(#name, label);                     \
    ret rc = real_##name args;                        \
    leave(n);                                         \
    return rc;                                        \
  }
WRAP_ANY_CALL(int, ftruncate, (int fd, off_t len), (fd, len), fd_path(fd))
WRAP_ANY_CALL(int, ftruncate64, (int fd, off_t len), (fd, len), fd_path(fd))
WRAP_ANY_CALL(int, truncate, (const char* path, off_t len), (path, len), path)
WRAP_ANY_CALL(int, fsync, (int fd), (fd), fd_path(fd))
WRAP_ANY_CALL(int, fdatasync, (int fd), (fd), fd_path(fd))
WRAP_ANY_CALL(int, rename, (const char* from, const char* to), (from, to), to)
WRAP_ANY_CALL(int, renameat, (int fd, const char* from, int td, const char* to), (fd, from, td, to), to)
WRAP_ANY_CALL(int, renameat2, (int fd, const char* from, int td, const char* to, unsigned fl), (fd, from, td, to, fl),
              to)
WRAP_ANY_CALL(int, link, (const char* from, const char* to), (from, to), to)
WRAP_ANY_CALL(int, linkat, (int fd, const char* from, int td, const char* to, int fl), (fd, from, td, to, fl), to)
WRAP_ANY_CALL(int, unlink, (const char* path), (path), path)
WRAP_ANY_CALL(int, unlinkat, (int fd, const char* path, int fl), (fd, path, fl), path)
WRAP_ANY_CALL(int, remove, (const char* path), (path), path)
WRAP_ANY_CALL(int, mkdir, (const char* path, mode_t mode), (path, mode), path)

/* Closing a file opened for writing: its data is in the file from here on. */
int close(int fd) {
  REAL(close, int (*)(int));
  const char* path = fd_path(fd);
  if (!path) return real_close(fd);
  long n = enter("close", path);
  track(fd, NULL);
  const int rc = real_close(fd);
  leave(n);
  return rc;
}
