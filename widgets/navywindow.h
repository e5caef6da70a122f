// TNavyWindow: the shape the program's fixed secondary windows share: a dialog of its owner in
// the navy look, the main window's cloth tiled beneath everything, centred over the owner when
// it opens, hidden rather than ended by its close box, and its pictures drawn when first seen.
#pragma once

#include <QSize>
#include <QString>
#include <QWidget>

class TLbBackground;

class TNavyWindow : public QWidget {
    Q_OBJECT

public:
    // A window of fixed client size `clientSize`, named `name` for lookups, captioned `caption`.
    TNavyWindow(QWidget* owner, const char* name, const QString& caption, QSize clientSize);

    // Showing also centres the window over its owner when it was hidden, and brings it to the
    // front when it was already open.
    void setVisible(bool visible) override;

    // The tiler of the main window's cloth; the window's FormCreate gives it the picture.
    TLbBackground* LbBackground1 = nullptr;

protected:
    // Draws the window's pictures for the screen's pixel ratio `ratio`. Called when the window
    // is shown, not while the program starts, and again only on a screen of another ratio.
    virtual void drawPictures(qreal ratio) { (void)ratio; }
    void showEvent(QShowEvent* event) override;

private:
    qreal m_pictureRatio = 0;
};
