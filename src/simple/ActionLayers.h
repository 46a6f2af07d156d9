#pragma once

#include "InputMapActionConfig.h"
#include "LibraryEntry.h"

#include <QHash>
#include <QList>
#include <QPoint>
#include <QString>
#include <QWidget>

class ActionLayer;
class MouseFunctions;
class PackageCreator;
class ProfileData;
class QPushButton;
class QScrollArea;
class QStandardItemModel;
class QVBoxLayout;

// The quick editor's page for one input of the mouse: a row per top-level
// mapping and, in a scroll area under it, rows for its nested mappings two
// levels deep, then an "Add Input" button that adds a nested mapping.
//
// The rows may show mappings the current profile inherits. Before any change
// of a tree's shape (adding, removing, a change of kind) and with the first
// edit of a row, the whole tree is copied into the current profile and every
// row of its block moves to its counterpart in the copy, so the inherited
// tree never changes and the block edits one copy.
class ActionLayers : public QWidget
{
    Q_OBJECT

public:
    ActionLayers(ProfileData *profile, QWidget *parent = nullptr);
    ~ActionLayers() override;

    void setModelKey(const QString &key);
    void loadMappings(const QList<InputMapActionConfig *> &mappings);
    // The middle of the left edge of the input bar of every visible row of
    // that depth, in list order, in the page's coordinates.
    QList<QPoint> layerAnchors(int depth) const;

    QList<ActionLayer *> layers() const { return m_layers; }
    QList<QScrollArea *> scrollAreas() const { return m_scrollAreas; }
    QScrollArea *scrollAreaOf(InputMapActionConfig *mapping) const { return m_areas.value(mapping); }
    QPushButton *addButtonOf(InputMapActionConfig *mapping) const { return m_addButtons.value(mapping); }
    void fitScrollAreas();

signals:
    void resized();
    // The rows now show other mappings (a copy of their tree, a record of
    // another kind, new outputs): whoever shows the profile reloads it.
    void reload();

public slots:
    void addNewInput();
    void removeLayer();
    void updateLayerConfigs(InputMapActionConfig *from, InputMapActionConfig *to);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createLayer(InputMapActionConfig *mapping, int depth, QScrollArea *area, bool openEditor);
    void createDescendants(InputMapActionConfig *mapping, int depth);
    void addInputRow(InputMapActionConfig *mapping);
    void clearPage();
    // mapping itself when the current profile holds it; otherwise its
    // counterpart in a copy of its tree in the current profile, with the
    // block's rows and keys moved into the copy.
    InputMapActionConfig *ownMapping(InputMapActionConfig *mapping, bool *copied);
    // Every row of fromRoot's block points at its counterpart under toRoot,
    // and the block's area and button are entered under toRoot.
    void moveBlock(InputMapActionConfig *fromRoot, InputMapActionConfig *toRoot);

    QVBoxLayout *m_layout;
    QList<QScrollArea *> m_scrollAreas;
    QHash<InputMapActionConfig *, QScrollArea *> m_areas;
    QList<ActionLayer *> m_layers;
    QString m_modelKey = QStringLiteral("pelkin");
    QStandardItemModel *m_outputModel;
    LibraryEntryList m_entries;
    ProfileData *m_profile;
    PackageCreator *m_model;
    MouseFunctions *m_device;
    QHash<InputMapActionConfig *, QPushButton *> m_addButtons;
    QPushButton *m_lastSender = nullptr;
    QVBoxLayout *m_nestedLayout = nullptr;
    // The top-level mappings shown, kept alive while their rows are.
    InputMapList m_roots;
};
