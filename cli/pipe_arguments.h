#pragma once
// `tarnivel pipe` as a row of the command table: its options and help, and their reading into
// the PipeRequest that RunPipe sizes (pipe_command.h).

#include "cli/command.h"

namespace tarnivel {

Command PipeCommand();

}  // namespace tarnivel
