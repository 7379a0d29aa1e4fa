#pragma once
// A small tmpfs mounted over a folder, for the tests of a full drive. Mounting
// needs the right to do so; where it is missing the drive is not mounted and
// `why` says what failed, for the test's skip line.
#ifndef _WIN32
#include <sys/mount.h>
#endif

#include <cerrno>
#include <cstring>
#include <string>

namespace ruvek::test {

class SmallDrive {
 public:
  SmallDrive(std::string folder, int kib) : folder_(std::move(folder)) {
#ifdef _WIN32
    (void)kib;
    why_ = "Windows has no tmpfs to mount";
#else
    const std::string options = "size=" + std::to_string(kib) + "k";
    mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, options.c_str()) == 0;
    if (!mounted_) why_ = "cannot mount a tmpfs on " + folder_ + ": " + std::strerror(errno);
#endif
  }
  ~SmallDrive() {
#ifndef _WIN32
    if (mounted_) ::umount(folder_.c_str());
#endif
  }
  SmallDrive(const SmallDrive&) = delete;
  SmallDrive& operator=(const SmallDrive&) = delete;

  bool mounted() const { return mounted_; }
  const std::string& why() const { return why_; }

 private:
  std::string folder_;
  bool mounted_ = false;
  std::string why_;
};

}  // namespace ruvek::test
