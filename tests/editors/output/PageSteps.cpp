#include "PageSteps.h"

#include "PageDriver.h"
#include "WidgetDriver.h"

#include <QDebug>

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

bool performAll(const QWidget *root, const Steps &steps)
{
    for (const Step &step : steps) {
        if (!perform(root, step)) {
            qWarning().noquote() << "PageSteps: could not do the step on" << step.widget;
            return false;
        }
    }
    return true;
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
