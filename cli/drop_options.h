#pragma once
// The options of the pressure drop's quantities (core/pressure_drop.h: kDropQuantities), as
// every command that reads them names them: drop reads the line's parameters, pipe those and
// the limit on the drop.

#include <initializer_list>
#include <iosfwd>
#include <vector>

#include "cli/options.h"
#include "core/pressure_drop.h"

namespace tarnivel {

// The quantities of `roles`, in the order of kDropQuantities.
std::vector<DropQuantity> DropQuantitiesIn(std::initializer_list<DropRole> roles);

// «-l, --length=TEXT   line length, m»
constexpr OptionSpec DropOption(const DropQuantityInfo& info) {
  return {info.option, info.short_option, "TEXT", info.words, info.unit};
}

// The warning for each value of `parameters` read only in part.
void WarnAboutIgnoredText(const DropParameters& parameters, std::ostream& err);

// Forgets every blank text of `parameters`: a blank value is the option's default, as an empty
// field or cell is, and a blank roughness leaves a series' own.
void ForgetBlankTexts(DropParameters& parameters);

}  // namespace tarnivel
