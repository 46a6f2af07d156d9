// The six style sheets of the tree, joined as the application installs
// them: they parse without a warning, each property value of the widgets'
// vocabulary has rules in exactly the sheets meant for it, and real widgets
// take the looks of each model. Pages of sample widgets per model look land
// in the test's output folder.
#include "AppFont.h"
#include "AppStyleSheet.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>
#include <QtTest>

// The expert view's class name, which the expert rules select on.
class ExpertView : public QWidget
{
    Q_OBJECT
};

namespace {

enum Sheet { Common, Expert, Base, V, Tamsel, Additive, SheetCount };

// AppStyleSheet::paths in this order.
static_assert(SheetCount == AppStyleSheet::count);
const char *const sheetNames[SheetCount] = {"common", "expert", "base", "v", "tamsel", "additive"};

// The selectors of a sheet, comments removed and blanks normalised.
QStringList selectorsOf(const QString &text)
{
    static const QRegularExpression comments(QStringLiteral("/\\*.*?\\*/"),
                                             QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression rule(QStringLiteral("([^{}]*)\\{[^{}]*\\}"));
    QString plain = text;
    plain.remove(comments);
    QStringList selectors;
    auto it = rule.globalMatch(plain);
    while (it.hasNext())
        for (const QString &selector : it.next().captured(1).split(QLatin1Char(',')))
            selectors.append(selector.simplified());
    return selectors;
}

struct Attribute
{
    QString property, value, compound; // compound: the simple selector holding it
};

QVector<Attribute> attributesOf(const QString &selector)
{
    static const QRegularExpression attribute(QStringLiteral("\\[([a-z_]+)=\"([^\"]*)\"\\]"));
    QVector<Attribute> found;
    for (const QString &compound : selector.split(QLatin1Char(' '))) {
        auto it = attribute.globalMatch(compound);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            found.append({m.captured(1), m.captured(2), compound});
        }
    }
    return found;
}

using Sheets = QVector<Sheet>;
const Sheets simpleSheets{Base, V, Tamsel};

struct VocabularyRow
{
    const char *property;
    QStringList classes; // the widget classes it is set on
    QStringList values;
    Sheets sheets;                 // where every value has rules...
    QHash<QString, Sheets> except; // ...unless it is listed here
};

// The dynamic properties the widgets carry and the sheets that style each value.
const QVector<VocabularyRow> &vocabulary()
{
    static const QVector<VocabularyRow> rows = {
        {"button_type",
         {"QPushButton"},
         {"common",
          "dialog",
          "dialog_cancel",
          "input",
          "profile_util",
          "image_holder",
          "edit_img",
          "del_img",
          "del_linked_apps",
          "active_profile_buttons",
          "dpi_level_delete",
          "dpi_level_drag",
          "side_bar_info",
          "side_bar_menu",
          "side_bar_mouse",
          "switch_expert",
          "sub_profile_toggle",
          "output_tree_rename",
          "output_tree_rename_expert",
          "record_output",
          "record_output_expert",
          "vibration_accept",
          "vibration_feedback",
          "expert"},
         simpleSheets,
         {{"sub_profile_toggle", {Base}},
          {"output_tree_rename_expert", {Base}},
          {"record_output_expert", {Base}},
          {"expert", {Expert}}}},
        {"button_style",
         {"QPushButton"},
         {"back_arrow", "create_profile", "manage_profile", "delete_input", "hide_input", "hints_close",
          "profile_button_image", "profile_button_no_image", "default_profile_button_normal",
          "default_profile_button_hover", "profile_button_scroll_left", "profile_button_scroll_right"},
         simpleSheets,
         {}},
        {"exp_button_type",
         {"QPushButton"},
         {"main_left_rounded", "main_right_rounded", "menu", "picture"},
         {Expert},
         {}},
        {"label_type",
         {"QLabel"},
         {"dialog", "hints", "manage_profile", "manage_profile_title", "popup_clickable", "popup_menu", "input_menu",
          "linked_apps", "active_profile", "active_profile_menu_label", "profile_button", "output_tree",
          "record_output", "record_output_expert", "vibration_name", "color_editor", "color_editor_frame",
          "color_editor_title", "main_mouse_logo"},
         simpleSheets,
         {{"popup_menu", {Base}},
          {"record_output_expert", {Base}},
          {"color_editor", {Base, V}},
          {"color_editor_frame", {Base, V}},
          {"color_editor_title", {Base, V}},
          {"main_mouse_logo", {}}}},
        {"label_style", {"QLabel"}, {"hints_hover"}, simpleSheets, {}},
        {"label_style_hovered", {"QLabel"}, {"profile_button"}, simpleSheets, {}},
        {"label_style_selected", {"QLabel"}, {"profile_button"}, simpleSheets, {}},
        {"label_style_activated", {"QLabel"}, {"profile_button"}, simpleSheets, {}},
        {"frame_type",
         {"QFrame"},
         {"dialog_background",
          "popup_background",
          "popup_line",
          "output_container",
          "output_tree",
          "output_tree_expert",
          "linked_apps",
          "image_overlay",
          "profile_button",
          "dpi_level",
          "drag",
          "no_drag",
          "red_dot",
          "red_dot_vibra",
          "side_bar",
          "line_panel_divide",
          "tip_h_line",
          "tip_v_line",
          "vibration_v_line",
          "expert"},
         simpleSheets,
         {{"output_tree_expert", {Base}},
          {"expert", {Expert}},
          {"no_drag", {}},
          {"line_panel_divide", {Common, Base, V, Tamsel}}}},
        {"frame_style_hovered", {"QFrame"}, {"profile_button"}, simpleSheets, {}},
        {"frame_style_selected", {"QFrame"}, {"profile_button"}, simpleSheets, {}},
        {"frame_style_activated", {"QFrame"}, {"profile_button"}, simpleSheets, {}},
        {"widget_type",
         {"QWidget"},
         {"main_background", "active_profile", "active_profile_buttons", "input_container"},
         simpleSheets,
         {}},
        {"widget_style", {"QWidget"}, {"active_profile_menu_off"}, simpleSheets, {}},
        {"check_type", {"QCheckBox"}, {"dialog", "input", "dpi_level", "expert"}, simpleSheets, {{"expert", {Expert}}}},
        {"combo_type",
         {"QComboBox"},
         {"input", "output", "output_expert", "output_tree", "rgb_oled"},
         simpleSheets,
         {{"output_expert", {Base}}, {"rgb_oled", {Base, V}}, {"output_tree", {}}}},
        {"edit_type", {"QLineEdit"}, {"dialog", "dpi", "output_tree"}, simpleSheets, {}},
        {"spin_type", {"QSpinBox", "QDoubleSpinBox"}, {"input"}, simpleSheets, {}},
        {"slider_type", {"QSlider"}, {"input_horizontal", "dpi_level", "hint_toggle"}, simpleSheets, {}},
        {"slider_style", {"QSlider"}, {"hint_toggle_on", "hint_toggle_off"}, simpleSheets, {}},
        {"view_type",
         {"QTreeView"},
         {"output_tree", "output_tree_expert"},
         simpleSheets,
         {{"output_tree_expert", {Base}}}},
        {"scroll_type",
         {"QWidget", "QAbstractScrollArea", "QScrollArea"},
         {"output_tree", "output_tree_expert", "linked_apps", "nested_layer"},
         simpleSheets,
         {{"output_tree_expert", {Base}}}},
        {"scroll_area", {"QScrollArea"}, {"nested_layer"}, simpleSheets, {}},
        {"menu_type", {"QMenu"}, {"profile"}, simpleSheets, {}},
        {"bar_type", {"QProgressBar"}, {"force"}, {V}, {}},
        {"graphics_view", {"QGraphicsView"}, {"main_mouse"}, {Common}, {}},
    };
    return rows;
}

const VocabularyRow *rowOf(const QString &property)
{
    for (const VocabularyRow &row : vocabulary())
        if (QLatin1String(row.property) == property)
            return &row;
    return nullptr;
}

// What App does at every connection: the model key on every widget.
void setModelKey(QWidget *root, const QVariant &key)
{
    root->setProperty("m", key);
    for (QWidget *child : root->findChildren<QWidget *>())
        child->setProperty("m", key);
}

void repolish(QWidget *widget)
{
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
    widget->update();
}

QColor pixelAt(QWidget *widget, QPoint at)
{
    return widget->grab().toImage().pixelColor(at);
}

bool near(const QColor &a, const QColor &b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
           && std::abs(a.blue() - b.blue()) <= tolerance;
}

#define COMPARE_COLOUR(actual, expected, tolerance)                                                                    \
    QVERIFY2(                                                                                                          \
        near(actual, QColor(expected), tolerance),                                                                     \
        qPrintable(QStringLiteral("%1 is %2, expected %3").arg(#actual, (actual).name(), QColor(expected).name())))

// A dialog as the shared dialogs build one: a frame with a text and two
// buttons, without text, so their middles show their background.
struct SampleDialog
{
    QFrame frame;
    QLabel *text;
    QPushButton *ok;
    QPushButton *cancel;

    SampleDialog()
    {
        frame.setProperty("frame_type", "dialog_background");
        frame.setFixedSize(240, 100);
        text = new QLabel(QStringLiteral("Delete the profile?"), &frame);
        text->setProperty("label_type", "dialog");
        text->setGeometry(20, 10, 200, 30);
        cancel = new QPushButton(&frame);
        cancel->setProperty("button_type", "dialog_cancel");
        cancel->setGeometry(20, 55, 90, 30);
        ok = new QPushButton(&frame);
        ok->setProperty("button_type", "dialog");
        ok->setGeometry(130, 55, 90, 30);
    }
    QImage grab(const QVariant &model)
    {
        setModelKey(&frame, model);
        repolish(&frame);
        for (QWidget *child : frame.findChildren<QWidget *>())
            repolish(child);
        return frame.grab().toImage();
    }
};

// The expert view's elements, for looking at: plain buttons in their
// states, a joined pair, a combo box, check boxes, a line edit, a frame of
// the expert look and a scroll bar.
QWidget *expertSamplePage()
{
    auto *page = new ExpertView;
    page->setFixedSize(560, 260);
    auto *outer = new QVBoxLayout(page);
    auto *panel = new QWidget(page); // a plain child: the expert grey
    outer->addWidget(panel);
    auto *grid = new QGridLayout(panel);
    grid->addWidget(new QPushButton(QStringLiteral("Apply"), panel), 0, 0);
    auto *checked = new QPushButton(QStringLiteral("On"), panel);
    checked->setCheckable(true);
    checked->setChecked(true);
    grid->addWidget(checked, 0, 1);
    auto *disabled = new QPushButton(QStringLiteral("Off"), panel);
    disabled->setEnabled(false);
    grid->addWidget(disabled, 0, 2);
    auto *pair = new QHBoxLayout;
    pair->setSpacing(0);
    for (const char *side : {"main_left_rounded", "main_right_rounded"}) {
        auto *half = new QPushButton(QString::fromLatin1(side).section(QLatin1Char('_'), 1, 1), panel);
        half->setProperty("exp_button_type", side);
        pair->addWidget(half);
    }
    grid->addLayout(pair, 0, 3);
    auto *combo = new QComboBox(panel);
    combo->addItems({QStringLiteral("Profile 1"), QStringLiteral("Profile 2")});
    grid->addWidget(combo, 1, 0, 1, 2);
    auto *edit = new QLineEdit(QStringLiteral("Name"), panel);
    grid->addWidget(edit, 1, 2, 1, 2);
    for (bool on : {true, false}) {
        auto *check = new QCheckBox(on ? QStringLiteral("Checked") : QStringLiteral("Unchecked"), panel);
        check->setChecked(on);
        grid->addWidget(check, 2, on ? 0 : 1);
    }
    auto *frame = new QFrame(panel);
    frame->setProperty("frame_type", "expert");
    auto *inFrame = new QVBoxLayout(frame);
    inFrame->addWidget(new QLabel(QStringLiteral("A label in an expert frame"), frame));
    auto *anywhere = new QCheckBox(QStringLiteral("check_type expert"), frame);
    anywhere->setProperty("check_type", "expert");
    inFrame->addWidget(anywhere);
    grid->addWidget(frame, 3, 0, 1, 3);
    auto *scroll = new QScrollArea(panel);
    auto *tall = new QLabel(QStringLiteral("Line\n").repeated(20), scroll);
    scroll->setWidget(tall);
    grid->addWidget(scroll, 2, 3, 2, 1);
    return page;
}

// Samples of the simple view's vocabulary on one page, for looking at.
QWidget *samplePage()
{
    auto *page = new QWidget;
    page->setAttribute(Qt::WA_StyledBackground);
    page->setProperty("widget_type", "main_background");
    page->setFixedSize(760, 420);
    auto *grid = new QGridLayout(page);
    const auto button = [&](const char *type, const char *style, const QString &text, int row, int column) {
        auto *b = new QPushButton(text, page);
        b->setProperty("button_type", type);
        if (style)
            b->setProperty("button_style", style);
        b->setMinimumSize(24, 24);
        grid->addWidget(b, row, column);
        return b;
    };
    button("common", nullptr, QStringLiteral("Common"), 0, 0);
    button("dialog", nullptr, QStringLiteral("Save"), 0, 1);
    button("dialog_cancel", nullptr, QStringLiteral("Cancel"), 0, 2);
    button("common", nullptr, QStringLiteral("Disabled"), 0, 3)->setEnabled(false);
    button("input", nullptr, QStringLiteral("Left Button"), 1, 0);
    button("switch_expert", nullptr, QStringLiteral("Expert\nMode"), 1, 1);
    button("common", "back_arrow", QStringLiteral("Back"), 1, 2);
    button("expert", nullptr, QStringLiteral("Expert"), 1, 3);

    auto *sideBar = new QFrame(page);
    sideBar->setProperty("frame_type", "side_bar");
    auto *sideLayout = new QVBoxLayout(sideBar);
    for (const char *type : {"side_bar_info", "side_bar_menu", "side_bar_mouse", "dpi_level_delete", "dpi_level_drag",
                             "record_output", "vibration_feedback"}) {
        auto *b = new QPushButton(sideBar);
        b->setProperty("button_type", type);
        b->setFixedSize(24, 24);
        sideLayout->addWidget(b);
    }
    grid->addWidget(sideBar, 0, 4, 5, 1);

    auto *hints = new QLabel(QStringLiteral("Click a button of the mouse to change what it does."), page);
    hints->setProperty("label_type", "hints");
    grid->addWidget(hints, 2, 0, 1, 3);
    auto *hintsHover = new QLabel(QStringLiteral("A hint under the pointer"), page);
    hintsHover->setProperty("label_type", "hints");
    hintsHover->setProperty("label_style", "hints_hover");
    grid->addWidget(hintsHover, 2, 3);

    auto *dialog = new QFrame(page);
    dialog->setProperty("frame_type", "dialog_background");
    auto *dialogLayout = new QVBoxLayout(dialog);
    auto *text = new QLabel(QStringLiteral("Profile name"), dialog);
    text->setProperty("label_type", "dialog");
    dialogLayout->addWidget(text);
    auto *edit = new QLineEdit(QStringLiteral("Work"), dialog);
    edit->setProperty("edit_type", "dialog");
    dialogLayout->addWidget(edit);
    for (bool checked : {true, false}) {
        auto *check = new QCheckBox(checked ? QStringLiteral("Checked") : QStringLiteral("Unchecked"), dialog);
        check->setProperty("check_type", "dialog");
        check->setChecked(checked);
        dialogLayout->addWidget(check);
    }
    grid->addWidget(dialog, 3, 0, 2, 1);

    auto *combo = new QComboBox(page);
    combo->setProperty("combo_type", "input");
    combo->addItems({QStringLiteral("Button"), QStringLiteral("Movement")});
    grid->addWidget(combo, 3, 1);
    auto *spin = new QSpinBox(page);
    spin->setProperty("spin_type", "input");
    spin->setValue(50);
    grid->addWidget(spin, 3, 2);
    auto *slider = new QSlider(Qt::Horizontal, page);
    slider->setProperty("slider_type", "input_horizontal");
    slider->setValue(40);
    grid->addWidget(slider, 3, 3);

    auto *model = new QStandardItemModel(page);
    auto *group = new QStandardItem(QStringLiteral("Mouse"));
    group->appendRow(new QStandardItem(QStringLiteral("Left Click")));
    group->appendRow(new QStandardItem(QStringLiteral("Right Click")));
    model->appendRow(group);
    model->appendRow(new QStandardItem(QStringLiteral("Keyboard")));
    auto *tree = new QTreeView(page);
    tree->setProperty("view_type", "output_tree");
    tree->setHeaderHidden(true);
    tree->setModel(model);
    tree->expandAll();
    auto *treeFrame = new QFrame(page);
    treeFrame->setProperty("frame_type", "output_tree");
    (new QVBoxLayout(treeFrame))->addWidget(tree);
    grid->addWidget(treeFrame, 4, 1);

    auto *profile = new QFrame(page);
    profile->setProperty("frame_type", "profile_button");
    profile->setProperty("frame_style_hovered", "profile_button");
    auto *profileLayout = new QVBoxLayout(profile);
    auto *profileName = new QLabel(QStringLiteral("Game"), profile);
    profileName->setProperty("label_type", "profile_button");
    profileLayout->addWidget(profileName);
    auto *dot = new QFrame(profile);
    dot->setProperty("frame_type", "red_dot");
    dot->setFixedSize(12, 12);
    profileLayout->addWidget(dot);
    grid->addWidget(profile, 4, 2);

    auto *force = new QProgressBar(page);
    force->setProperty("bar_type", "force");
    force->setValue(60);
    grid->addWidget(force, 4, 3);
    return page;
}

} // namespace

class TestStyleSheets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sheetsParseWithoutWarnings();
    void everyValueHasRulesInItsSheets_data();
    void everyValueHasRulesInItsSheets();
    void sheetsSelectOnlyOnTheVocabulary();
    void modelSheetsRepeatTheBaseSelectors();
    void everyPictureTheSheetsNameExists();
    void sheetsNameTheApplicationFont();
    void dialogButtonsTakeTheModelLook();
    void dialogBackgroundPerModel_data();
    void dialogBackgroundPerModel();
    void pelkinLooksAsNoModel();
    void expertViewButtonsAreYellowOnGradient();
    void hideInputArrowShows_data();
    void hideInputArrowShows();
    void labelStyleShowsOnlyAfterRepolish();
    void samplePagesPerModelLook();

private:
    QStringList m_selectors[SheetCount];
};

namespace {
QStringList *capturedWarnings = nullptr;
void captureWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    // The offscreen platform's own notes are not the sheets' business.
    if (type != QtDebugMsg && type != QtInfoMsg && !message.startsWith(QLatin1String("This plugin does not support")))
        capturedWarnings->append(message);
}
} // namespace

void TestStyleSheets::initTestCase()
{
    for (int sheet = 0; sheet < SheetCount; ++sheet) {
        const QString text = AppStyleSheet::text(sheet);
        QVERIFY2(!text.isEmpty(), AppStyleSheet::paths[sheet]);
        m_selectors[sheet] = selectorsOf(text);
    }
}

void TestStyleSheets::sheetsParseWithoutWarnings()
{
    QStringList warnings;
    capturedWarnings = &warnings;
    const QtMessageHandler previous = qInstallMessageHandler(captureWarnings);
    // Each sheet alone, then all six joined as the application has them,
    // polishing widgets of every kind so that every rule is read.
    for (int sheet = 0; sheet < SheetCount; ++sheet) {
        QWidget holder;
        holder.setStyleSheet(AppStyleSheet::text(sheet));
        std::unique_ptr<QWidget> page(samplePage());
        page->setParent(&holder);
        holder.ensurePolished();
        page->grab();
    }
    qApp->setStyleSheet(AppStyleSheet::joined());
    for (const char *model : {"v", "pelkin", "tamsel"}) {
        std::unique_ptr<QWidget> page(samplePage());
        setModelKey(page.get(), QString::fromLatin1(model));
        page->grab();
    }
    std::unique_ptr<QWidget> expert(expertSamplePage());
    expert->grab();
    qInstallMessageHandler(previous);
    capturedWarnings = nullptr;
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
}

void TestStyleSheets::everyValueHasRulesInItsSheets_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("sheet");
    QTest::addColumn<bool>("styled");
    for (const VocabularyRow &row : vocabulary())
        for (const QString &value : row.values) {
            const Sheets sheets = row.except.value(value, row.sheets);
            for (int sheet = 0; sheet < SheetCount; ++sheet)
                QTest::addRow("%s=%s in %s", row.property, qPrintable(value), sheetNames[sheet])
                    << QString::fromLatin1(row.property) << value << sheet << sheets.contains(Sheet(sheet));
        }
}

void TestStyleSheets::everyValueHasRulesInItsSheets()
{
    QFETCH(QString, property);
    QFETCH(QString, value);
    QFETCH(int, sheet);
    QFETCH(bool, styled);
    const QString condition = QStringLiteral("[%1=\"%2\"]").arg(property, value);
    QStringList selecting;
    for (const QString &selector : m_selectors[sheet])
        if (selector.contains(condition))
            selecting.append(selector);
    QCOMPARE(!selecting.isEmpty(), styled);
    // A model sheet's rule holds for its model only.
    if (sheet == V || sheet == Tamsel) {
        const QString model = sheet == V ? QStringLiteral("[m=\"v\"]") : QStringLiteral("[m=\"tamsel\"]");
        for (const QString &selector : selecting)
            QVERIFY2(selector.contains(model), qPrintable(selector));
    }
}

void TestStyleSheets::sheetsSelectOnlyOnTheVocabulary()
{
    for (int sheet = 0; sheet < SheetCount; ++sheet)
        for (const QString &selector : m_selectors[sheet])
            for (const Attribute &attribute : attributesOf(selector)) {
                const QString where = QStringLiteral("%1: %2").arg(sheetNames[sheet], selector);
                if (attribute.property == QLatin1String("m")) {
                    QVERIFY2((sheet == V && attribute.value == QLatin1String("v"))
                                 || (sheet == Tamsel && attribute.value == QLatin1String("tamsel")),
                             qPrintable(where));
                    continue;
                }
                const VocabularyRow *row = rowOf(attribute.property);
                QVERIFY2(row, qPrintable(QStringLiteral("unknown property in ") + where));
                QVERIFY2(row->values.contains(attribute.value),
                         qPrintable(QStringLiteral("unknown value in ") + where));
                const QString widgetClass = attribute.compound.section(QLatin1Char('['), 0, 0);
                QVERIFY2(row->classes.contains(widgetClass), qPrintable(QStringLiteral("wrong class in ") + where));
            }
}

void TestStyleSheets::modelSheetsRepeatTheBaseSelectors()
{
    // Expert rules sit under the expert view or select an expert value.
    for (const QString &selector : m_selectors[Expert] + m_selectors[Additive])
        QVERIFY2(selector.startsWith(QLatin1String("ExpertView ")) || selector.contains(QLatin1String("=\"expert\"]")),
                 qPrintable(selector));
    // Each model sheet: the base selectors with the model's condition, less
    // those of values styled in the base sheet alone, plus those of values
    // of its own.
    const auto valuesOnly = [](const QString &selector, Sheets sheets) {
        for (const Attribute &attribute : attributesOf(selector)) {
            const VocabularyRow *row = rowOf(attribute.property);
            if (row && row->except.value(attribute.value, row->sheets) == sheets)
                return true;
        }
        return false;
    };
    for (Sheet model : {V, Tamsel}) {
        const QString key = model == V ? QStringLiteral("[m=\"v\"]") : QStringLiteral("[m=\"tamsel\"]");
        QStringList expected;
        for (const QString &selector : m_selectors[Base]) {
            bool shared = true;
            for (const Attribute &attribute : attributesOf(selector)) {
                const VocabularyRow *row = rowOf(attribute.property);
                shared = shared && row && row->except.value(attribute.value, row->sheets).contains(model);
            }
            if (shared) {
                // The model's condition joins the first simple selector.
                const int at = selector.indexOf(QLatin1String("\"]")) + 2;
                expected.append(selector.left(at) + key + selector.mid(at));
            }
        }
        QStringList actual;
        for (const QString &selector : m_selectors[model])
            if (!valuesOnly(selector, {model}))
                actual.append(selector);
        QCOMPARE(actual, expected);
    }
}

void TestStyleSheets::everyPictureTheSheetsNameExists()
{
    static const QRegularExpression url(QStringLiteral("url\\(([^)]*)\\)"));
    int pictures = 0;
    for (int sheet = 0; sheet < SheetCount; ++sheet) {
        auto it = url.globalMatch(AppStyleSheet::text(sheet));
        while (it.hasNext()) {
            const QString path = it.next().captured(1);
            QVERIFY2(path.startsWith(QLatin1String(":/")), qPrintable(path));
            QVERIFY2(!QImage(path).isNull(), qPrintable(QStringLiteral("%1: %2").arg(sheetNames[sheet], path)));
            ++pictures;
        }
    }
    QVERIFY(pictures > 50);
}

void TestStyleSheets::sheetsNameTheApplicationFont()
{
    const QString common = AppStyleSheet::text(Common);
    QVERIFY(common.contains(QStringLiteral("font-family: \"%1\";").arg(appFont().family())));
    QVERIFY(common.contains(QStringLiteral("font-size: %1px;").arg(appFont().pixelSize())));
    // No sheet names another family.
    static const QRegularExpression family(QStringLiteral("font-family:\\s*\"([^\"]*)\""));
    for (int sheet = 0; sheet < SheetCount; ++sheet) {
        auto it = family.globalMatch(AppStyleSheet::text(sheet));
        while (it.hasNext())
            QCOMPARE(it.next().captured(1), appFont().family());
    }
    // The widgets take it.
    qApp->setStyleSheet(AppStyleSheet::joined());
    QLabel label(QStringLiteral("Text"));
    label.ensurePolished();
    QCOMPARE(label.font().family(), appFont().family());
    QCOMPARE(label.font().pixelSize(), 14);
}

void TestStyleSheets::dialogButtonsTakeTheModelLook()
{
    qApp->setStyleSheet(AppStyleSheet::joined());
    SampleDialog dialog;
    const QPoint okMiddle = dialog.ok->geometry().center();
    const QPoint okLeftEdge(dialog.ok->x(), okMiddle.y());

    QImage look = dialog.grab(QVariant());
    COMPARE_COLOUR(look.pixelColor(okMiddle), "#6600ed", 0);

    look = dialog.grab(QStringLiteral("v"));
    COMPARE_COLOUR(look.pixelColor(okMiddle), "#333333", 0); // transparent over the dialog
    COMPARE_COLOUR(look.pixelColor(okLeftEdge), "#ffffff", 0);
}

void TestStyleSheets::dialogBackgroundPerModel_data()
{
    QTest::addColumn<QVariant>("model");
    QTest::addColumn<QString>("background");
    QTest::addColumn<QString>("border");
    QTest::newRow("no model") << QVariant() << "#30355f"
                              << "#474e89";
    QTest::newRow("pelkin") << QVariant(QStringLiteral("pelkin")) << "#30355f"
                            << "#474e89";
    QTest::newRow("v") << QVariant(QStringLiteral("v")) << "#333333"
                       << "#ffffff";
    QTest::newRow("tamsel") << QVariant(QStringLiteral("tamsel")) << "#333333"
                            << "#ffffff";
}

void TestStyleSheets::dialogBackgroundPerModel()
{
    QFETCH(QVariant, model);
    QFETCH(QString, background);
    QFETCH(QString, border);
    qApp->setStyleSheet(AppStyleSheet::joined());
    SampleDialog dialog;
    const QImage look = dialog.grab(model);
    COMPARE_COLOUR(look.pixelColor(5, 50), background, 0);
    COMPARE_COLOUR(look.pixelColor(0, 50), border, 0);
}

void TestStyleSheets::pelkinLooksAsNoModel()
{
    qApp->setStyleSheet(AppStyleSheet::joined());
    SampleDialog dialog;
    const QImage none = dialog.grab(QVariant());
    QCOMPARE(dialog.grab(QStringLiteral("pelkin")), none);
    QVERIFY(dialog.grab(QStringLiteral("v")) != none);
    std::unique_ptr<QWidget> page(samplePage());
    const QImage pageWithout = page->grab().toImage();
    setModelKey(page.get(), QStringLiteral("pelkin"));
    repolish(page.get());
    for (QWidget *child : page->findChildren<QWidget *>())
        repolish(child);
    QCOMPARE(page->grab().toImage(), pageWithout);
}

void TestStyleSheets::expertViewButtonsAreYellowOnGradient()
{
    qApp->setStyleSheet(AppStyleSheet::joined());
    ExpertView view;
    view.setFixedSize(200, 60);
    auto *button = new QPushButton(&view);
    button->setGeometry(10, 10, 180, 40);
    const QImage look = view.grab().toImage();
    COMPARE_COLOUR(button->palette().color(QPalette::ButtonText), "#ffd400", 0);
    // Inside the border, the gradient runs from #535353 at the top to
    // #373737 at the bottom.
    COMPARE_COLOUR(look.pixelColor(100, 12), "#535353", 3);
    COMPARE_COLOUR(look.pixelColor(100, 47), "#373737", 3);
    COMPARE_COLOUR(look.pixelColor(100, 10), "#373737", 0); // the border
    // The text is drawn in the yellow.
    button->setText(QStringLiteral("IIII"));
    const QImage withText = view.grab().toImage();
    int yellow = 0;
    for (int y = 10; y < 50; ++y)
        for (int x = 10; x < 190; ++x) {
            const QColor c = withText.pixelColor(x, y);
            yellow += c.red() > 150 && c.green() > 120 && c.blue() < 80 ? 1 : 0;
        }
    QVERIFY(yellow > 10);
    // The same button outside the expert view keeps the platform look.
    QPushButton plain;
    plain.setFixedSize(180, 40);
    QVERIFY(!near(plain.grab().toImage().pixelColor(90, 2), QColor("#535353"), 3));
}

void TestStyleSheets::hideInputArrowShows_data()
{
    QTest::addColumn<QString>("key");
    QTest::newRow("pelkin") << "pelkin";
    QTest::newRow("v") << "v";
    QTest::newRow("tamsel") << "tamsel";
}

// The input bar's narrow hide button is also a "common" button, whose
// padding must not squeeze its arrow away.
void TestStyleSheets::hideInputArrowShows()
{
    QFETCH(QString, key);
    qApp->setStyleSheet(AppStyleSheet::joined());
    QWidget host;
    host.setStyleSheet(QStringLiteral("QWidget { background-color: #000000; }"));
    host.setFixedSize(40, 40);
    auto *button = new QPushButton(&host);
    button->setGeometry(10, 5, 20, 30);
    button->setProperty("button_type", "common");
    button->setProperty("button_style", "hide_input");
    setModelKey(&host, key);
    repolish(button);
    const QImage look = host.grab().toImage();
    int light = 0;
    for (int y = 5; y < 35; ++y)
        for (int x = 10; x < 30; ++x)
            light += look.pixelColor(x, y).lightness() > 128 ? 1 : 0;
    QVERIFY2(light > 5, qPrintable(QStringLiteral("%1 light pixels").arg(light)));
}

void TestStyleSheets::labelStyleShowsOnlyAfterRepolish()
{
    qApp->setStyleSheet(AppStyleSheet::joined());
    SampleDialog dialog;
    dialog.text->setProperty("label_type", "hints");
    dialog.grab(QStringLiteral("v"));
    const QPoint inside(dialog.text->x() + 2, dialog.text->y() + 2);
    const QColor plain = pixelAt(&dialog.frame, inside);
    COMPARE_COLOUR(plain, "#2b2b2b", 0);

    dialog.text->setProperty("label_style", "hints_hover");
    COMPARE_COLOUR(pixelAt(&dialog.frame, inside), plain.name(), 0);
    repolish(dialog.text);
    const QColor hovered = pixelAt(&dialog.frame, inside);
    QVERIFY2(!near(hovered, plain, 0), qPrintable(hovered.name()));

    // Cleared with an invalid value, the plain look returns.
    dialog.text->setProperty("label_style", QVariant());
    repolish(dialog.text);
    COMPARE_COLOUR(pixelAt(&dialog.frame, inside), plain.name(), 0);
}

void TestStyleSheets::samplePagesPerModelLook()
{
    qApp->setStyleSheet(AppStyleSheet::joined());
    QImage pages[3];
    int index = 0;
    for (const char *model : {"v", "pelkin", "tamsel"}) {
        std::unique_ptr<QWidget> page(samplePage());
        setModelKey(page.get(), QString::fromLatin1(model));
        pages[index++] = page->grab().toImage();
        QVERIFY(!WidgetDriver::grabToPng(page.get(), QStringLiteral("page-%1").arg(model)).isEmpty());
    }
    QVERIFY(pages[0] != pages[1] && pages[1] != pages[2] && pages[0] != pages[2]);
    std::unique_ptr<QWidget> expert(expertSamplePage());
    setModelKey(expert.get(), QStringLiteral("v"));
    QVERIFY(!WidgetDriver::grabToPng(expert.get(), QStringLiteral("page-expert")).isEmpty());
}

QTEST_MAIN(TestStyleSheets)
#include "tst_stylesheets.moc"
