#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

// A picture from the resources, drawn when first painted (windows are built at start-up and must
// stay light), scaled down with its proportions when the window has less room than its own size.
// When clickable it shows a hand cursor and reports presses, releases and clicks.
class PictureButton : public QWidget
{
    Q_OBJECT
public:
    // `size` is the picture's own size, given here so that nothing is read before it is shown.
    PictureButton(const QString &resource, const QSize &size, QWidget *parent = nullptr);

    void setClickable(bool clickable);
    bool isClickable() const { return m_clickable; }
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

private:
    QString m_resource;
    QSize m_size;
    QPixmap m_cache;
    bool m_clickable = false;
    bool m_down = false;
};

// The text link of the help, information and credits windows: Tahoma 14 points, underlined, dark
// blue at rest and orange while the mouse button is held down on it or on its icon.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    static inline const QColor kRestColour = QColor::fromRgba(0xFF00008B);    // dark blue
    static inline const QColor kPressedColour = QColor::fromRgba(0xFFFFA500); // orange

    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

    QColor linkColour() const;
    void setLinkColour(const QColor &colour);

    // Makes `icon` behave as part of the link: pressing it colours the link, a click on it is a
    // click on the link.
    void attachIcon(PictureButton *icon);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void press();
    void release();
    bool m_down = false;
};
