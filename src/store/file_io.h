#pragma once
// Whole-file reads and crash-safe replacement of a file. Errors come back as errno values (0 = fine).
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <vector>

namespace polmina {

// Reads the whole file into `out`. ENOENT when it does not exist.
int readWholeFile(const std::filesystem::path& file, std::vector<uint8_t>& out);

// Writes all bytes to an open file descriptor; returns 0 or an errno value.
using FileWriter = std::function<int(int fd, std::span<const uint8_t> bytes)>;
int writeAllBytes(int fd, std::span<const uint8_t> bytes);

// Name of the copy that a replacement is written to before it takes the file's place.
std::filesystem::path tempPathFor(const std::filesystem::path& file);

// Replaces `file` with `bytes` so that a crash or a failure at any point leaves either the old or the
// new file complete: the bytes go to a temporary file beside it, which is flushed to disk and then
// renamed over the file; the directory is flushed last. On failure the old file is untouched and the
// temporary file is removed. `write` is the step that puts the bytes into the temporary file.
int replaceFile(const std::filesystem::path& file, std::span<const uint8_t> bytes,
                const FileWriter& write = writeAllBytes);

}  // namespace polmina
