// Tabout: the About window, with the title picture, the link to the maker's web site, the
// credits and the version.
#pragma once

#include "navylook.h"
#include "navywindow.h"

#include <QPixmap>

class QLabel;
class TSelButton;
class TURL;

class Tabout : public TNavyWindow {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 304;
    static constexpr int kClientHeight = 193;

    // `backgroundTile` is the main window's cloth, tiled under everything; `owner` is the window
    // this one is centred over and belongs to.
    explicit Tabout(const QPixmap& backgroundTile, QWidget* owner = nullptr);

    // Event handlers.
    void Label7Click();
    void Button1Click();

    // The window's controls, under the names the rest of the program knows them by. The text of
    // `version` is the installed version that the update check compares; `URL1` opens the
    // maker's web site for the main window's logo as well.
    QLabel* Image1 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* version = nullptr;
    QLabel* Label9 = nullptr;
    TSelButton* button_done = nullptr;
    TURL* URL1 = nullptr;

protected:
    void drawPictures(qreal ratio) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(const QPixmap& backgroundTile);
};
