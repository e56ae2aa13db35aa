// Opens a FILE named on the command line for reading, as POSIX opens it.

#include "system/input_file.h"

#include <fcntl.h>

#include <cerrno>

#include "system/report.h"

namespace tarnivel {

std::unique_ptr<FdInputBuffer> OpenInputFile(const std::string& path, std::ostream& err) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    ReportFileError(err, path, errno);
    return nullptr;
  }
  return std::make_unique<FdInputBuffer>(fd, /*owns=*/true);
}

}  // namespace tarnivel
