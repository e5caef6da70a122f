// Tabout: the About window, with the title picture, the link to the maker's web site, the
// credits and the version.
#pragma once

#include <QFont>
#include <QPixmap>
#include <QStringList>
#include <QWidget>

class QLabel;
class TLbBackground;
class TSelButton;
class TURL;

class Tabout : public QWidget {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 304;
    static constexpr int kClientHeight = 193;

    // `backgroundTile` is the main window's cloth, tiled under everything; `owner` is the window
    // this one is centred over and belongs to.
    explicit Tabout(const QPixmap& backgroundTile, QWidget* owner = nullptr);

    // Showing also centres the window over its owner when it was hidden, and brings it to the
    // front when it was already open.
    void setVisible(bool visible) override;

    // Event handlers.
    void Label7Click();
    void Button1Click();

    // The window's controls, under the names the rest of the program knows them by. The text of
    // `version` is the installed version that the update check compares; `URL1` opens the
    // maker's web site for the main window's logo as well.
    TLbBackground* LbBackground1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* version = nullptr;
    QLabel* Label9 = nullptr;
    TSelButton* button_done = nullptr;
    TURL* URL1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(const QPixmap& backgroundTile);
    void drawTitlePicture();

    qreal m_titleRatio = 0;
};

// The navy look that the About and Help windows share.
namespace navylook {

// "Arial" and "Times New Roman" are not found on Linux; the Liberation fonts share their
// metrics, so texts measure as they were laid out. DejaVu stands in for the Windows UI font.
QFont arial(int pixelSize, bool bold = false);
QFont timesNewRoman(int pixelSize, bool bold = false);
QFont uiFont(int pixelSize, bool bold = false);

// The flat text buttons of both windows: a blue face, a white border, a silver caption that
// turns white under the mouse.
void styleButton(TSelButton* button, const QString& caption, Qt::Alignment alignment);

// A white label on the navy window, sized to its text.
QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y,
              const QFont& font, const QColor& colour = Qt::white);

// Puts a window in the middle of its owner (of the screen when there is no visible owner),
// kept inside the screen's work area.
void centreOverOwner(QWidget* window);

} // namespace navylook
