#pragma once
// The parts every kind of sheet is built from: its words in the sheet's language, the method's
// steps with their sources, and the gas and wall parameters with their defaults marked.

#include <string>
#include <string_view>
#include <vector>

#include "core/pressure_drop.h"
#include "core/sheet/sheet.h"

namespace tarnivel::sheet_parts {

// The text of `phrase` in `language`, as a string.
inline std::string Say(SheetLanguage language, SheetPhrase phrase) {
  return std::string(phrase.In(language));
}

// «0.3» for a number as the command line prints it.
std::string Number(double value);
// The number a typed text is read as, as the command line prints it.
std::string NumberOfText(std::string_view text);
// «合格» / «passed», «不合格» / «failed».
std::string Verdict(SheetLanguage language, bool passed);
// A drop quantity's name as the sheet shows it: the window's word, or the help's words.
std::string LabelOf(SheetLanguage language, const DropQuantityInfo& info);
// A friction band's name: «紊流 Re > 3500» / «turbulent, Re > 3500».
std::string BandName(SheetLanguage language, FrictionRegime regime);
std::string FormName(SheetLanguage language, PressureForm form);

// The steps of the pressure drop's method (GB 50028 §6.2): the Reynolds number, the three
// friction bands, the form `form` the inlet pressure selects, and the constants.
void AddDropMethod(Sheet& sheet, PressureForm form);

// The gas and wall parameters of `gas` (not the length), each marked as the default when
// `given` has no text for it. `roughness` false leaves the wall's out (a series brings its own).
void AddGasParameters(Sheet& sheet, const DropCase& gas, const DropParameters& given,
                      bool roughness);

// A check whose value must be at most `limit`.
SheetCheck AtMost(std::string what, double limit, std::string value_text, double value,
                  std::string_view unit);

}  // namespace tarnivel::sheet_parts
