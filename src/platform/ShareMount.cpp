#include "platform/ShareMount.h"

#include <sys/stat.h>

namespace ruvek::ui {
namespace {

struct Where {
  dev_t device;
  bool mountPoint;  // on another file system than its parent folder
};

std::optional<Where> Locate(const FileSystem& fs, const std::string& folder) {
  if (folder.empty()) return std::nullopt;
  std::string host = fs.hostPath(folder);
  while (host.size() > 1 && host.back() == '/') host.pop_back();
  struct stat st {
  }, parent{};
  if (::stat(host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
  const bool mountPoint = ::stat((host + "/..").c_str(), &parent) == 0 && parent.st_dev != st.st_dev;
  return Where{st.st_dev, mountPoint};
}

}  // namespace

void ShareMount::note(const FileSystem& fs, const std::string& folder) {
  noted_ = true;
  folder_ = folder;
  const std::optional<Where> where = Locate(fs, folder);
  device_ = where ? std::optional<dev_t>(where->device) : std::nullopt;
  mountPoint_ = where && where->mountPoint;
}

bool ShareMount::reachable(const FileSystem& fs) {
  if (!noted_) return true;
  const std::optional<Where> now = Locate(fs, folder_);
  if (!now) return false;
  if (!device_) {
    device_ = now->device;
    mountPoint_ = now->mountPoint;
  }
  if (now->device == *device_) return true;
  // Mounted anew: the bare mount point it left meanwhile was no mount point.
  if (!mountPoint_ || !now->mountPoint) return false;
  device_ = now->device;
  return true;
}

}  // namespace ruvek::ui
