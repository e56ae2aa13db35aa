// The drop quantities' options: which a command takes, their warnings for a value read in part,
// and blank values read as the defaults.

#include "cli/drop_options.h"

#include <algorithm>

#include "cli/field_options.h"
#include "core/numeric.h"

namespace tarnivel {

std::vector<DropQuantity> DropQuantitiesIn(std::initializer_list<DropRole> roles) {
  std::vector<DropQuantity> quantities;
  for (const DropQuantityInfo& info : kDropQuantities) {
    if (std::ranges::find(roles, info.role) != roles.end()) quantities.push_back(info.quantity);
  }
  return quantities;
}

void WarnAboutIgnoredText(const DropParameters& parameters, std::ostream& err) {
  for (const DropQuantityInfo& info : kDropQuantities) {
    if (const auto& text = parameters[info.quantity]) WarnAboutIgnoredText(info.option, *text, err);
  }
}

void ForgetBlankTexts(DropParameters& parameters) {
  for (std::optional<std::string>& text : parameters.texts) {
    if (text && IsBlankText(*text)) text.reset();
  }
}

}  // namespace tarnivel
