#pragma once
// A file written whole or not at all: its contents go to a temporary file in the same folder,
// which then takes the file's name, so that a reader never finds half a file and a failed
// write leaves whatever was there before.

#include <string>
#include <string_view>

namespace tarnivel {

// Writes `contents` as the file at `path`, which may exist (it is replaced) or not (it is
// created with the permissions the umask allows). Returns 0, or the errno of the step that
// failed, having removed the temporary file.
[[nodiscard]] int WriteWholeFile(const std::string& path, std::string_view contents);

}  // namespace tarnivel
