// TLbBackground: tiles a picture over a window's background, beneath everything the window
// paints itself.
#pragma once

#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

class TLbBackground : public QObject {
    Q_OBJECT

public:
    // Attaches to `window` for as long as both live; the window owns the tiler.
    explicit TLbBackground(QWidget* window);

    QWidget* window() const { return m_window; }

    QPixmap picture() const { return m_picture; }
    // Setting a picture (a null one clears it) repaints the window.
    void setPicture(const QPixmap& picture);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // How many columns and rows cover a window of the given size, starting at 0,0. One spare
    // column and row beyond the exact fit cover the part left over by the integer division and
    // a window that grows before the next full repaint.
    static int columns(int windowWidth, int pictureWidth) { return windowWidth / pictureWidth + 2; }
    static int rows(int windowHeight, int pictureHeight) {
        return windowHeight / pictureHeight + 2;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paintTiles();

    QPointer<QWidget> m_window;
    QPixmap m_picture;
    bool m_enabled = true;
};
