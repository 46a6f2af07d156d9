#pragma once
// The style sheets select on dynamic properties ("m", "frame_type",
// "label_style", ...). These set them on several widgets at once and make a
// change take effect on a widget that is already polished.

#include <QVariant>

#include <initializer_list>

class QWidget;

namespace StyleProperties {

// The model key ("v", "tamsel", "pelkin" or empty) that the per-model rules
// select on.
inline constexpr const char *modelKey = "m";

void set(std::initializer_list<QWidget *> widgets, const char *name, const QVariant &value);
// Unpolishes and polishes the widget again, so that rules on a property just
// changed apply at once.
void repolish(QWidget *widget);
// Repolishes a widget already polished; one not yet polished takes its new
// properties when it first is, and is left alone.
void restyle(QWidget *widget);

} // namespace StyleProperties
