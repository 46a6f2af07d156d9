#include "PageSteps.h"

#include "PageDriver.h"
#include "WidgetDriver.h"

bool perform(const QWidget *root, const Step &step)
{
    switch (step.kind) {
    case Step::PickItem:
        return PageDriver::pickItem(root, step.widget, step.text);
    case Step::PickRow:
        return PageDriver::pickPopupRow(root, step.widget, step.row);
    case Step::Type:
        return PageDriver::typeAndFinish(root, step.widget, step.text);
    case Step::Paste:
        return PageDriver::paste(root, step.widget, step.text);
    case Step::Click:
        return WidgetDriver::click(root, step.widget);
    }
    return false;
}

SignalLog::SignalLog(oawidget *page)
    : released(
        QObject::connect(page, &oawidget::autoReleaseAdd, [this] { events << QStringLiteral("autoReleaseAdd"); }))
    , updated(QObject::connect(page, &oawidget::updated, [this] { events << QStringLiteral("updated"); }))
{}

SignalLog::~SignalLog()
{
    QObject::disconnect(released);
    QObject::disconnect(updated);
}

QStringList SignalLog::take()
{
    const QStringList taken = events;
    events.clear();
    return taken;
}
