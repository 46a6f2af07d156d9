#pragma once

class QObject;

// Sets the x position of the scene item part of an animatable scene object
// (PixmapObject, RectObject, LineObject, EllipseObject and their kin);
// nothing for an object that is no scene item.
void setObjectItemX(QObject *object, int x);
