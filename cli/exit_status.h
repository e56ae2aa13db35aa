#pragma once
// The exit statuses of the command line and the batch, as scripts see them. Beyond the three
// of a calculation they follow sysexits.h.

namespace tarnivel {

enum ExitStatus : int {
  kExitOk = 0,            // result printed; every batch row computed
  kExitPrompt = 1,        // more data needed; some batch row ended in a request or a fault
  kExitFault = 2,         // an arithmetic fault
  kExitRunsOut = 3,       // drop: the gauge pressure falls to zero before the end of the line
  kExitUsage = 64,        // bad command, option or missing value (EX_USAGE)
  kExitDataError = 65,    // malformed CSV, a header without calc, a bad catalogue (EX_DATAERR)
  kExitNoInput = 66,      // a FILE that cannot be opened (EX_NOINPUT)
  kExitUnavailable = 69,  // no display to open the window on (EX_UNAVAILABLE)
  kExitIoError = 74,      // a read or write error (EX_IOERR)
};

}  // namespace tarnivel
