#include "os/ShareMount.h"

#include "os/Os.h"

namespace ruvek::os {
namespace {

// A folder that names no place on this computer (not a full path) has no
// host folder: it is never reachable.
std::string HostFolder(const FileSystem& fs, const std::string& folder) {
  std::string host;
  try {
    host = fs.hostPath(folder);
  } catch (const FileError&) {
    return {};
  }
  while (host.size() > 1 && (host.back() == '/' || host.back() == '\\') && host[host.size() - 2] != ':')
    host.pop_back();
  return host;
}

std::optional<std::uint64_t> DeviceOf(const std::string& host) { return os::FolderVolume(host); }

}  // namespace

void ShareMount::note(const FileSystem& fs, const std::string& folder) {
  verdict_.reset();
  noted_ = true;
  folder_ = folder;
  const std::string host = folder.empty() ? std::string() : HostFolder(fs, folder);
  device_ = DeviceOf(host);
  mountPoint_ = device_ && IsMountPoint(host, *device_);
}

bool ShareMount::reachable(const FileSystem& fs) {
  if (!verdict_) verdict_ = look(fs);
  return *verdict_;
}

bool ShareMount::look(const FileSystem& fs) {
  if (!noted_) return true;
  const std::string host = folder_.empty() ? std::string() : HostFolder(fs, folder_);
  const std::optional<std::uint64_t> now = DeviceOf(host);
  if (!now) return false;
  if (now == device_) return true;
  if (!device_) {
    device_ = now;
    mountPoint_ = IsMountPoint(host, *now);
    return true;
  }
  // Mounted anew: the bare mount point it left meanwhile was no mount point.
  if (!mountPoint_ || !IsMountPoint(host, *now)) return false;
  device_ = now;
  return true;
}

}  // namespace ruvek::os
