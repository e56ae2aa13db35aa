#pragma once
// The exit statuses of the command line and the batch, as scripts see them, with what each
// means: every help's "Exit status" lines and the man page are written from kExitStatuses.
// Beyond those of a calculation, a sizing and a drop they follow sysexits.h.

#include <array>
#include <string_view>

namespace tarnivel {

enum ExitStatus : int {
  kExitOk = 0,            // result printed; every batch row computed
  kExitPrompt = 1,        // more data needed, an input out of range; some batch row ended so
  kExitFault = 2,         // an arithmetic fault, in a calculation or a step of the drop's
  kExitRunsOut = 3,       // drop: the gauge pressure falls to zero before the end of the line
  kExitNoPipe = 4,        // pipe: no pipe with the bore required; line: over the allowed drop
  kExitUsage = 64,        // bad command, option or missing value (EX_USAGE)
  kExitDataError = 65,    // malformed CSV, a header without calc, a bad catalogue (EX_DATAERR)
  kExitNoInput = 66,      // a FILE that cannot be opened (EX_NOINPUT)
  kExitUnavailable = 69,  // the window cannot open: no display, or its library is missing
  kExitOutOfMemory = 71,  // memory ran out (EX_OSERR)
  kExitIoError = 74,      // a read or write error (EX_IOERR)
};

struct ExitStatusMeaning {
  ExitStatus status;
  std::string_view meaning;  // for the help, in a phrase
  // What it means for a batch, where a row's outcome is in its message and the run goes on;
  // empty where the meaning is the same.
  std::string_view batch = {};
};

inline constexpr std::array<ExitStatusMeaning, 11> kExitStatuses{{
    {kExitOk, "success", "every row computed"},
    {kExitPrompt, "more data needed, or an input out of range, said before any output",
     "some row ended in a request, a fault, an input out of range, an unknown calc or series, "
     "no pipe, or a pressure that runs out"},
    {kExitFault,
     "arithmetic fault: overflow, division by zero, invalid argument, or a Reynolds number or "
     "friction factor beyond the double range"},
    {kExitRunsOut, "the gauge pressure falls to zero before the end of the line"},
    {kExitNoPipe,
     "a series shown has no pipe with the bore required (or within the drop allowed); a line "
     "over its allowed drop, or with no pipe of a series within its unit budget"},
    {kExitUsage, "usage error"},
    {kExitDataError,
     "malformed input: CSV, a header without calc or naming a column twice, a catalogue; or "
     "input over its limit"},
    {kExitNoInput, "FILE cannot be opened"},
    {kExitUnavailable,
     "the window cannot be opened, or a PDF sheet written (no display, or the window's library "
     "is missing)"},
    {kExitOutOfMemory, "out of memory"},
    {kExitIoError, "read or write error"},
}};

}  // namespace tarnivel
