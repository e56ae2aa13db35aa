#pragma once
// What screen readers get beyond Qt's defaults.
//
// Qt names a text box after the frame around it and a button after its caption; the window
// adds each field's quantity and unit with a description, names the buttons by their action
// and keeps the marker field, hidden on purpose, out of what readers see. Message boxes are
// alerts already (Qt announces them when they show).

#include <QString>
#include <string_view>

#include "core/quantities.h"

struct QMetaObject;

namespace tarnivel {

// Installs, once per program, the accessible view of windows of the class `window`: a child
// widget hidden on purpose is no part of it.
void ExposeToReaders(const QMetaObject& window);

// A field as a reader says it, from its quantity and unit: «压强 MPa», «Pressure, MPa»; the
// quantity alone when it has no unit.
QString SpokenName(std::string_view quantity, std::string_view display_unit);
QString SpokenName(const InputField& input);

}  // namespace tarnivel
