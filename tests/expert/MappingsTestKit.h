#pragma once
// What the tests of the mapping page and its output panel share: mappings
// made by kind, the profiles the page shows, the page as the profile page
// makes it, and the cards found and clicked as a user would.

#include "ConnectedMouse.h"
#include "CurrentPage.h"
#include "DialogAnswerer.h"
#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Scroll.h"
#include "MapWidget.h"
#include "Mappings.h"
#include "PackageCreator.h"
#include "ProcessStateGuard.h"
#include "SettingsFile.h"
#include "SettingsTestKit.h"
#include "WidgetDriver.h"

#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTextDocumentFragment>
#include <QtTest>

#include <memory>
#include <optional>

namespace MappingsTestKit {

inline InputMapPtr button(int id)
{
    auto mapping = std::make_shared<InputMapAction_Button>();
    mapping->buttonId = id;
    return mapping;
}

inline InputMapPtr scroll(int direction)
{
    auto mapping = std::make_shared<InputMapAction_Scroll>();
    mapping->wheelDirection = direction;
    return mapping;
}

// A tilt region on the positive side (starting at 0), or a tilt range.
inline InputMapPtr tilt(int type, int axis)
{
    auto mapping = std::make_shared<InputMapAction_Angle>(type);
    mapping->axis = axis;
    mapping->entryEnd = 1680;
    mapping->exitEnd = 1690;
    return mapping;
}

inline InputMapPtr force(int buttonId)
{
    auto mapping = std::make_shared<InputMapAction_Force>();
    mapping->buttonId = buttonId;
    mapping->entryStart = 500;
    mapping->exitStart = 400;
    return mapping;
}

// A top-level profile "Work" with a sub-profile "Play", which is current
// and holds maps.
inline ProfileData *subProfileWith(const InputMapList &maps)
{
    PackageCreator *model = PackageCreator::instance();
    model->addProfile(255, 255, QStringLiteral("Global"));
    model->addProfile(1, 255, QStringLiteral("Work"));
    ProfileData *play = model->addProfile(1, 0, QStringLiteral("Play"));
    model->setCurrentProfile(play);
    play->inputMaps = maps;
    model->loading = false;
    return play;
}

inline void writeSetting(const char *key, bool value)
{
    QSettings(SettingsFile::path(), QSettings::IniFormat).setValue(QLatin1String(key), value);
}

// The page in a window, as the profile page makes it for a sub-profile
// (or, with global, for the Global profile), loaded and showing nothing
// pending from the other view.
struct MappingsHost
{
    Mappings *page = new Mappings;
    SettingsTestKit::Host host{page, QSize(1000, 600), true};

    explicit MappingsHost(bool global = false)
    {
        CurrentPage::instance()->page = 0;
        if (global)
            page->setGlobal(true);
        else
            page->setParentName(QStringLiteral("Work"));
        page->load();
    }
    bool show() { return host.show(); }
};

// Lets the page lay out what it just changed (new cards are shown and laid
// out once control returns to the event loop), then grabs its window.
inline void grabPage(Mappings *page, const QString &name)
{
    QTest::qWait(30);
    WidgetDriver::grabToPng(page->window(), name);
}

// What both test classes hold from init() to cleanup(): the process-wide
// objects reset, a mouse of one model connected, and the page in its window.
class MappingsTest : public QObject
{
protected:
    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> mouse;
    std::unique_ptr<MappingsHost> host;

    static PackageCreator *model() { return PackageCreator::instance(); }
    Mappings *page() const { return host->page; }
    QWidget *part(const char *name) const { return WidgetDriver::child(page(), name); }

    // From a clean process, with the mouse connected as model pid.
    void begin(int pid)
    {
        clean.emplace();
        connectMouse(pid);
    }
    void end()
    {
        host.reset();
        mouse.reset();
        clean.reset();
    }
    // Another model plugged in instead.
    void connectMouse(int pid)
    {
        mouse.reset();
        mouse = std::make_unique<ConnectedMouse>(pid);
        mouse->connect();
    }
    void makePage(bool global = false)
    {
        host = std::make_unique<MappingsHost>(global);
        QVERIFY(host->show());
    }
};

inline int buttonIdOf(const MapWidget *card)
{
    const auto *mapping = dynamic_cast<const InputMapAction_Button *>(card->config());
    return mapping ? mapping->buttonId : -1;
}

// The top-level card of a button, or null.
inline MapWidget *buttonCard(Mappings *page, int id)
{
    for (MapWidget *card : page->topLevelCards()) {
        if (buttonIdOf(card) == id)
            return card;
    }
    return nullptr;
}

inline QList<int> typesOf(const InputMapList &maps)
{
    QList<int> types;
    for (const InputMapPtr &mapping : maps)
        types << mapping->inputType;
    return types;
}

// The button ids of the top-level button mappings, in list order.
inline QList<int> buttonIdsOf(const InputMapList &maps)
{
    QList<int> ids;
    for (const InputMapPtr &mapping : maps) {
        if (auto *typed = dynamic_cast<const InputMapAction_Button *>(mapping.get()))
            ids << typed->buttonId;
    }
    return ids;
}

inline QList<int> storedButtonIds()
{
    return buttonIdsOf(PackageCreator::instance()->currentInputMaps());
}

// A click on one of the card's own rows: "pushButton_topRight" the press
// summary, "pushButton_botRight" the release summary, "pushButton_topLeft"
// the input.
inline bool clickCard(const MapWidget *card, const char *part)
{
    for (auto *button : card->findChildren<QPushButton *>(QLatin1String(part))) {
        if (button->parentWidget() && button->window() == card->window()) {
            // The card's own row, not a nested card's.
            const QWidget *owner = button;
            while (owner && !qobject_cast<const MapWidget *>(owner))
                owner = owner->parentWidget();
            if (owner == card) {
                QTest::mouseClick(button, Qt::LeftButton);
                return true;
            }
        }
    }
    return false;
}

// An answer to the page's message box: notes its plain text, then clicks the
// button ("pushButton_yes" the first, "pushButton_no" the second).
inline DialogAnswerer::Answer answerBox(const char *button, QString *text)
{
    return [button, text](QWidget *box) {
        if (auto *label = WidgetDriver::child<QLabel>(box, QStringLiteral("label_text")))
            *text = QTextDocumentFragment::fromHtml(label->text()).toPlainText();
        WidgetDriver::click(box, QLatin1String(button));
    };
}

} // namespace MappingsTestKit
