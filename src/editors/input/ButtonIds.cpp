#include "ButtonIds.h"

#include <QCoreApplication>
#include <QDebug>

QString ButtonIds::name(int id, bool alternative)
{
    switch (id) {
    case LeftButton:
        return QObject::tr("Left Button");
    case RightButton:
        return QObject::tr("Right Button");
    case MiddleButton:
        return alternative ? QObject::tr("Scroll Wheel") : QObject::tr("Middle Button");
    case BottomThumb:
        return QObject::tr("Bottom Thumb");
    case TopThumb:
        return QObject::tr("Top Thumb");
    case FrontEdge:
        return QObject::tr("Front Edge");
    case RearEdge:
        return QObject::tr("Rear Edge");
    case LeftFingertip:
        return QObject::tr("Left Fingertip");
    case RightFingertip:
        return QObject::tr("Right Fingertip");
    case LeftTriggerPush:
        return alternative ? QObject::tr("Left Trigger") : QObject::tr("Left Trigger Push");
    case LeftTriggerPull:
        return alternative ? QObject::tr("Left Trigger") : QObject::tr("Left Trigger Pull");
    case RightTriggerPush:
        return alternative ? QObject::tr("Right Trigger") : QObject::tr("Right Trigger Push");
    case RightTriggerPull:
        return alternative ? QObject::tr("Right Trigger") : QObject::tr("Right Trigger Pull");
    case None:
        qWarning("ButtonIds: trying to get None button!");
        return QString();
    default:
        return QString();
    }
}
