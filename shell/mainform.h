// Tmain: the main window, the card table with its menu and in-window message panels.
#pragma once

#include "cardimagelist.h"
#include "game.h"
#include "httpprot.h"
#include "solver.h"
#include "update.h"

#include <QDate>
#include <QMainWindow>
#include <QPixmap>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Announcer;
class BoardAccess;
class BoardScaler;
class CardAnimator;
class HintMark;
class ImageButton;
class PanelAccess;
class SolverTask;
class SoundPlayer;
class THTTPGet;
class Tabout;
class TallyBook;
class Thelp;
class Thighscore;
class Ttallylist;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QTimer;
class TFlatPanel;
class TLbBackground;

class Tmain : public QMainWindow, public GameListener {
    Q_OBJECT

public:
    // Receives the name of every sound asked for while "Play Sounds" is checked. Without one
    // the window plays the sounds itself; tests pass one to hear what would be played.
    using SoundSink = std::function<void(const std::string& name)>;

    // The game's tally reports go to `tally`, which outlives the window.
    explicit Tmain(TallyBook& tally, SoundSink soundSink = {}, QWidget* parent = nullptr);
    ~Tmain() override;

    Game& game() { return m_game; }
    // The secondary windows the menu and the logo open; they are created after this one.
    void setAboutWindow(Tabout* about) { m_about = about; }
    void setHelpWindow(Thelp* help) { m_help = help; }
    void setTallyWindow(Ttallylist* tally) { m_tally = tally; }
    void setHighscoreWindow(Thighscore* highscore);
    Thighscore* highscoreWindow() const { return m_highscore; }
    Ttallylist* tallyWindow() const { return m_tally; }
    // The full path of the tally file, beside the executable.
    static QString tallyFile();
    // The cloth behind the table, which the other windows copy when they are created.
    QPixmap backgroundTile() const;
    const QString& shortname() const { return m_shortname; }
    // Draws the board, the labels and the Undo controls from the engine's state, touching only
    // the controls whose content changed.
    void refresh();
    // Keyboard play and screen readers, the card animations, the scale of the table.
    BoardAccess* boardAccess() const { return m_access; }
    CardAnimator* animator() const { return m_animator; }
    qreal boardScale() const;

    // Settings file.
    void loadinifile();
    void saveinifile();
    QString settingsFile() const;

    // GameListener.
    void playsounds(const std::string& name) override;
    void addtomineincrease(int column) override;
    void checkforhigher(int column, int value) override;
    void checkscore(int score) override;
    std::string playerName() override;
    void gameOver() override;
    void hidePanels() override;
    void showLostPanel(bool bringToFront) override;
    void showClearedPanel() override;

signals:
    // The table has been on the screen once.
    void firstFrameShown();

public:
    // Event handlers.
    void FormCreate();
    void FormShow();
    void FormResize();
    void FormClose();
    void card_19Click(ImageButton* sender);
    void image_stockClick();
    void button_startClick();
    void button_undoClick();
    void StartGame1Click();
    void Exit1Click();
    void PlaySounds1Click();
    void ResetScreenLocation1Click();
    void ChangeName1Click();
    void button_namedoneClick();
    void button_donelostClick();
    void button_cancelClick();
    void image_logoClick();
    void TallyList1Click();
    void ViewHighScoreList1Click();
    void button_sendscoreClick();
    void button_highscoresClick();
    // One tick of the posting wait; Timer1 calls it once a second, tests call it directly.
    void Timer1Timer();
    void Help2Click();
    void About1Click();
    // Deal numbers, hints and winnable deals.
    void Hint1Click();
    void SelectDeal1Click();
    void RestartDeal1Click();
    void WinnableDeals1Click();
    void AnimateCards1Click();
    // The Deal of the Day: the same winnable deal on every computer on the same date.
    void DealOfTheDay1Click();
    // The date the Deal of the Day is dealt for; an invalid date (the default) follows the
    // computer's clock.
    void setToday(const QDate& date) { m_today = date; }
    // The day ("YYYY-MM-DD") whose deal is being played, or empty when the deal is another.
    QString dailyGameDate() const;

    // The update check and the download of the installer.
    void checkupdateDoneString(QObject* Sender, const QByteArray& Result);
    void button_updateyesClick();
    void button_updatecancelClick();
    void downloadit();
    void updatecheckClick();
    // The running executable as the update sees it: the program's own file in the program
    // folder.
    QString programFile() const;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Bounds {
        int top = 0;
        int left = 0;
        int width = 0;
        int height = 0;
    };
    // What a picture control shows now, so a redraw can skip the ones that did not change.
    struct Shown {
        int image = -1; // index into the card images, -1 for no picture
        bool visible = false;
    };

    void createBoard();
    void createCards();
    void createMessagePanels();
    void createNamePanel();
    void createLostPanel();
    void createClearedPanel();
    void createUpdatePanel();
    void postingFailed();
    void askForName();
    void playMove(const std::function<void()>& move);
    void whenLanded(std::function<void()> show);
    void landed();
    void showLabels();
    void createMenu();
    void connectHandlers();
    void connectUpdateHandlers();
    void startUpdateCheck();
    void showUpdateOffer();
    void abortUpdate();
    void handOver();
    void createBoardHelpers();
    // The keyboard and screen readers: the message panels, the extra keys, hidden decoration.
    void createAccess();
    void announceHint(const Solver::Result& result);
    void createDealControls();
    void dealNext();
    void startDeal(std::uint32_t number);
    void createDailyControls();
    void showHint(const Solver::Result& result);
    void showNoWin(Solver::Verdict deal);
    void clearHint();
    void fitBoard();
    std::array<int, Game::kSlots + 3> shownImages() const;
    QString greetingText() const;

    ImageButton* pictureButton(QWidget* parent, const char* name, const QString& lettering, int x,
                               int y);
    void showCard(ImageButton* control, Shown& shown, int image, bool visible);
    Bounds bounds() const;
    void setBounds(const Bounds& bounds);
    void saveSettings(const Bounds& bounds);
    void devicePixelRatioChanged();
    void firstFramePainted();
    bool eventFilter(QObject* watched, QEvent* event) override;

    Game m_game;
    std::string m_hinted; // the position a hint was asked for, as its snapshot line
    TallyBook& m_book;
    SoundSink m_soundSink;
    SoundPlayer* m_sounds = nullptr; // made when the first sound is to be heard
    bool m_painted = false;          // the table has been on the screen once
    std::string m_heldSound;
    CardImageList imagelist_bigcards;
    QWidget* m_client = nullptr;
    Tabout* m_about = nullptr;
    Thelp* m_help = nullptr;
    Ttallylist* m_tally = nullptr;
    // The version the server offered, and whether its offer waits for the name panel to close.
    QString m_offeredVersion;
    bool m_offerWaiting = false;
    Thighscore* m_highscore = nullptr;
    // The posting wait: seconds left and full stops shown; whether "Posting Failed." has been
    // shown for the post in progress.
    int m_countdown = 0;
    int m_dots = 0;
    bool m_failureShown = false;

    QString m_shortname;
    int m_defaultWidth = 0;
    int m_defaultHeight = 0;
    Bounds m_startBounds;
    bool m_shown = false;
    qreal m_backgroundRatio = 0;

    std::array<Shown, Game::kSlots + 1> m_shownSlots{};
    Shown m_shownDiscard;
    Shown m_shownStock;

    std::unique_ptr<BoardScaler> m_scaler;
    Announcer* m_announcer = nullptr;
    BoardAccess* m_access = nullptr;
    PanelAccess* m_panels = nullptr;
    CardAnimator* m_animator = nullptr;
    // The "Animations" key is written only once the player has chosen, or found in the file.
    bool m_animationsKept = false;
    // While a move is handled, and then until its cards land, the labels keep showing the
    // position before it and the end panel it opens waits here.
    bool m_moving = false;
    std::vector<std::function<void()>> m_heldPanels;

    // The window's controls, under the names the rest of the program knows them by.
    TLbBackground* LbBackground1 = nullptr;
    TFlatPanel* panel_board = nullptr;
    QLabel* label_name = nullptr;
    TFlatPanel* panel_board1 = nullptr;
    ImageButton* Image1 = nullptr;
    ImageButton* image_logo = nullptr;
    std::array<ImageButton*, Game::kSlots + 1> cards{}; // card_1 .. card_28; [0] unused
    ImageButton* image_stockend = nullptr;
    ImageButton* image_stock = nullptr;
    ImageButton* image_discard = nullptr;
    QLabel* label_cardsleft = nullptr;
    QLabel* label_score = nullptr;
    QLabel* label_bonus = nullptr;
    ImageButton* button_start = nullptr;
    ImageButton* button_undo = nullptr;

    TFlatPanel* panel_name = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* edit_aname = nullptr;
    ImageButton* button_namedone = nullptr;

    TFlatPanel* panel_lost = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    ImageButton* button_start2 = nullptr;
    ImageButton* button_donelost = nullptr;

    TFlatPanel* panel_cleared = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* label_score1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* edit_name = nullptr;
    ImageButton* button_sendscore = nullptr;
    ImageButton* button_highscores = nullptr;
    ImageButton* button_cancel = nullptr;
    TFlatPanel* panel_wait = nullptr;
    QTimer* Timer1 = nullptr; // the posting wait, one tick a second

    TFlatPanel* panel_update = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    ImageButton* button_updateyes = nullptr;
    ImageButton* button_updatecancel = nullptr;
    QLabel* label_update = nullptr;
    THTTPGet* checkupdate = nullptr; // made when the check starts
    THttpCli getupdate;

    QMenu* file1 = nullptr;
    QAction* StartGame1 = nullptr;
    QAction* N3 = nullptr;
    QAction* Undo1 = nullptr;
    QAction* N1 = nullptr;
    QAction* Exit1 = nullptr;
    QMenu* Options1 = nullptr;
    QAction* PlaySounds1 = nullptr;
    QAction* ResetScreenLocation1 = nullptr;
    QAction* ChangeName1 = nullptr;
    QAction* updatecheck = nullptr;
    QAction* AnimateCards1 = nullptr;
    QMenu* View1 = nullptr;
    QAction* TallyList1 = nullptr;
    QAction* ViewHighScoreList1 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* Help2 = nullptr;
    QAction* N2 = nullptr;
    QAction* About1 = nullptr;

    // Deal numbers, hints and winnable deals.
    QAction* SelectDeal1 = nullptr;
    QAction* RestartDeal1 = nullptr;
    QAction* Hint1 = nullptr;
    QAction* WinnableDeals1 = nullptr;
    QLabel* label_deal = nullptr;   // the deal's number, above the table
    QLabel* label_nowin = nullptr;  // a hint's answer when the game can no longer be won
    HintMark* hint_mark = nullptr;  // a hint's answer: the card or stock to play
    SolverTask* m_dealer = nullptr; // finds winnable deals
    SolverTask* m_hinter = nullptr; // works out hints

    // The Deal of the Day: its menu item, the date asked for and the deal found for it.
    QAction* DealOfTheDay1 = nullptr;
    QDate m_today;
    QDate m_dailyDate;
    std::uint32_t m_dailyDeal = 0;
};
