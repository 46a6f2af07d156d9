#pragma once
// The centre of the simple view: a graphics scene with the picture of the
// connected mouse, a label per input around it with its callout line, the
// input icons, the DPI read-out and a clickable outline per button (the
// show-all view). A click on an outline or a label slides the picture left,
// fades the labels out and fades the quick editor in, with tip lines from its
// rows to the input; the editor's back() returns.
//
// What the labels show is MouseLabels'; the fixed layout is MouseSceneLayout's.
// This class only builds, moves and fades the items.

#include "MouseLabels.h"
#include "MouseSceneLayout.h"

#include <QColor>
#include <QList>
#include <QMap>
#include <QMultiMap>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QWidget>

class ButtonGraphicsItem;
class DpiItem;
class IconsBlock;
class PackageCreator;
class PointingLine;
class QGraphicsPixmapItem;
class QGraphicsProxyWidget;
class QGraphicsScene;
class QGraphicsView;
class QVariantAnimation;
class QuickConfig;
class SettingsRecord;
class TextGraphicsItem;

class MouseView : public QWidget
{
    Q_OBJECT

public:
    enum Mode { ShowAll = 0, QuickEditor = 1 };
    static constexpr int baseDurationMs = 400; // the slide; the fades take half
    static constexpr int slideDistance = 750;
    static inline const QRect sceneArea{-200, -100, 1708, 1208};
    static inline const QRect editorArea{200, -50, 720, 666};

    explicit MouseView(QWidget *parent = nullptr);
    ~MouseView() override;

    // For tests and the window: what the scene shows now.
    int mode() const { return m_mode; }
    int selectedId() const { return m_selectedId; }
    int colourScheme() const { return m_colourScheme; }
    QGraphicsView *graphicsView() const { return m_view; }
    QGraphicsPixmapItem *pictureItem() const { return m_pictureItem; }
    TextGraphicsItem *label(int id) const { return m_labels.value(id); }
    PointingLine *calloutLine(int id) const { return m_calloutLines.value(id); }
    ButtonGraphicsItem *outline(int id) const { return m_outlines.value(id); }
    QList<PointingLine *> tipLines() const { return m_tipLines.values(); }
    IconsBlock *icons() const { return m_icons; }
    DpiItem *dpiItem() const { return m_dpiItem; }
    QuickConfig *editor() const { return m_editor; }
    const MouseLabels &shownLabels() const { return m_shown; }

public slots:
    void updateMouseScheme(int cs, bool connected);
    void loadCurrentProfileToView();
    void buttonHovered(bool isHovered);
    void textHovered(bool isHovered);
    void buttonClicked();
    void textClicked();
    void toShowAllView();
    void createTipLines();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // The graphics view's viewport gets its new size after this widget's:
    // the scene is fitted again then.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createButtonItems();
    void deleteOutlines();
    void select(int id);
    void openQuickEditor();
    void loadQuickEditor(int id);
    void animateItems(int side, bool fadeOut);
    void slide(int from, int to);
    void fitScene();
    void fitEditor();
    void showHover(int id, bool isHovered, bool onOutline);
    int idOfOutline(const QObject *sender) const;
    int idOfLabel(const QObject *sender) const;

    // The quick editor, behind these alone: made, connected and embedded by
    // createQuickEditor; given a model key, a settings record or one input's
    // mappings; asked for the anchor points of its rows.
    QuickConfig *createQuickEditor();
    void embedEditor();
    void setEditorModelKey(const QString &key);
    void loadEditorRecord(SettingsRecord &record);
    void loadEditorInput(const QList<InputMapActionConfig *> &mappings);
    QList<QPoint> editorRowAnchors() const;

    PackageCreator *m_model;
    QGraphicsScene *m_scene;
    QGraphicsView *m_view;
    int m_mode = ShowAll;
    int m_colourScheme = 0;
    bool m_connected = true; // so that the first updateMouseScheme applies
    QPixmap m_picture;
    QGraphicsPixmapItem *m_pictureItem;
    DpiItem *m_dpiItem = nullptr;
    int m_selectedId = MouseSceneLayout::NoId;
    QMap<int, MouseSceneLayout::CalloutAnchor> m_anchors;
    QMap<int, PointingLine *> m_calloutLines;
    QMap<int, TextGraphicsItem *> m_labels;
    QMap<int, ButtonGraphicsItem *> m_outlines;
    QMultiMap<int, PointingLine *> m_tipLines;
    IconsBlock *m_icons = nullptr;
    QVariantAnimation *m_slide;
    QColor m_lineColour{211, 127, 255};
    QuickConfig *m_editor = nullptr; // owned by its proxy in the scene once embedded
    QGraphicsProxyWidget *m_editorProxy = nullptr;
    MouseLabels m_shown;
};
