// Opens a FILE named on the command line for reading.

#include "system/input_file.h"

#include "system/platform.h"
#include "system/report.h"

namespace tarnivel {

std::unique_ptr<FdInputBuffer> OpenInputFile(const std::string& path, std::ostream& err) {
  int error = 0;
  const int fd = OpenForReading(path, error);
  if (fd < 0) {
    ReportFileError(err, path, error);
    return nullptr;
  }
  return std::make_unique<FdInputBuffer>(fd, /*owns=*/true);
}

}  // namespace tarnivel
