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

// The steps of replacing a file, in order. Bytes are written in pieces of at most WritePiece bytes, a
// Write step for each.
enum class ReplaceStep { CreateTemp, Write, FlushFile, CloseFile, Rename, FlushDirectory };
inline constexpr size_t WritePiece = 64 * 1024;

// For tests that stop a replacement part way: called before each step is taken. A non-zero return
// makes that step fail with it as the errno value, as if the system had refused the step. Empty (the
// default) in the game.
using ReplaceStepHook = std::function<int(ReplaceStep)>;
void setReplaceStepHook(ReplaceStepHook hook);

// Writes all bytes to an open file descriptor; returns 0 or an errno value.
using FileWriter = std::function<int(int fd, std::span<const uint8_t> bytes)>;
int writeAllBytes(int fd, std::span<const uint8_t> bytes);

// Name of the copy that a replacement is written to before it takes the file's place.
std::filesystem::path tempPathFor(const std::filesystem::path& file);

// Replaces `file` with `bytes` so that a crash or a failure at any point leaves either the old or the
// new file complete: the bytes go to a temporary file beside it, which is flushed to disk and then
// renamed over the file; the directory is flushed last. On failure the old file is untouched and the
// temporary file is removed. `write` is the step that puts the bytes into the temporary file. When
// only the last step (flushing the directory) fails, the file already holds the new bytes: `replaced`,
// when given, says whether it does.
int replaceFile(const std::filesystem::path& file, std::span<const uint8_t> bytes,
                const FileWriter& write = writeAllBytes, bool* replaced = nullptr);

}  // namespace polmina
