// Paths of the files a save touches: the file a path finally names, and the
// names of the helper files made beside it.
#pragma once

#include <string>

namespace tarvo {

// The folder part of a path ("." when it has none) and the last component.
std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);

// Follows symbolic links, chains and relative ones included, to the file
// that is to be written. *target receives a path that is not a link, that
// names nothing yet (the link dangles: saving creates the file it names), or
// that is a link the kernel resolves itself, such as /dev/stdout's
// /proc/self/fd/1, whose target is no ordinary path. Returns 0 or an errno:
// ELOOP for too many links, EACCES for a link that the kernel's
// protected_symlinks rule would not follow either.
int ResolveSymlinks(const std::string& path, std::string* target);

// A hidden name beside `path`: ".NAME.tag", with NAME shortened so that the
// result stays within the length of a file name.
std::string HiddenSiblingName(const std::string& path, const std::string& tag);

}  // namespace tarvo
