#pragma once

#include "InputNaming.h"

#include <QHash>
#include <QPixmap>
#include <QString>
#include <QWidget>

class InputMapActionConfig;
class PackageCreator;
class QHBoxLayout;
class QLabel;
class QPushButton;
class SimpleInputType;

// The left part of an action-layer row: a button that names the row's input
// and shows its glyph. Clicking it opens the input editor of the mapping's
// kind in its place, with the glyph and a button that hides it again. A
// nested mapping's editor may change the kind of its input; the bar then puts
// a record of the new kind in the mapping's place and opens the editor of that
// kind. Whenever the bar comes to edit another mapping (a copy made on the
// first edit of an inherited mapping, or the record of a new kind) it says so
// with configChanged, as the last thing it does.
class InputBar : public QWidget
{
    Q_OBJECT

public:
    InputBar(InputMapActionConfig *mapping, const QString &modelKey, bool openEditor, QWidget *parent = nullptr);

    InputMapActionConfig *config() const { return m_mapping; }
    QString inputName() const { return m_description.name; }
    int editorKind() const { return m_description.editorKind; }
    QPushButton *inputButton() const { return m_inputButton; }
    // The open editor; null before the first opening and after a change of
    // kind until the next one.
    SimpleInputType *editor() const { return m_editor; }
    QLabel *nameLabel() const { return m_nameLabel; }

    // ":/pic/simple_mode/v/mouse_scene/" + name + "_white.png" or "_black.png".
    static QString picturePath(const QString &name, bool white);

signals:
    void shown();
    void hidden();
    void configChanged(InputMapActionConfig *newConfig);

public slots:
    void syncConfig(InputMapActionConfig *newConfig);
    void showInput();
    void hideInput();
    void changeInput(int inputType);
    // After an edit: the glyphs and the name follow the mapping written. When
    // that is another mapping (the editor copied an inherited one), the bar
    // takes it and announces it.
    void syncIcon(InputMapActionConfig *inputConfig);
    void setIcon(InputMapActionConfig *inputConfig, bool useWhiteIcon);
    void setButtonIcon(int buttonId, bool useWhiteIcon);
    void setMouseMovementIcon(int index, bool useWhiteIcon);
    void setScrollIcon(int index, bool useWhiteIcon);
    void setAngleIcon(int axisIndex, int angle, bool useWhiteIcon);

private:
    void describeInput(bool reset);
    QPixmap picture(bool white) const;
    void showButtonIcon(const QPixmap &icon);
    void buildContainer();
    SimpleInputType *createEditor();

    InputMapActionConfig *m_mapping;
    QString m_modelKey;
    bool m_whiteSet;
    PackageCreator *m_model;
    InputDescription m_description;
    QPixmap m_picture;
    QHash<QString, QPixmap> m_blackPictures;
    QHash<QString, QPixmap> m_whitePictures;

    QHBoxLayout *m_layout;
    QPushButton *m_inputButton;
    QWidget *m_container = nullptr;
    QLabel *m_pictureLabel = nullptr;
    QLabel *m_nameLabel = nullptr;
    SimpleInputType *m_editor = nullptr;
    QPushButton *m_hideButton = nullptr;
};
