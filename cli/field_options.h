#pragma once
// The options of the four input fields, as every command that reads them names them, and the
// warning for a value read only in part.

#include <iosfwd>
#include <string_view>

#include "cli/options.h"
#include "core/quantities.h"

namespace tarnivel {

// «-p, --pressure=TEXT   gauge pressure, MPa»
constexpr OptionSpec FieldOption(const InputField& input) {
  return {input.name, input.short_option, "TEXT", input.words, input.unit};
}

// Tells the user when an option's value held characters the number reading passed over, so
// that a script never computes silently with «1,000» read as 1.
void WarnAboutIgnoredText(const InputField& input, std::string_view text, std::ostream& err);
// The same for any option: `option` is its long name, without the dashes.
void WarnAboutIgnoredText(std::string_view option, std::string_view text, std::ostream& err);

}  // namespace tarnivel
