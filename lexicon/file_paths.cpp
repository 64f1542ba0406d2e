#include "lexicon/file_paths.h"

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace tarvo {
namespace {

// Links followed before giving up, as the kernel does.
constexpr int kMaxLinks = 40;
// Room left in a file name for the dot and tag of a helper file.
constexpr std::size_t kMaxTaggedNameLength = 200;

bool ReadLink(const std::string& path, std::string* content) {
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (length < 0) return false;
    if (static_cast<std::size_t>(length) < buffer.size()) {
      buffer.resize(static_cast<std::size_t>(length));
      *content = std::move(buffer);
      return true;
    }
    buffer.resize(buffer.size() * 2);
  }
}

// The kernel's protected_symlinks rule, which reading the link by hand would
// bypass: in a sticky world-writable folder such as /tmp, only a link owned
// by this process's user or by the folder's owner is followed, so that
// nobody can plant a link there that turns a save into a write elsewhere.
bool MayFollow(const std::string& link, const struct stat& link_info) {
  if (link_info.st_uid == ::geteuid()) return true;
  struct stat folder;
  if (::stat(FolderOf(link).c_str(), &folder) != 0) return false;
  const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
  return !shared || link_info.st_uid == folder.st_uid;
}

// Links under /proc (/proc/self/fd/N, /proc/PID/cwd) name open files and
// may point to pipes or deleted files: only the kernel can follow them.
bool IsKernelLink(const std::string& path) { return path.rfind("/proc/", 0) == 0; }

}  // namespace

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

int ResolveSymlinks(const std::string& path, std::string* target) {
  std::string current = path;
  for (int links = 0;; ++links) {
    struct stat info;
    if (::lstat(current.c_str(), &info) != 0) {
      if (errno != ENOENT) return errno;
      break;  // nothing there yet: the file to create
    }
    if (!S_ISLNK(info.st_mode) || IsKernelLink(current)) break;
    if (links == kMaxLinks) return ELOOP;
    if (!MayFollow(current, info)) return EACCES;
    std::string link;
    if (!ReadLink(current, &link)) return errno;
    current = !link.empty() && link.front() == '/' ? link : FolderOf(current) + "/" + link;
  }
  *target = current;
  return 0;
}

std::string HiddenSiblingName(const std::string& path, const std::string& tag) {
  const std::string name = NameOf(path).substr(0, kMaxTaggedNameLength);
  return FolderOf(path) + "/." + name + "." + tag;
}

}  // namespace tarvo
