#pragma once
// What screen readers get beyond Qt's defaults.
//
// Qt names a text box after the frame around it and a button after its caption; the window
// adds each field's quantity and unit with a description, names the buttons by their action
// and keeps the marker field, hidden on purpose, out of what readers see. Message boxes are
// alerts already (Qt announces them when they show).

#include <QString>

namespace tarnivel {

// Installs, once per program, the accessible view of the window: a child widget hidden on
// purpose is no part of it.
void ExposeToReaders();

// A frame caption as a reader says it: "压强（MPa）" -> "压强 MPa", "Pressure (MPa)" ->
// "Pressure, MPa". A caption without a unit in brackets is said as it is.
QString SpokenName(const QString& caption);

// The quantity of a frame caption: "压强（MPa）" -> "压强".
QString SpokenQuantity(const QString& caption);

}  // namespace tarnivel
