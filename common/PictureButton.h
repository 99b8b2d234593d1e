#pragma once

#include "common/KeyboardAccess.h"

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

// A picture from the resources, drawn when first painted (windows are built at start-up and must
// stay light), scaled down with its proportions when the window has less room than its own size.
// When clickable it shows a hand cursor and reports presses, releases and clicks; it is reached
// with Tab and pressed with Space or Enter as well.
class PictureButton : public QWidget, public Pressable
{
    Q_OBJECT
public:
    // `size` is the picture's own size, given here so that nothing is read before it is shown.
    PictureButton(const QString &resource, const QSize &size, QWidget *parent = nullptr);

    // `name` is what a screen reader calls the button.
    void setClickable(bool clickable, const QString &name = QString());
    bool isClickable() const { return m_clickable; }
    // A press from the keyboard or a screen reader: pressed, released and clicked, as by a click.
    void press() override;
    QString resource() const { return m_resource; }

    QSize sizeHint() const override { return m_size; }
    QSize minimumSizeHint() const override { return m_size / 2; }

signals:
    void pressed();
    void released();
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_resource;
    QSize m_size;
    QPixmap m_cache;
    bool m_clickable = false;
    bool m_down = false;
};

// The text link of the help, information and credits windows: Tahoma 14 points, underlined, dark
// blue at rest and orange while the mouse button is held down on it or on its icon.
class LinkLabel : public QLabel, public Pressable
{
    Q_OBJECT
public:
    static inline const QColor kRestColour = QColor::fromRgba(0xFF00008B);    // dark blue
    static inline const QColor kPressedColour = QColor::fromRgba(0xFFFFA500); // orange

    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

    QColor linkColour() const;
    void setLinkColour(const QColor &colour);

    // Makes `icon` behave as part of the link: pressing it colours the link, a click on it is a
    // click on the link, and the link takes the focus for it.
    void attachIcon(PictureButton *icon);

    void press() override;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void pressDown();
    void release();
    bool m_down = false;
};
