#pragma once

// Bounded reads of the game's own files, through POSIX calls.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// True for a regular file (after links); a FIFO, a device or a folder is no file.
bool FileExists(const std::string& path);

// False when the file cannot be opened or read. Only regular files are opened
// (never a FIFO, a device or a folder). ReadFileStart reads at most `limit`
// bytes, whatever the file's size.
bool ReadFileStart(const std::string& path, size_t limit, std::vector<uint8_t>& bytes);
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);
