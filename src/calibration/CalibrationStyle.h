#pragma once
// What the calibration dialogs' style sheets select on.

#include <QString>

namespace CalibrationStyle {

// The per-model key of the "m" property: "tamsel" for model 10, "pelkin" for
// 20, "v" for every other model.
QString modelKey(int productId);

} // namespace CalibrationStyle
