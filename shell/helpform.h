// Thelp: the Help window, pages of rules and scoring chosen by the buttons on its left.
#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;
class QStackedWidget;
class QTextEdit;
class Tabout;
class TFlatPanel;
class TLbBackground;
class TSelButton;

class Thelp : public QWidget {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 523;
    static constexpr int kClientHeight = 431;
    static constexpr int kSideWidth = 137;

    // `backgroundTile` is the main window's cloth, tiled under everything; `about` is the window
    // the About button shows; `owner` is the window this one is centred over and belongs to.
    Thelp(const QPixmap& backgroundTile, Tabout* about, QWidget* owner = nullptr);

    // Showing also centres the window over its owner when it was hidden, and brings it to the
    // front when it was already open.
    void setVisible(bool visible) override;

    // The page in front, the one the reader sees.
    QTextEdit* currentPage() const;

    // Event handlers. SelButton1Click serves all the page buttons.
    void SelButton1Click(TSelButton* sender);
    void button_aboutClick();
    void button_doneClick();

    // The window's controls, under the names the rest of the program knows them by.
    TLbBackground* LbBackground1 = nullptr;
    TFlatPanel* panel_side = nullptr;
    TSelButton* SelButton1 = nullptr;
    TSelButton* SelButton3 = nullptr;
    TSelButton* SelButton4 = nullptr;
    TSelButton* SelButton5 = nullptr;
    TSelButton* SelButton6 = nullptr;
    TSelButton* button_about = nullptr;
    TSelButton* button_done = nullptr;
    TFlatPanel* panel_main = nullptr;
    QLabel* label_caption = nullptr;
    QTextEdit* memo1 = nullptr;
    QTextEdit* memo3 = nullptr;
    QTextEdit* memo4 = nullptr;
    QTextEdit* memo5 = nullptr;
    QTextEdit* memo6 = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate(const QPixmap& backgroundTile);
    void createSidePanel();
    void createMainPanel();
    void layoutPanels();
    TSelButton* pageButton(const char* name, const QString& caption, int number, int y);
    QTextEdit* page(const char* name, const QString& textName);

    Tabout* m_about = nullptr;
    QStackedWidget* m_pages = nullptr;
};
