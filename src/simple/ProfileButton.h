#pragma once
// One tile of the profile bar: the profile's picture on a square button, its
// name underneath, and for a parent profile a toggle that unfolds its
// sub-profiles. Its states (active on the mouse, viewed, hovered) show as
// dynamic properties of the name label and the frame, for the style sheets;
// a state that ends removes its property.
//
// The toggle announces expandSubProfiles(this) before it flips expanded(),
// so the receiver reads the state from before the click: false, show the
// sub-profiles; true, hide them.

#include <QPixmap>
#include <QString>
#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

class ProfileButton : public QWidget
{
    Q_OBJECT

public:
    // kind: ProfileTileStyle::Kind (0 Global, 1 top-level, 2 sub-profile).
    ProfileButton(const QString &name, const QPixmap &image, int kind, bool isDefault, const QString &modelKey,
                  QWidget *parent);
    ~ProfileButton() override;

    void setActivated(bool activated);
    void setSelected(bool selected);
    void setDefault(bool isDefault);
    void setName(const QString &name);
    void setImage(const QPixmap &image);
    void setHasSubProfiles(bool has);
    // What a click on the sub-profile toggle does.
    void clickToggle();

    QString name() const { return m_name; }
    int kind() const { return m_kind; }
    bool expanded() const { return m_expanded; }
    bool isActivated() const { return m_activated; }
    bool isSelected() const { return m_selected; }
    bool isHovered() const { return m_hovered; }
    bool isDefault() const { return m_default; }
    bool hasSubProfiles() const;

    // The tile's fixed size: the row's layout asks it of every tile, and
    // needs not to ask the tile's own layout.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void clicked();
    void expandSubProfiles(ProfileButton *profileButton);

protected:
    bool event(QEvent *event) override;

private:
    void updateButtonStyle();
    void updateStateProperties();
    // The picture at the size and corners of the current state.
    void updateIcon();

    QString m_name;
    QPixmap m_image; // what the tile shows; null without a picture
    int m_kind;
    bool m_hovered = false;
    bool m_selected = false;
    bool m_activated = false;
    bool m_default;
    bool m_expanded = false;

    QFrame *m_frame;
    QPushButton *m_imageButton;
    QLabel *m_nameLabel;
    QPushButton *m_toggle;
};
