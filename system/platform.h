#pragma once
// What the system layer asks of the operating system, in one place: reading and writing file
// descriptors, opening a FILE, the program's own path, the standard streams, and loading a
// library. platform_posix.cpp and platform_win32.cpp each give all of it for their system;
// the layers above never include a system header of their own.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace tarnivel {

// Reads up to `size` bytes, retrying an interrupted read: how many were read, 0 at the end of
// the input, or -1 with the errno in `error`.
[[nodiscard]] std::ptrdiff_t ReadDescriptor(int fd, char* data, std::size_t size, int& error);
// Writes up to `size` bytes, retrying an interrupted write: how many went out, or -1 with the
// errno in `error`.
[[nodiscard]] std::ptrdiff_t WriteDescriptor(int fd, const char* data, std::size_t size,
                                             int& error);
// The bytes that can be read without waiting (a pipe's, a terminal's, the rest of a file);
// 0 where the system cannot tell.
[[nodiscard]] std::size_t ReadyBytes(int fd);
void CloseDescriptor(int fd);
// `path` (UTF-8) opened for reading; -1 with the errno in `error` when it cannot be.
[[nodiscard]] int OpenForReading(const std::string& path, int& error);

// Standard input, output and error as the command line wants them: bytes passed through
// unchanged (no newline translation), UTF-8 on a console, and a reader that closes the pipe
// early ending the program quietly, as with any Unix tool.
void PrepareStandardStreams();

// The program's own file; empty when the system cannot tell.
[[nodiscard]] std::filesystem::path ProgramPath();

// The function `name` of the library at `path`, loaded by that full path and never unloaded;
// nullptr, with the system's reason in `why`, when either cannot be found.
[[nodiscard]] void* LoadLibraryFunction(const std::filesystem::path& path, const char* name,
                                        std::string& why);

#ifdef _WIN32
// The program's arguments, given by Windows in UTF-16, as UTF-8 (without the program's name).
[[nodiscard]] std::vector<std::string> Utf8Arguments(int argc, const wchar_t* const* argv);
// The errno that says what Windows' error `reason` (GetLastError) means.
[[nodiscard]] int ErrnoOf(unsigned long reason);
// `text` (UTF-8) as UTF-16 in `wide`; false for text that is not UTF-8, which names no file.
[[nodiscard]] bool WideFromUtf8(const std::string& text, std::wstring& wide);
#endif

}  // namespace tarnivel
