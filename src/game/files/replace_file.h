#pragma once

// Atomic replacement of the game's own files, through POSIX calls.

#include <cstddef>
#include <cstdint>
#include <string>

enum class SaveResult { Saved, CannotCreate, WriteFailed };

// Writes `size` bytes from `bytes` as the whole file at `path`. The bytes go to
// a temporary file of a unique name beside it, reach the disk, and only then is
// it renamed over the old one, so a failed write leaves the previous file whole.
// A symbolic link is followed and kept; the file's permissions are kept, and a
// new file gets the usual mode (0666 less the process's umask). A target that is
// no regular file, or whose mode bits forbid writing, is refused. After a
// failure errno tells why.
SaveResult ReplaceFile(const std::string& path, const uint8_t* bytes, size_t size);
