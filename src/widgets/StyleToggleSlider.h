#pragma once
// On/off switches are sliders of range 0 to 1. This sets one to on (1) or
// off (0) without emitting anything, so only the user's own moves reach its
// receivers, and gives it the green or red look.

class QAbstractSlider;

void styleToggleSlider(QAbstractSlider *slider, bool on);
