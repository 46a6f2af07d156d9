#pragma once
// Input pages under test: a page in a window of its own, the record of the
// card its controls build, and the connected model the pages ask about.
//
//     auto mouse = plugInMouse(30);            // a V2 model; 0: no mouse
//     InputPageHost<ForcePress> host;
//     QVERIFY(host.show());
//     auto force = host.build<InputMapAction_Force>();

#include "ConnectedMouse.h"
#include "MapWidget.h"
#include "MouseFunctions.h"

#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>

#include <memory>

template<class Page>
struct InputPageHost
{
    QWidget window;
    Page *page;

    InputPageHost()
        : page(new Page(&window))
    {
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(15, 15, 15, 15);
        layout->addWidget(page);
        layout->addStretch();
    }

    bool show()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    // The new mapping of a card built from the page's controls (null when
    // the card holds another kind of record).
    template<class Record>
    std::shared_ptr<Record> build()
    {
        std::unique_ptr<MapWidget> card(page->createMapWidget());
        return std::dynamic_pointer_cast<Record>(card->configPtr());
    }
};

// The simulated mouse connected as that model (5 and 30 are the V models);
// with 0 the device object exists but no mouse is connected.
inline std::unique_ptr<ConnectedMouse> plugInMouse(int model)
{
    auto mouse = std::make_unique<ConnectedMouse>(model == 0 ? 20 : model);
    if (model == 0)
        mouse->device();
    else
        mouse->connect();
    return mouse;
}
