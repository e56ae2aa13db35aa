#pragma once
// The exit statuses a batch and a catalogue file end in: the tables say how they ended, and the
// commands tell a script by these.

#include "cli/exit_status.h"
#include "tables/batch.h"
#include "tables/pipe_catalogue_file.h"

namespace tarnivel {

constexpr ExitStatus ExitStatusOf(BatchOutcome outcome) {
  switch (outcome) {
    case BatchOutcome::AllComputed:
      return kExitOk;
    case BatchOutcome::SomeRowEnded:
      return kExitPrompt;
    case BatchOutcome::Malformed:
      return kExitDataError;
    case BatchOutcome::ReadOrWriteFailed:
      return kExitIoError;
  }
  return kExitIoError;
}

constexpr ExitStatus ExitStatusOf(CatalogueFailure failure) {
  switch (failure) {
    case CatalogueFailure::CannotOpen:
      return kExitNoInput;
    case CatalogueFailure::ReadFailed:
      return kExitIoError;
    case CatalogueFailure::Malformed:
      return kExitDataError;
  }
  return kExitDataError;
}

}  // namespace tarnivel
