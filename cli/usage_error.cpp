// The usage error's two lines on standard error.

#include "cli/usage_error.h"

#include <ostream>

#include "system/report.h"

namespace tarnivel {

ExitStatus UsageError(std::ostream& err, std::string_view what, std::string_view command) {
  Report(err, what);
  err << "Try 'tarnivel " << command << (command.empty() ? "" : " ")
      << "--help' for more information.\n";
  return kExitUsage;
}

}  // namespace tarnivel
