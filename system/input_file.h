#pragma once
// A FILE named on the command line, opened for reading; when it cannot be, the message says
// which and why.

#include <iosfwd>
#include <memory>
#include <string>

#include "system/fd_input.h"

namespace tarnivel {

// The file at `path`, read as it arrives; nullptr, once «tarnivel: FILE: <system message>»
// has been written to `err`, when it cannot be opened.
std::unique_ptr<FdInputBuffer> OpenInputFile(const std::string& path, std::ostream& err);

}  // namespace tarnivel
