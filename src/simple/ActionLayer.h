#pragma once

#include "InputMapActionConfig.h"
#include "LibraryEntry.h"

#include <QString>
#include <QWidget>

class InputBar;
class OutputBar;
class QHBoxLayout;
class QPushButton;
class QSpacerItem;
class QStandardItemModel;

// One row of the action layers: a mapping's input bar on the left and its
// output picker on the right; nested rows are indented with a connector to
// the row above and carry a delete button that shows on hover.
//
// The row keeps its mapping alive (the profile's tree is the owner), so a
// mapping taken out of the tree lasts as long as a row still shows it.
class ActionLayer : public QWidget
{
    Q_OBJECT

public:
    ActionLayer(InputMapActionConfig *mapping, int depth, const QString &modelKey, bool openEditor,
                QWidget *parent = nullptr);
    ~ActionLayer() override;

    int depth() const { return m_depth; }
    InputMapActionConfig *mapping() const { return m_mapping; }
    InputBar *inputBar() const { return m_inputBar; }
    OutputBar *outputBar() const { return m_outputBar; }
    QPushButton *deleteButton() const { return m_deleteButton; }

    // Leaves room for the scroll area's bar when it is not shown.
    void setScrollBarShown(bool shown);
    void setOutputModel(QStandardItemModel *model, const LibraryEntryList &entries);
    // Points the row and both bars at another mapping without announcing it:
    // the page moves its rows into a copy of their tree this way.
    void pointAt(InputMapActionConfig *config);

signals:
    void deleteMe();
    void configChanged(InputMapActionConfig *from, InputMapActionConfig *to);

public slots:
    // A bar now edits config: the other bar follows, then the row announces
    // it. The announcement may rebuild the page, so it comes last.
    void syncConfig(InputMapActionConfig *config);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    InputMapActionConfig *m_mapping;
    InputMapPtr m_keep;
    const int m_depth;
    QHBoxLayout *m_layout;
    QWidget *m_indent = nullptr;
    QPushButton *m_deleteButton = nullptr;
    InputBar *m_inputBar;
    OutputBar *m_outputBar;
    QSpacerItem *m_rightSpacer;
};
