#pragma once
// A result wider than its box is shown whole, never cut: the box's font shrinks until the text
// fits (down to a legible minimum) and its tooltip holds the whole text.

#include <QString>

class QLabel;
class QLineEdit;

namespace tarnivel {

// The smallest font a result is shrunk to.
inline constexpr double kSmallestResultPointSize = 6;

// Writes `text` into `box`, shrinking the box's font when the text is wider than the box.
void ShowWhole(QLineEdit& box, const QString& text);

// Writes `text` into `label`, which wraps it, shrinking the label's font when the wrapped text is
// taller than the label; its tooltip then holds the whole text.
void ShowWrapped(QLabel& label, const QString& text);

// Gives `box` its ordinary font back as soon as the user edits it.
void RestoreFontOnEdit(QLineEdit& box);

}  // namespace tarnivel
