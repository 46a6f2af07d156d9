// The compiled resource tree: every file of the manifest opens at its size,
// every file the program names is in the manifest, the typing animation
// plays as it should, and the font is the one the sheets name.
#include "AppFont.h"
#include "IconPixObject.h"
#include "PictureManifest.h"

#include <QApplication>
#include <QImageReader>
#include <QMovie>
#include <QResource>
#include <QtTest>

namespace {

struct Group
{
    const char *folder;
    const char *names; // blank-separated, without ".png"
    int width, height;
};

// The files other parts of the program open by path, by folder and size.
const Group namedFiles[] = {
    {"ico/", "AppIcon_128", 128, 128},
    {"pic/", "mouse_v mouse_v2 mouse_pelkin mouse_tamsel no_mouse", 885, 1091},
    {"pic/", "v_logo", 34, 42},
    {"pic/", "v2_logo", 43, 43},
    {"pic/", "pelkin_logo tamsel_logo", 42, 42},
    {"pic/",
     "analog_pivot_left analog_pivot_right analog_tilt_back analog_tilt_forward analog_tilt_left analog_tilt_right "
     "analog_pivot_left_white analog_pivot_right_white analog_tilt_back_white analog_tilt_forward_white "
     "analog_tilt_left_white analog_tilt_right_white",
     50, 50},
    {"pic/", "mappings_active mappings_hover mappings_select", 24, 15},
    {"pic/", "settings_active settings_hover settings_select", 20, 21},
    {"pic/", "tilt_forward_back_active tilt_forward_back_hover tilt_forward_back_select", 48, 28},
    {"pic/", "tilt_left_right_active tilt_left_right_hover tilt_left_right_select", 42, 28},
    {"pic/", "check_20 transparent_20", 20, 20},
    {"pic/", "checkbox_checked checkbox_unchecked", 13, 13},
    {"pic/", "check_update", 15, 16},
    {"pic/", "circle_16", 16, 16},
    {"pic/", "circle_color", 24, 24},
    {"pic/", "picker", 14, 14},
    {"pic/", "color_editor_frame", 293, 380},
    {"pic/", "toggle_ok toggle_nok", 30, 28},
    {"pic/",
     "close_button_10 drag_button_10 duplicate_button_10 close_button_10_active drag_button_10_active "
     "duplicate_button_10_active",
     10, 10},
    {"pic/", "down_arrow down_arrow_profile down_arrow_profile_hover down_arrow_profile_select", 13, 7},
    {"pic/", "left_arrow left_arrow_hover right_arrow right_arrow_hover", 7, 14},
    {"pic/", "left_arrow_gray right_arrow_clean right_arrow_gray help_button help_button_active", 7, 12},
    {"pic/", "combo_down_arrow_hover combo_down_arrow_yellow", 9, 9},
    {"pic/", "dots_horizontal dots_vertical dots_vertical_hover", 15, 15},
    {"pic/", "humb_menu_big humb_menu_big_hover", 17, 13},
    {"pic/", "humb_menu_small humb_menu_small_hover", 12, 9},
    {"pic/", "plus plus_hover", 16, 14},
    {"pic/", "record_button_yellow", 16, 11},
    {"pic/", "rename_pen_yellow", 16, 15},
    {"pic/simple_mode/", "no_mouse", 1308, 1008},
    {"pic/simple_mode/v/", "checkbox_checked checkbox_unchecked", 20, 20},
    {"pic/simple_mode/v/", "cross cross_hover left_arrow", 10, 10},
    {"pic/simple_mode/v/", "cross_8", 8, 8},
    {"pic/simple_mode/v/", "cross_9", 9, 9},
    {"pic/simple_mode/v/", "slider_handle", 22, 22},
    {"pic/simple_mode/v/mouse_scene/", "mouse_with_logo v2_with_logo", 1308, 1008},
    {"pic/simple_mode/v/profile_bar/", "create", 16, 17},
    {"pic/simple_mode/v/profile_bar/", "default_20 noimage_20", 20, 20},
    {"pic/simple_mode/v/profile_bar/", "del_img", 13, 15},
    {"pic/simple_mode/v/profile_bar/", "edit_img", 14, 15},
    {"pic/simple_mode/v/profile_bar/", "home home_active", 21, 17},
    {"pic/simple_mode/v/profile_bar/", "image_holder", 36, 36},
    {"pic/simple_mode/v/profile_bar/", "left_arrow left_arrow_click right_arrow right_arrow_click", 10, 10},
    {"pic/simple_mode/v/profile_bar/", "manage", 17, 18},
    {"pic/simple_mode/v/profile_bar/", "menu_arrow_down menu_arrow_up", 9, 7},
    {"pic/simple_mode/v/profile_bar/", "plus_13", 13, 13},
    {"pic/simple_mode/v/profile_bar/", "search_profile_ico", 32, 32},
    {"pic/simple_mode/v/profile_bar/", "subprofile_collapse subprofile_expand", 7, 10},
    {"pic/simple_mode/v/quick_view/", "branch_arrow_down branch_arrow_right", 9, 9},
    {"pic/simple_mode/v/quick_view/", "combo_down_arrow combo_down_arrow_on", 9, 7},
    {"pic/simple_mode/v/quick_view/", "drag drag_hover", 10, 10},
    {"pic/simple_mode/v/quick_view/", "input_left_arrow", 7, 10},
    {"pic/simple_mode/v/quick_view/", "record_button record_button_hover", 16, 11},
    {"pic/simple_mode/v/quick_view/", "rename_pen", 16, 15},
    {"pic/simple_mode/v/quick_view/", "vibration_accept vibration_accept_hover", 12, 10},
    {"pic/simple_mode/v/quick_view/", "vibration_feedback_button vibration_feedback_button_hover", 21, 15},
    {"pic/simple_mode/v/side_bar/", "info info_click info_hover menu menu_click menu_hover", 20, 21},
    {"pic/simple_mode/v/side_bar/", "mouse mouse_click mouse_hover", 19, 22},
    {"pic/simple_mode/v/side_bar/", "v_logo v2_logo", 43, 237},
    {"pic/simple_mode/pelkin/", "background", 1366, 768},
    {"pic/simple_mode/pelkin/", "checkbox_checked checkbox_unchecked", 20, 20},
    {"pic/simple_mode/pelkin/mouse_scene/", "mouse_with_logo", 1308, 1008},
    {"pic/simple_mode/pelkin/side_bar/", "pelkin_logo", 43, 237},
    {"pic/simple_mode/tamsel/", "background", 1366, 768},
    {"pic/simple_mode/tamsel/", "cross_hover", 10, 10},
    {"pic/simple_mode/tamsel/", "slider_handle", 7, 21},
    {"pic/simple_mode/tamsel/mouse_scene/", "mouse", 1308, 1008},
    {"pic/simple_mode/tamsel/profile_bar/", "create", 16, 17},
    {"pic/simple_mode/tamsel/profile_bar/", "home", 21, 17},
    {"pic/simple_mode/tamsel/profile_bar/", "image_holder", 36, 36},
    {"pic/simple_mode/tamsel/profile_bar/", "manage", 17, 18},
    {"pic/simple_mode/tamsel/profile_bar/", "menu_arrow_down menu_arrow_up", 9, 7},
    {"pic/simple_mode/tamsel/quick_view/", "combo_down_arrow combo_down_arrow_on", 9, 9},
    {"pic/simple_mode/tamsel/quick_view/", "drag_hover", 10, 10},
    {"pic/simple_mode/tamsel/quick_view/", "record_button_hover", 16, 11},
    {"pic/simple_mode/tamsel/quick_view/", "rename_pen", 16, 15},
    {"pic/simple_mode/tamsel/quick_view/", "vibration_accept_hover", 12, 10},
    {"pic/simple_mode/tamsel/quick_view/", "vibration_feedback_button_hover", 21, 15},
    {"pic/simple_mode/tamsel/side_bar/", "info info_click menu menu_click", 20, 21},
    {"pic/simple_mode/tamsel/side_bar/", "mouse mouse_click", 19, 22},
    {"pic/simple_mode/tamsel/side_bar/", "tamsel_logo", 43, 237},
};

// The simple view's input bar loads each gesture in black and white.
const char *const barGestures[] = {"force_press", "move_any",       "move_left",   "move_right",   "move_down",
                                   "move_up",     "scroll_forward", "scroll_back", "scroll_all",   "push",
                                   "pull",        "tilt_left",      "tilt_right",  "tilt_forward", "tilt_back",
                                   "pivot_left",  "pivot_right"};

const char *const typingPath = ":/pic/simple_mode/v/quick_view/typing.gif";

// The delays a GIF file gives its frames, in milliseconds, from its graphic
// control extensions; empty when the file does not read as a GIF.
QVector<int> gifDelays(const QByteArray &gif)
{
    QVector<int> delays;
    const auto byte = [&](int at) { return at < gif.size() ? int(uchar(gif[at])) : -1; };
    if (!gif.startsWith("GIF89a") || gif.size() < 13)
        return {};
    int at = 13;
    if (byte(10) & 0x80)
        at += 3 * (2 << (byte(10) & 7)); // global colour table
    const auto skipSubBlocks = [&] {
        while (byte(at) > 0)
            at += byte(at) + 1;
        ++at;
    };
    while (at < gif.size()) {
        const int block = byte(at);
        if (block == 0x3b)
            return delays;
        if (block == 0x21) {
            if (byte(at + 1) == 0xf9)
                delays.append(10 * (byte(at + 4) | (byte(at + 5) << 8)));
            at += 2;
            skipSubBlocks();
        } else if (block == 0x2c) {
            const int flags = byte(at + 9);
            at += 10;
            if (flags & 0x80)
                at += 3 * (2 << (flags & 7)); // local colour table
            ++at;                             // LZW code size
            skipSubBlocks();
        } else {
            return {};
        }
    }
    return {};
}

} // namespace

class TestResourceTree : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyManifestFileOpensAtItsSize();
    void everyNamedFileIsInTheManifest_data();
    void everyNamedFileIsInTheManifest();
    void typingAnimationLoopsWithItsFrameDelays();
    void fontIsLatoAtFourteenPixels();
    void largeSheetsAreCompressedWithZlibTheRestStoredPlain();

private:
    QHash<QString, QSize> m_listed; // ":/"-path -> size, from the manifest
};

void TestResourceTree::initTestCase()
{
    PictureManifest manifest;
    QVERIFY2(manifest.load(QStringLiteral(R7_PICTURE_MANIFEST)), qPrintable(manifest.error()));
    for (const PictureEntry &entry : manifest.entries())
        m_listed.insert(QStringLiteral(":/") + entry.path, entry.size);
}

void TestResourceTree::everyManifestFileOpensAtItsSize()
{
    for (auto it = m_listed.cbegin(); it != m_listed.cend(); ++it) {
        QImageReader reader(it.key());
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(it.key() + QStringLiteral(": ") + reader.errorString()));
        QCOMPARE(image.size(), it.value());
        QVERIFY2(image.hasAlphaChannel(), qPrintable(it.key()));
    }
}

void TestResourceTree::everyNamedFileIsInTheManifest_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    for (const Group &group : namedFiles)
        for (const QString &name : QString::fromLatin1(group.names).split(QLatin1Char(' '))) {
            const QString path = QStringLiteral(":/%1%2.png").arg(QLatin1String(group.folder), name);
            QTest::newRow(qPrintable(path)) << path << QSize(group.width, group.height);
        }
    for (const char *gesture : barGestures)
        for (const char *colour : {"black", "white"}) {
            const QString path =
                QStringLiteral(":/pic/simple_mode/v/mouse_scene/%1_%2.png").arg(QLatin1String(gesture), colour);
            QTest::newRow(qPrintable(path)) << path << QSize(25, 25);
        }
    // Whatever icon the scene asks for, for any model, highlighted or not.
    QSet<QString> icons;
    for (int model : {0, 5, 10, 20, 30})
        for (int kind = 0; kind <= 8; ++kind)
            for (bool highlighted : {false, true}) {
                const QString path = IconPixObject::picturePath(kind, highlighted, model);
                if (!path.isEmpty())
                    icons.insert(path);
            }
    QCOMPARE(icons.size(), 9 + 9 + 5); // white and grey for every kind, pink for five
    for (const QString &path : icons)
        QTest::newRow(qPrintable(path)) << path << QSize(25, 25);
    QTest::newRow("animation") << QString::fromLatin1(typingPath) << QSize(25, 20);
}

void TestResourceTree::everyNamedFileIsInTheManifest()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QVERIFY2(m_listed.contains(path), "not in the manifest");
    QCOMPARE(m_listed.value(path), size);
    QVERIFY(QFile::exists(path));
}

void TestResourceTree::typingAnimationLoopsWithItsFrameDelays()
{
    QVector<int> expected(15, 60);
    expected[5 - 1] = 50;
    expected[8 - 1] = 180;
    expected[9 - 1] = 50;
    expected[15 - 1] = 10;
    QFile file(QString::fromLatin1(typingPath));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(gifDelays(file.readAll()), expected);

    QMovie movie(QString::fromLatin1(typingPath));
    QVERIFY(movie.isValid());
    QCOMPARE(movie.frameCount(), 15);
    QCOMPARE(movie.loopCount(), -1); // for ever
    // Qt plays a delay under 20 ms as 100 ms, as browsers do. The delays are
    // read from the image reader the movie plays from: the movie's own
    // nextFrameDelay() is shortened by the time a frame took to decode.
    expected[15 - 1] = 100;
    QImageReader reader(QString::fromLatin1(typingPath));
    for (int frame = 1; frame <= 15; ++frame) {
        QVERIFY(movie.jumpToFrame(frame - 1));
        QCOMPARE(movie.currentImage().size(), QSize(25, 20));
        QVERIFY(!reader.read().isNull());
        QCOMPARE(reader.nextImageDelay(), expected[frame - 1]);
    }
    // Frames differ (keys light up in turn) and keep a transparent surround.
    QVERIFY(movie.jumpToFrame(0));
    const QImage first = movie.currentImage();
    QVERIFY(movie.jumpToFrame(1));
    QVERIFY(movie.currentImage() != first);
    QCOMPARE(qAlpha(first.pixel(0, 0)), 0);
}

void TestResourceTree::fontIsLatoAtFourteenPixels()
{
    QVERIFY(QFile::exists(QString::fromLatin1(appFontResource)));
    QCOMPARE(appFont().family(), QStringLiteral("Lato"));
    QCOMPARE(appFont().pixelSize(), 14);
}

void TestResourceTree::largeSheetsAreCompressedWithZlibTheRestStoredPlain()
{
    for (const char *sheet : {":/style/expert_mode.css", ":/style/simple_mode.css", ":/style/v/simple_mode.css",
                              ":/style/tamsel/simple_mode.css"}) {
        const QResource resource(QString::fromLatin1(sheet));
        QVERIFY2(resource.isValid(), sheet);
        QCOMPARE(resource.compressionAlgorithm(), QResource::ZlibCompression);
    }
    for (const char *plain : {":/style/common.css", ":/style/additive_win.css", ":/pic/mouse_v.png"}) {
        const QResource resource(QString::fromLatin1(plain));
        QVERIFY2(resource.isValid(), plain);
        QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);
    }
}

QTEST_MAIN(TestResourceTree)
#include "tst_resourcetree.moc"
