// The four input fields' options and the warning for a value read only in part.

#include "cli/field_options.h"

#include <ostream>
#include <string>

#include "core/numeric.h"
#include "system/report.h"

namespace tarnivel {

void WarnAboutIgnoredText(const InputField& input, std::string_view text, std::ostream& err) {
  WarnAboutIgnoredText(input.name, text, err);
}

void WarnAboutIgnoredText(std::string_view option, std::string_view text, std::ostream& err) {
  const LeadingNumber number = ReadLeadingNumber(text);
  if (number.fault) return;  // the calculation reports it
  if (number.ignored_text) {
    err << IgnoredTextWarning("--" + std::string(option), text, number.value);
  }
}

}  // namespace tarnivel
