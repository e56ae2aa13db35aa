#pragma once
// A usage error: what was wrong with the command line, and where to find help.

#include <iosfwd>
#include <string_view>

#include "cli/exit_status.h"

namespace tarnivel {

// Says what was wrong in two lines, «tarnivel: <what>» and where to find help: the help of
// `command` when one is named, the program's otherwise. Returns kExitUsage.
[[nodiscard]] ExitStatus UsageError(std::ostream& err, std::string_view what,
                                    std::string_view command = {});

}  // namespace tarnivel
