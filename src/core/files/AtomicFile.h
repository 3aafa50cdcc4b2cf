#pragma once
// Whole-file reading and writing for the data files the user saves and opens.
//
// A write goes to a temporary file in the target's folder, is flushed to the disk and closed,
// and only then renamed over the target. The rename replaces the old file in one step, so a
// reader sees either the old file or the new one, never a half-written one; on any failure the
// temporary is removed and the old file stays as it was.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace kelvo {

// Writes `bytes` to `path` as described above. Throws kelvo::InputError with a Chinese
// message naming the file when the folder is missing, the disk refuses the data or the rename
// fails (the target is a folder, for instance).
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The whole content of `path`. A file larger than `maxBytes` is refused before it is read;
// a missing or unreadable file, or a folder, is refused too. Throws kelvo::InputError.
std::string ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes);

}  // namespace kelvo
