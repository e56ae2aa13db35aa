#pragma once
// `tarnivel batch [FILE]`: a CSV table of calculations, one per row (see batch.h).

#include "cli/command.h"

namespace tarnivel {

Command BatchCommand();

}  // namespace tarnivel
