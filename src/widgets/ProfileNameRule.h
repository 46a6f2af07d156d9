#pragma once
// The check a new profile name passes before the name dialog hands it on.

#include <QString>
#include <QStringList>

namespace ProfileNameRule {

// Modes of the name dialog.
enum Mode { Rename = 0, Add = 1 };

// The refusal text names the number.
inline constexpr int maxLength = 18;

// Why text cannot be taken, translated; empty when it can. Blanks only are
// empty; the length counts the blanks around the name; a rename may not take
// an existing name, while adding under one is allowed.
QString refusal(const QString &text, int mode, const QStringList &existingNames);

} // namespace ProfileNameRule
