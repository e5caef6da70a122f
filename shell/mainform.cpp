// Tmain: the main window, the card table with its menu and in-window message panels.
#include "mainform.h"

#include "aboutform.h"
#include "announcer.h"
#include "artwork.h"
#include "boardaccess.h"
#include "boardscaler.h"
#include "cardanimator.h"
#include "daily.h"
#include "dealnumber.h"
#include "errorbox.h"
#include "flatpanel.h"
#include "helpform.h"
#include "highscoreform.h"
#include "hintmark.h"
#include "imagebutton.h"
#include "inifile.h"
#include "lbback.h"
#include "moveline.h"
#include "paths.h"
#include "serveraddress.h"
#include "solvertask.h"
#include "sounds.h"
#include "tallybook.h"
#include "tallylistform.h"
#include "url.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>
#include <QValidator>
#include <QWindow>

#include <algorithm>
#include <tuple>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QColor kNavy(0, 0, 128);
const QColor kShadowGrey(128, 128, 128);

// The table's lettering. The family the board was laid out in is not found on Linux; DejaVu
// Sans is always installed with the program and keeps the captions inside their places.
QFont tableFont(int pixelSize, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

// A label that sizes itself to its text, like the board's score and stock labels. It is sized
// only once it has a text: measuring loads its font, and a label that shows nothing at start
// should not hold up the first frame with that.
QLabel* autoLabel(QWidget* parent, const char* name, const QString& text, int x, int y,
                  const QFont& font, const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    // Labels show the player's name and texts from files: markup in them is text.
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    setTextColour(label, colour);
    label->setGeometry(x, y, 0, 0);
    if (!text.isEmpty())
        label->adjustSize();
    BoardScaler::markFitsText(label);
    return label;
}

// A label of fixed width with its text centred in it.
QLabel* centredLabel(QWidget* parent, const char* name, const QString& text, QRect geometry,
                     const QFont& font, const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setTextColour(label, colour);
    label->setGeometry(geometry);
    return label;
}

// A message panel's title, drawn twice: grey beneath, white on top.
std::pair<QLabel*, QLabel*> shadowedTitle(QWidget* panel, const char* grey, const char* white,
                                          const QString& text, QPoint greyAt, QPoint whiteAt,
                                          int pixelSize) {
    const QFont font = tableFont(pixelSize, true);
    QLabel* below =
        centredLabel(panel, grey, text, QRect(greyAt, QSize(327, 24)), font, kShadowGrey);
    QLabel* above =
        centredLabel(panel, white, text, QRect(whiteAt, QSize(327, 24)), font, Qt::white);
    // A screen reader names the panel by its title.
    if (panel->accessibleName().isEmpty())
        panel->setAccessibleName(text);
    return {below, above};
}

void setLabelText(QLabel* label, const QString& text, bool fitToText) {
    if (label->text() == text)
        return;
    label->setText(text);
    if (fitToText)
        label->adjustSize();
}

TFlatPanel* messagePanel(QWidget* parent, const char* name, QRect geometry) {
    auto* panel = new TFlatPanel(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setGeometry(geometry);
    panel->setColor(kNavy);
    panel->setColorHighLight(Qt::white);
    panel->setColorShadow(Qt::white);
    panel->hide();
    return panel;
}

// The name fields take at most ten typed characters, yet a longer name put there by the program
// (from the settings file) stays whole and can still be shortened. A plain maximum length
// would cut such a name the moment it is set. A name is one line: a line break would end it in
// the settings file and shift the tally's table.
class NameValidator : public QValidator {
public:
    static constexpr int kMaxTyped = 10;

    explicit NameValidator(QLineEdit* edit) : QValidator(edit) {
        connect(edit, &QLineEdit::textChanged, this,
                [this](const QString& text) { m_length = text.size(); });
    }

    // A text that the program puts into the field is accepted whole, however long: it goes in
    // past the validator, which then goes on from its length.
    static void setText(QLineEdit* edit, const QString& text) {
        const QValidator* validator = edit->validator();
        edit->setValidator(nullptr);
        edit->setText(text);
        edit->setValidator(validator);
    }

    State validate(QString& input, int& pos) const override {
        if (input.contains(QLatin1Char('\n')) || input.contains(QLatin1Char('\r')))
            return Invalid;
        const int limit = std::max<int>(kMaxTyped, m_length);
        if (input.size() <= limit)
            return Acceptable;
        // A key typed into a full field is refused; a longer paste keeps the first characters
        // that fit, wherever it went in.
        if (input.size() == m_length + 1)
            return Invalid;
        input.truncate(limit);
        pos = std::min(pos, limit);
        return Acceptable;
    }

private:
    int m_length = 0;
};

QLineEdit* nameEdit(QWidget* parent, const char* name, QRect geometry) {
    // A line edit lays out its text as it is made, in the font it has then. Made inside the
    // table it would load the table's default font, which nothing on the first frame shows;
    // made on its own it takes the application's font, which the menu needs anyway.
    auto* edit = new QLineEdit;
    edit->setFont(tableFont(19));
    edit->setParent(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    edit->setPalette(palette);
    edit->setValidator(new NameValidator(edit));
    return edit;
}

// Marks for other processes that a copy of the program runs, as a shared lock on a file named
// after the program. Nothing waits on it and nothing is refused: a failure is ignored, and the
// descriptor stays open until the process ends, which releases the lock.
void createNamedMutex(const QString& name) {
    // One mark per process is enough, however many windows a test creates.
    static bool created = false;
    if (created)
        return;
    created = true;
    const QByteArray path = QFile::encodeName(paths::lockFile(name));
    // No following of links: the shared temporary folder must not lead the file elsewhere.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd >= 0)
        (void)::flock(fd, LOCK_SH | LOCK_NB);
}

// The program's short name: the settings section and the base of its files' names.
constexpr char kShortname[] = "solmarin";
constexpr const char* kSection = kShortname;

// Whether at least 100 x 100 pixels of `bounds` lie on one of the screens' available areas.
bool showsOnAScreen(const QRect& bounds) {
    constexpr int kLeast = 100;
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return true;
    for (const QScreen* screen : screens) {
        const QRect shown = bounds.intersected(screen->availableGeometry());
        if (shown.width() >= kLeast && shown.height() >= kLeast)
            return true;
    }
    return false;
}

// Written only once the player has changed "Automatically Check for Updates".
constexpr const char* kUpdatesKey = "Updates";

} // namespace

Tmain::Tmain(TallyBook& tally, SoundSink soundSink, QWidget* parent)
    : QMainWindow(parent), m_game(this), m_book(tally), m_soundSink(std::move(soundSink)),
      imagelist_bigcards(devicePixelRatioF()) {
    setWindowTitle(QStringLiteral("Solmarin"));
    m_client = new QWidget(this);
    m_client->setAutoFillBackground(true);
    QPalette palette = m_client->palette();
    palette.setColor(QPalette::Window, kNavy);
    m_client->setPalette(palette);
    m_client->setFont(tableFont(11));
    setCentralWidget(m_client);
    LbBackground1 = new TLbBackground(m_client);
    LbBackground1->setObjectName(QStringLiteral("LbBackground1"));
    // The other windows copy the cloth when they are created, before this one is shown.
    devicePixelRatioChanged();
    m_client->installEventFilter(this);

    createBoard();
    createMessagePanels();
    createMenu();
    connectHandlers();
    createBoardHelpers();
    createDealControls();
    createDailyControls();
    createAccess();
    // Whenever a message panel closes the keys go back to the table, so that every menu
    // shortcut works again instead of, say, the name field's own undo.
    for (auto* panel :
         panel_board1->findChildren<TFlatPanel*>(QString(), Qt::FindDirectChildrenOnly))
        panel->installEventFilter(this);
    m_client->setMinimumSize(panel_board->width() + 5, panel_board->height() + 5);
    resize(774, 541);
    refresh();
    errorbox::guard([this] { FormCreate(); });
}

Tmain::~Tmain() = default;

// ---- Building the window -------------------------------------------------------------------

void Tmain::createBoard() {
    panel_board = new TFlatPanel(m_client);
    panel_board->setObjectName(QStringLiteral("panel_board"));
    panel_board->setGeometry(0, 0, 766, 495);
    panel_board->setTransparent(true);
    panel_board->setColorHighLight(kNavy);
    panel_board->setColorShadow(kNavy);

    label_name = autoLabel(panel_board, "label_name", QString(), 14, 14, tableFont(13), Qt::white);

    panel_board1 = new TFlatPanel(panel_board);
    panel_board1->setObjectName(QStringLiteral("panel_board1"));
    panel_board1->setGeometry(15, 33, 737, 448);
    panel_board1->setTransparent(true);
    panel_board1->setColorHighLight(Qt::white);
    panel_board1->setColorShadow(Qt::white);

    Image1 = new ImageButton(panel_board1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(1, 1, 735, 446);
    Image1->setPressedFeedback(false);
    Image1->setPictureSource(&artwork::table);

    image_logo = new ImageButton(panel_board1);
    image_logo->setObjectName(QStringLiteral("image_logo"));
    image_logo->setGeometry(6, 401, 214, 41);
    image_logo->setPressedFeedback(false);
    image_logo->setCursor(Qt::PointingHandCursor);
    image_logo->setPictureSource(&artwork::logo);

    createCards();

    const QFont cardsLeftFont = tableFont(11, true);
    label_cardsleft =
        autoLabel(panel_board1, "label_cardsleft", QString(), 291, 425, cardsLeftFont, Qt::white);
    label_score =
        autoLabel(panel_board1, "label_score", QString(), 467, 369, tableFont(16, true), Qt::white);
    label_bonus =
        autoLabel(panel_board1, "label_bonus", QString(), 456, 403, tableFont(13, true), Qt::white);

    button_start = pictureButton(panel_board1, "button_start", tr("START GAME"), 600, 400);
    button_undo = pictureButton(panel_board1, "button_undo", tr("UNDO -3"), 600, 360);
    button_undo->hide();
}

void Tmain::createCards() {
    struct Place {
        int left;
        int top;
    };
    // Fixed places, not a formula: the last slots of rows 3 and 4 sit a pixel further right.
    static constexpr Place kPlaces[Game::kSlots + 1] = {
        {0, 0},     {125, 11},  {333, 11},  {549, 11},  {89, 73},   {161, 73},
        {297, 73},  {369, 73},  {513, 73},  {585, 73},  {45, 139},  {117, 139},
        {189, 139}, {261, 139}, {333, 139}, {405, 139}, {477, 139}, {549, 139},
        {622, 139}, {9, 211},   {81, 211},  {153, 211}, {225, 211}, {297, 211},
        {369, 211}, {441, 211}, {513, 211}, {586, 211}, {659, 211},
    };
    // Created in slot order, so every row lies above the row it covers.
    for (int n = 1; n <= Game::kSlots; ++n) {
        auto* card = new ImageButton(panel_board1);
        card->setObjectName(QStringLiteral("card_%1").arg(n));
        card->setHint(QString::number(n));
        card->setGeometry(kPlaces[n].left, kPlaces[n].top, artwork::kCardWidth,
                          artwork::kCardHeight);
        card->setPressedFeedback(false);
        card->hide();
        cards[n] = card;
    }

    image_stockend = new ImageButton(panel_board1);
    image_stockend->setObjectName(QStringLiteral("image_stockend"));
    image_stockend->setGeometry(292, 322, 72, 97);
    image_stockend->setPressedFeedback(false);
    image_stockend->setPictureSource(&artwork::emptyStock);

    image_stock = new ImageButton(panel_board1);
    image_stock->setObjectName(QStringLiteral("image_stock"));
    image_stock->setGeometry(293, 323, artwork::kCardWidth, artwork::kCardHeight);
    image_stock->setPressedFeedback(false);

    image_discard = new ImageButton(panel_board1);
    image_discard->setObjectName(QStringLiteral("image_discard"));
    image_discard->setGeometry(381, 323, artwork::kCardWidth, artwork::kCardHeight);
    image_discard->setPressedFeedback(false);
}

ImageButton* Tmain::pictureButton(QWidget* parent, const char* name, const QString& lettering,
                                  int x, int y) {
    auto* button = new ImageButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(x, y, 126, 40);
    button->setCursor(Qt::PointingHandCursor);
    button->setAccessibleName(lettering);
    // Reached with Tab, pressed with Space or Enter.
    button->setFocusPolicy(Qt::TabFocus);
    button->setPictureSource([lettering](qreal dpr) { return artwork::button(lettering, dpr); });
    return button;
}

void Tmain::createMessagePanels() {
    createNamePanel();
    createLostPanel();
    createClearedPanel();
    createUpdatePanel();
}

void Tmain::createNamePanel() {
    panel_name = messagePanel(panel_board1, "panel_name", QRect(205, 96, 329, 161));
    std::tie(Label5, Label6) =
        shadowedTitle(panel_name, "Label5", "Label6", tr("ENTER YOUR NAME"), {-1, 10}, {1, 9}, 19);
    edit_aname = nameEdit(panel_name, "edit_aname", QRect(83, 52, 161, 32));
    button_namedone = pictureButton(panel_name, "button_namedone", tr("DONE"), 99, 106);
}

void Tmain::createLostPanel() {
    panel_lost = messagePanel(panel_board1, "panel_lost", QRect(205, 120, 329, 105));
    std::tie(Label7, Label8) =
        shadowedTitle(panel_lost, "Label7", "Label8", tr("SORRY, YOU LOST!"), {-1, 10}, {1, 9}, 19);
    button_start2 = pictureButton(panel_lost, "button_start2", tr("START GAME"), 27, 49);
    button_donelost = pictureButton(panel_lost, "button_donelost", tr("DONE"), 170, 50);
}

void Tmain::createClearedPanel() {
    panel_cleared = messagePanel(panel_board1, "panel_cleared", QRect(205, 65, 329, 233));
    std::tie(Label1, Label2) = shadowedTitle(panel_cleared, "Label1", "Label2",
                                             tr("YOUR CLEARED THE BOARD!"), {-1, 10}, {1, 9}, 19);
    label_score1 = centredLabel(panel_cleared, "label_score1", QString(), QRect(2, 41, 325, 24),
                                tableFont(16, true), QColor(255, 0, 0));
    std::tie(Label3, Label4) = shadowedTitle(panel_cleared, "Label3", "Label4",
                                             tr("Enter Your Name"), {2, 69}, {2, 68}, 16);
    edit_name = nameEdit(panel_cleared, "edit_name", QRect(83, 91, 161, 32));
    button_sendscore = pictureButton(panel_cleared, "button_sendscore", tr("SEND SCORE"), 34, 133);
    button_highscores =
        pictureButton(panel_cleared, "button_highscores", tr("HIGH SCORES"), 171, 133);
    button_cancel = pictureButton(panel_cleared, "button_cancel", tr("CANCEL"), 98, 181);

    // While a score is posted this lies over SEND SCORE and HIGH SCORES, but not over CANCEL.
    panel_wait = messagePanel(panel_cleared, "panel_wait", QRect(28, 128, 275, 50));
    panel_wait->setFont(tableFont(13, true));
    panel_wait->setFontColor(Qt::white);
    panel_wait->setCaption(tr("Posting Score, Please Wait......"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
}

void Tmain::createUpdatePanel() {
    panel_update = messagePanel(panel_board1, "panel_update", QRect(205, 96, 329, 161));
    std::tie(Label15, Label16) = shadowedTitle(panel_update, "Label15", "Label16",
                                               tr("Update Available"), {-1, 10}, {1, 9}, 19);
    std::tie(Label17, Label18) =
        shadowedTitle(panel_update, "Label17", "Label18", tr("Would you like to update now?"),
                      {-1, 40}, {1, 39}, 13);
    button_updateyes = pictureButton(panel_update, "button_updateyes", tr("OK"), 34, 72);
    button_updatecancel = pictureButton(panel_update, "button_updatecancel", tr("CANCEL"), 171, 72);
    label_update = centredLabel(panel_update, "label_update", QString(), QRect(2, 128, 325, 20),
                                tableFont(11, true), Qt::white);
}

void Tmain::createMenu() {
    auto action = [this](QMenu* menu, const char* name, const QString& caption,
                         const QKeySequence& shortcut = {}) {
        QAction* item = menu->addAction(caption);
        item->setObjectName(QLatin1String(name));
        item->setShortcut(shortcut);
        return item;
    };
    auto separator = [](QMenu* menu, const char* name) {
        QAction* item = menu->addSeparator();
        item->setObjectName(QLatin1String(name));
        return item;
    };
    auto menu = [this](const char* name, const QString& caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        return m;
    };

    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    file1 = menu("file1", tr("Game"));
    StartGame1 =
        action(file1, "StartGame1", tr("Start New Game"), QKeySequence(Qt::CTRL | Qt::Key_S));
    N3 = separator(file1, "N3");
    Undo1 = action(file1, "Undo1", tr("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    N1 = separator(file1, "N1");
    Exit1 = action(file1, "Exit1", tr("Exit"));

    Options1 = menu("Options1", tr("Options"));
    PlaySounds1 = action(Options1, "PlaySounds1", tr("Play Sounds"));
    PlaySounds1->setCheckable(true);
    PlaySounds1->setChecked(true);
    ResetScreenLocation1 = action(Options1, "ResetScreenLocation1", tr("Reset Screen Location"));
    ChangeName1 = action(Options1, "ChangeName1", tr("Change  Name"));
    // Its mark is read once, when the window is first shown, and kept in the settings once the
    // player has changed it.
    updatecheck = action(Options1, "updatecheck", tr("Automatically Check for Updates"));
    updatecheck->setCheckable(true);
    updatecheck->setChecked(true);
    AnimateCards1 = action(Options1, "AnimateCards1", tr("Animate Cards"));
    AnimateCards1->setCheckable(true);
    AnimateCards1->setChecked(true);

    View1 = menu("View1", tr("View"));
    TallyList1 = action(View1, "TallyList1", tr("Tally List"));
    ViewHighScoreList1 = action(View1, "ViewHighScoreList1", tr("View High Score List"));

    Help1 = menu("Help1", tr("Help"));
    Help2 = action(Help1, "Help2", tr("Help"), QKeySequence(Qt::Key_F1));
    N2 = separator(Help1, "N2");
    About1 = action(Help1, "About1", tr("About"));
}

void Tmain::connectHandlers() {
    auto on = [this](auto* sender, auto signal, void (Tmain::*handler)()) {
        connect(sender, signal, this,
                [this, handler] { errorbox::guard([&] { (this->*handler)(); }); });
    };
    for (int n = 1; n <= Game::kSlots; ++n) {
        ImageButton* card = cards[n];
        connect(card, &ImageButton::clicked, this,
                [this, card] { errorbox::guard([&] { card_19Click(card); }); });
    }
    on(image_stock, &ImageButton::clicked, &Tmain::image_stockClick);
    on(button_start, &ImageButton::clicked, &Tmain::button_startClick);
    on(button_start2, &ImageButton::clicked, &Tmain::button_startClick);
    on(button_undo, &ImageButton::clicked, &Tmain::button_undoClick);
    on(button_namedone, &ImageButton::clicked, &Tmain::button_namedoneClick);
    on(edit_aname, &QLineEdit::returnPressed, &Tmain::button_namedoneClick);
    on(button_donelost, &ImageButton::clicked, &Tmain::button_donelostClick);
    on(button_cancel, &ImageButton::clicked, &Tmain::button_cancelClick);
    on(button_sendscore, &ImageButton::clicked, &Tmain::button_sendscoreClick);
    on(button_highscores, &ImageButton::clicked, &Tmain::button_highscoresClick);
    on(Timer1, &QTimer::timeout, &Tmain::Timer1Timer);
    on(image_logo, &ImageButton::clicked, &Tmain::image_logoClick);

    on(StartGame1, &QAction::triggered, &Tmain::StartGame1Click);
    on(Undo1, &QAction::triggered, &Tmain::button_undoClick);
    on(Exit1, &QAction::triggered, &Tmain::Exit1Click);
    on(PlaySounds1, &QAction::triggered, &Tmain::PlaySounds1Click);
    on(ResetScreenLocation1, &QAction::triggered, &Tmain::ResetScreenLocation1Click);
    on(ChangeName1, &QAction::triggered, &Tmain::ChangeName1Click);
    on(TallyList1, &QAction::triggered, &Tmain::TallyList1Click);
    on(ViewHighScoreList1, &QAction::triggered, &Tmain::ViewHighScoreList1Click);
    on(Help2, &QAction::triggered, &Tmain::Help2Click);
    on(About1, &QAction::triggered, &Tmain::About1Click);
    connectUpdateHandlers();
    on(AnimateCards1, &QAction::triggered, &Tmain::AnimateCards1Click);
}

void Tmain::createBoardHelpers() {
    m_scaler = std::make_unique<BoardScaler>(panel_board);
    m_announcer = new Announcer(this);
    m_access = new BoardAccess(this, m_game, {panel_board1, cards, image_stock, image_discard},
                               m_announcer);
    m_animator = new CardAnimator(
        {panel_board1, Image1, cards, image_stock, image_discard},
        [this](int image) { return imagelist_bigcards.image(image); }, this);
    connect(m_animator, &CardAnimator::landed, this,
            [this] { errorbox::guard([this] { landed(); }); });
}

// ---- Drawing from the engine ---------------------------------------------------------------

void Tmain::showCard(ImageButton* control, Shown& shown, int image, bool visible) {
    if (shown.image != image) {
        if (image < 0) {
            control->clearPicture();
        } else {
            // All pictures of the window share one ratio, so setting it here is idempotent;
            // a move to a screen of another ratio redraws the cards at the new one.
            control->setPictureSource([this, image](qreal dpr) {
                imagelist_bigcards.setDevicePixelRatio(dpr);
                return imagelist_bigcards.image(image);
            });
        }
        shown.image = image;
    }
    if (shown.visible != visible) {
        control->setVisible(visible);
        shown.visible = visible;
    }
}

void Tmain::refresh() {
    for (int n = 1; n <= Game::kSlots; ++n) {
        const Game::Slot& slot = m_game.slot(n);
        int image = -1;
        if (slot.picture == Game::Picture::Back)
            image = 0;
        else if (slot.picture == Game::Picture::Face)
            image = slot.card;
        showCard(cards[n], m_shownSlots[n], image, slot.visible);
    }
    showCard(image_discard, m_shownDiscard, m_game.discard() > 0 ? m_game.discard() : -1, true);
    showCard(image_stock, m_shownStock, m_game.stockShowsBack() ? 0 : -1, true);

    if (!m_moving && !m_animator->running())
        showLabels();
    setLabelText(label_name, greetingText(), true);
    if (button_undo->isVisibleTo(panel_board1) != m_game.undoButtonVisible())
        button_undo->setVisible(m_game.undoButtonVisible());
    Undo1->setEnabled(m_game.undoMenuEnabled());
    Hint1->setEnabled(m_game.playing());

    const std::optional<std::uint32_t> number = m_game.dealNumber();
    const QString day = dailyGameDate();
    label_deal->setText(!day.isEmpty() ? tr("Deal of the Day %1 (deal %2)").arg(day).arg(*number)
                        : number       ? tr("Deal %1").arg(*number)
                                       : QString());
    RestartDeal1->setEnabled(number.has_value());
    if (!m_hinted.empty() && m_hinted != m_game.snapshot())
        clearHint();
    m_access->refreshed();
}

void Tmain::showLabels() {
    setLabelText(label_score, tr("Score: %1").arg(m_game.score()), true);
    setLabelText(label_bonus, QString::fromStdString(m_game.bonusText()), true);
    setLabelText(label_cardsleft, tr("Cards Left: %1").arg(m_game.cardsLeft()), true);
}

// The engine greets in English; the table greets in the player's language. The greeting is
// the welcome until the first deal, then the good wish with the name the deal found.
QString Tmain::greetingText() const {
    static const std::string kGoodLuck = "Good Luck ";
    const std::string& greeting = m_game.greeting();
    if (greeting.compare(0, kGoodLuck.size(), kGoodLuck) == 0)
        return tr("Good Luck %1").arg(QString::fromStdString(greeting.substr(kGoodLuck.size())));
    return tr("Welcome to Solmarin by Velbor Software!");
}

std::array<int, Game::kSlots + 3> Tmain::shownImages() const {
    std::array<int, Game::kSlots + 3> shown{};
    auto image = [](const Shown& s) { return s.visible ? s.image : -1; };
    for (int n = 1; n <= Game::kSlots; ++n)
        shown[n] = image(m_shownSlots[n]);
    shown[CardAnimator::kDiscardIndex] = image(m_shownDiscard);
    shown[CardAnimator::kStockIndex] = image(m_shownStock);
    return shown;
}

// ---- Life of the window --------------------------------------------------------------------

void Tmain::FormCreate() {
    m_shortname = QLatin1String(kShortname);
    createNamedMutex(m_shortname);
    m_defaultWidth = 774;
    m_defaultHeight = 541;
    const QTime now = QDateTime::currentDateTimeUtc().time();
    m_game.random().setSeed(
        Random::seedFromTime(now.hour(), now.minute(), now.second(), now.msec()));
    loadinifile();
    // The engine starts with no game in progress and its cover table filled.
    playsounds("entered");
    askForName();
}

void Tmain::FormShow() {
    // Only the mark is read here. The check itself waits for the table's first frame, so that
    // loading the network module does not hold up the window.
    if (!updatecheck->isChecked())
        return;
    if (m_painted)
        startUpdateCheck();
    else
        connect(
            this, &Tmain::firstFrameShown, this,
            [this] { errorbox::guard([this] { startUpdateCheck(); }); }, Qt::SingleShotConnection);
}

void Tmain::FormResize() {
    const int minHeight = panel_board->height() + 5;
    const int minWidth = panel_board->width() + 5;
    const int growHeight = std::max(0, minHeight - m_client->height());
    const int growWidth = std::max(0, minWidth - m_client->width());
    if (growHeight > 0 || growWidth > 0)
        resize(width() + growWidth, height() + growHeight);
}

void Tmain::FormClose() {
    Bounds now = bounds();
    const Bounds& start = m_startBounds;
    if (now.top != start.top || now.left != start.left || now.height != start.height ||
        now.width != start.width) {
        // A window larger than the work area (a maximised one, where the frame hangs over the
        // edges) is kept a little smaller, so the next start does not open it over the edges.
        const QRect work = screen()->availableGeometry();
        if (now.width > work.width())
            now.width -= 3;
        if (now.height > work.height())
            now.height -= 3;
        if (now.width != width() || now.height != height())
            resize(now.width, now.height);
    }
    saveSettings(now);
}

void Tmain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (QWindow* window = windowHandle())
        connect(window, &QWindow::screenChanged, this, [this] { devicePixelRatioChanged(); });
    devicePixelRatioChanged();
    errorbox::guard([this] { FormShow(); });
}

void Tmain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The table first fits the new size, so the minimum below is measured at its own size.
    fitBoard();
    errorbox::guard([this] { FormResize(); });
}

// The table grows with the window, as a whole; the window's frame and menu do not.
void Tmain::fitBoard() {
    if (m_defaultWidth <= 0 || !m_scaler)
        return;
    const QSize chrome = size() - m_client->size();
    // Where the frame and menu leave less than the minimum at the designed size, the minimum
    // is the designed table's room.
    const QSize designClient =
        (QSize(m_defaultWidth, m_defaultHeight) - chrome).expandedTo(m_client->minimumSize());
    const qreal before = m_scaler->scale();
    m_scaler->fit(m_client->size(), designClient);
    if (m_scaler->scale() != before)
        m_animator->finish();
}

qreal Tmain::boardScale() const {
    return m_scaler ? m_scaler->scale() : 1.0;
}

void Tmain::closeEvent(QCloseEvent* event) {
    errorbox::guard([this] { FormClose(); });
    event->accept();
}

void Tmain::devicePixelRatioChanged() {
    const qreal ratio = devicePixelRatioF();
    if (ratio == m_backgroundRatio)
        return;
    m_backgroundRatio = ratio;
    LbBackground1->setPicture(artwork::clothTile(ratio));
}

Tmain::Bounds Tmain::bounds() const {
    return {y(), x(), width(), height()};
}

void Tmain::setBounds(const Bounds& bounds) {
    move(bounds.left, bounds.top);
    resize(bounds.width, bounds.height);
}

// ---- Settings file -------------------------------------------------------------------------

QString Tmain::settingsFile() const {
    return paths::settingsFile(m_shortname + QStringLiteral(".ini"));
}

void Tmain::loadinifile() {
    const std::string path = QFile::encodeName(settingsFile()).toStdString();
    Bounds start;
    start.top = inifile::readInt(path, kSection, "Top", 3);
    start.left = inifile::readInt(path, kSection, "Left", 3);
    start.width = inifile::readInt(path, kSection, "Width", m_defaultWidth);
    start.height = inifile::readInt(path, kSection, "Height", m_defaultHeight);
    // A place where the window would hardly show (a monitor that is gone, another screen size)
    // would leave the player without a window to move; the default place is used instead.
    if (!showsOnAScreen(QRect(start.left, start.top, start.width, start.height))) {
        start.left = 3;
        start.top = 3;
    }
    m_startBounds = start;
    setBounds(start);
    // Only the exact text "no" silences the game.
    PlaySounds1->setChecked(inifile::readString(path, kSection, "Sounds", "yes") != "no");
    WinnableDeals1->setChecked(inifile::readString(path, kSection, "WinnableDeals", "no") == "yes");
    const QString name =
        QString::fromStdString(inifile::readString(path, kSection, "Name", "Guest"));
    NameValidator::setText(edit_name, name);
    NameValidator::setText(edit_aname, edit_name->text());
    // Players who run a score server of their own name it here; the key is only ever read.
    serveraddress::setConfigured(inifile::readString(path, kSection, "Server", ""));
    updatecheck->setChecked(inifile::readString(path, kSection, kUpdatesKey, "yes") != "no");
    // Animations are on unless the player turned them off; only then is the key kept.
    const std::string animations = inifile::readString(path, kSection, "Animations", "");
    m_animationsKept = !animations.empty();
    AnimateCards1->setChecked(animations != "no");
    m_animator->setEnabled(AnimateCards1->isChecked());
}

void Tmain::saveinifile() {
    saveSettings(bounds());
}

void Tmain::saveSettings(const Bounds& bounds) {
    const std::string path = QFile::encodeName(settingsFile()).toStdString();
    inifile::writeInt(path, kSection, "Top", bounds.top);
    inifile::writeInt(path, kSection, "Left", bounds.left);
    inifile::writeInt(path, kSection, "Width", bounds.width);
    inifile::writeInt(path, kSection, "Height", bounds.height);
    inifile::writeString(path, kSection, "Name", edit_name->text().toStdString());
    inifile::writeString(path, kSection, "Sounds", PlaySounds1->isChecked() ? "yes" : "no");
    if (m_animationsKept)
        inifile::writeString(path, kSection, "Animations",
                             AnimateCards1->isChecked() ? "yes" : "no");
}

// ---- What the engine tells the window ------------------------------------------------------

void Tmain::playsounds(const std::string& name) {
    if (!PlaySounds1->isChecked())
        return;
    if (m_soundSink) {
        m_soundSink(name);
        return;
    }
    // Opening the audio output takes longer than drawing the whole table, so the sound asked
    // for at start waits until the table is on the screen. Sounds cut each other off anyway,
    // so only the last one asked for meanwhile is kept.
    if (!m_painted) {
        m_heldSound = name;
        return;
    }
    if (!m_sounds)
        m_sounds = new SoundPlayer(this);
    m_sounds->play(QString::fromStdString(name));
}

bool Tmain::eventFilter(QObject* watched, QEvent* event) {
    // A panel hidden by the program, not one that merely goes with a minimised window. The
    // keys it held go to the table, where the menu's shortcuts and the card keys work.
    if (event->type() == QEvent::Hide && watched->parent() == panel_board1 &&
        static_cast<QWidget*>(watched)->isHidden()) {
        QWidget* focus = focusWidget();
        if (!focus || static_cast<QWidget*>(watched)->isAncestorOf(focus))
            panel_board1->setFocus(Qt::OtherFocusReason);
    }
    if (watched == m_client && event->type() == QEvent::Paint && !m_painted) {
        m_client->removeEventFilter(this);
        // Still inside the first paint: the held sound starts once the frame is out.
        QTimer::singleShot(0, this, [this] { firstFramePainted(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void Tmain::firstFramePainted() {
    m_painted = true;
    std::string held;
    held.swap(m_heldSound);
    if (!held.empty())
        errorbox::guard([&] { playsounds(held); });
    emit firstFrameShown();
}

void Tmain::addtomineincrease(int column) {
    m_book.addtomineincrease(column);
}

void Tmain::checkforhigher(int column, int value) {
    m_book.checkforhigher(column, value);
}

// A cleared board is entered under the name in the field at this moment.
void Tmain::checkscore(int score) {
    m_book.checkscore(score, playerName());
}

// A finished game reaches the tally file at once, so a process that is killed later loses no
// more than the game in progress.
void Tmain::gameOver() {
    m_book.gameOver();
}

QString Tmain::tallyFile() {
    return paths::dataFile(QLatin1String(kShortname) + QStringLiteral("tally.tld"));
}

QPixmap Tmain::backgroundTile() const {
    return LbBackground1->picture();
}

std::string Tmain::playerName() {
    return edit_name->text().toStdString();
}

void Tmain::hidePanels() {
    m_heldPanels.clear();
    panel_wait->hide();
    panel_lost->hide();
    panel_name->hide();
    panel_cleared->hide();
}

void Tmain::showLostPanel(bool bringToFront) {
    whenLanded([this, bringToFront] {
        panel_lost->show();
        if (bringToFront)
            panel_lost->raise();
    });
}

void Tmain::showClearedPanel() {
    const QString title = tr("You Cleared The Board!");
    const QString score = tr("Your Score: %1").arg(m_game.score());
    whenLanded([this, title, score] {
        Label1->setText(title);
        Label2->setText(title);
        label_score1->setText(score);
        button_sendscore->show();
        panel_cleared->show();
        panel_cleared->raise();
    });
}

// An end panel opened by a move waits until the move's last card has landed, so that nothing
// flies beneath it.
void Tmain::whenLanded(std::function<void()> show) {
    if (m_moving)
        m_heldPanels.push_back(std::move(show));
    else
        show();
}

// A move changes the engine and the cards' pictures at once; the flying cards are painted over
// them. The labels and an end panel follow when the cards land.
void Tmain::playMove(const std::function<void()>& move) {
    m_animator->finish();
    const auto before = shownImages();
    {
        m_moving = true;
        const auto moved = qScopeGuard([this] { m_moving = false; });
        move();
        refresh();
    }
    m_animator->moved(before, shownImages());
    if (!m_animator->running())
        landed();
}

void Tmain::landed() {
    showLabels();
    std::vector<std::function<void()>> held;
    held.swap(m_heldPanels);
    for (const auto& show : held)
        show();
    // The keys go on to the panel that opened.
    if (!held.empty())
        m_access->refreshed();
}

// ---- Handlers ------------------------------------------------------------------------------

// A click during an animation ends it at once and is then handled like any other.
void Tmain::card_19Click(ImageButton* sender) {
    const int slot = sender->hint().toInt();
    playMove([this, slot] { m_game.card_19Click(slot); });
}

void Tmain::image_stockClick() {
    playMove([this] { m_game.image_stockClick(); });
}

void Tmain::button_startClick() {
    // A winnable deal may take a moment to find; the board is dealt when it is there. It is the
    // ordinary sequence's next winnable deal, and the sequence goes on after it.
    if (WinnableDeals1->isChecked()) {
        m_dealer->findWinnableDeal(m_game.random().seed(), [this](std::uint32_t number) {
            m_game.random().setSeed(number);
            dealNext();
        });
        return;
    }
    dealNext();
}

// The next deal of the random sequence.
void Tmain::dealNext() {
    m_dealer->cancel();
    m_animator->finish();
    m_game.button_startClick();
    refresh();
}

void Tmain::button_undoClick() {
    m_animator->finish();
    m_game.button_undoClick();
    refresh();
}

void Tmain::StartGame1Click() {
    button_startClick();
    panel_cleared->hide();
}

void Tmain::Exit1Click() {
    close();
}

// The menu has flipped the mark already; the file follows it at once.
void Tmain::PlaySounds1Click() {
    saveinifile();
}

// The check mark has flipped; a player who turns the check off is never contacted again.
void Tmain::updatecheckClick() {
    const std::string path = QFile::encodeName(settingsFile()).toStdString();
    inifile::writeString(path, kSection, kUpdatesKey, updatecheck->isChecked() ? "yes" : "no");
}

void Tmain::ResetScreenLocation1Click() {
    if (isMaximized() || isFullScreen())
        showNormal();
    setBounds({3, 3, m_defaultWidth, m_defaultHeight});
}

void Tmain::ChangeName1Click() {
    askForName();
}

// Asked for a name, the player types it straight away: the field has the keys and its text is
// selected, so the first letter replaces the old name and Enter takes the new one.
void Tmain::askForName() {
    panel_name->show();
    panel_name->raise();
    edit_aname->setFocus(Qt::OtherFocusReason);
    edit_aname->selectAll();
}

void Tmain::button_namedoneClick() {
    NameValidator::setText(edit_name, edit_aname->text());
    panel_name->hide();
    if (m_offerWaiting)
        showUpdateOffer();
}

void Tmain::button_donelostClick() {
    panel_lost->hide();
}

void Tmain::button_cancelClick() {
    panel_cleared->hide();
}

// The maker's web site, through the About window's opener, shown or not.
void Tmain::image_logoClick() {
    if (m_about)
        m_about->URL1->open();
}

void Tmain::TallyList1Click() {
    if (m_tally)
        m_tally->show();
}

// The main list, whatever was played; the window offers the day's list beside it.
void Tmain::ViewHighScoreList1Click() {
    if (!m_highscore)
        return;
    m_highscore->loadit();
    m_highscore->show();
}

// After a Deal of the Day, that day's list.
void Tmain::button_highscoresClick() {
    if (!m_highscore)
        return;
    const QString day = dailyGameDate();
    if (day.isEmpty()) {
        m_highscore->loadit();
    } else {
        m_highscore->setDailyDate(day);
        m_highscore->loadDaily();
    }
    m_highscore->show();
}

namespace {

// Today as "m/d/yy", with the date separator of the user's locale. Locales that write their
// dates with blanks or with words between the numbers have no such separator; they get "/".
QString postingDate() {
    const QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    QChar separator = QLatin1Char('/');
    for (const QChar c : format) {
        if (c.isLetter())
            continue;
        if (c == QLatin1Char('.') || c == QLatin1Char('-'))
            separator = c;
        break;
    }
    const QDate today = QDate::currentDate();
    return QString::number(today.month()) + separator + QString::number(today.day()) + separator +
           QStringLiteral("%1").arg(today.year() % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

void Tmain::button_sendscoreClick() {
    if (edit_name->text().isEmpty())
        NameValidator::setText(edit_name, QStringLiteral("Guest"));
    // A post that cannot even be started shows as one that is never answered.
    // A numbered deal proves its score with its moves, unless they are more than the server
    // reads; such a score goes without them, as an older game's would.
    QString deal, moves;
    const std::optional<std::uint32_t> number = m_game.dealNumber();
    if (number && m_game.moveCount() <= moveline::kMaxMoves) {
        deal = QString::number(*number);
        moves = QString::fromStdString(m_game.moveLine());
    }
    try {
        if (m_highscore)
            m_highscore->sendscore(edit_name->text(), postingDate(),
                                   QString::number(m_game.score()), deal, moves,
                                   deal.isEmpty() ? QString() : dailyGameDate());
    } catch (...) {
    }
    m_countdown = 40;
    m_dots = 0;
    m_failureShown = false;
    Timer1->start();
    panel_wait->show();
    panel_wait->raise();
}

void Tmain::Timer1Timer() {
    --m_countdown;
    if (++m_dots > 5)
        m_dots = 1;
    panel_wait->setCaption(tr("Posting Score, Please Wait") + QString(m_dots, QLatin1Char('.')));
    if (m_countdown == 0 && !m_failureShown) {
        postingFailed();
        Timer1->stop();
    }
}

// Shown once per post, whether the wait ran out or the server refused the score; the panel
// then stays over the send and list buttons, so only CANCEL is left.
void Tmain::postingFailed() {
    m_failureShown = true;
    errorbox::show(tr("Posting Failed."));
}

void Tmain::setHighscoreWindow(Thighscore* highscore) {
    m_highscore = highscore;
    connect(highscore, &Thighscore::posted, this, [this] {
        panel_cleared->hide();
        Timer1->stop();
    });
    connect(highscore, &Thighscore::postFailed, this, [this] {
        Timer1->stop();
        if (!m_failureShown)
            postingFailed();
    });
}

void Tmain::Help2Click() {
    if (m_help)
        m_help->show();
}

void Tmain::About1Click() {
    if (m_about)
        m_about->show();
}

// ---- Deal numbers, hints and winnable deals ------------------------------------------------

void Tmain::createDealControls() {
    auto action = [this](QMenu* menu, QAction* before, const char* name, const QString& caption) {
        auto* item = new QAction(caption, menu);
        item->setObjectName(QLatin1String(name));
        menu->insertAction(before, item);
        return item;
    };
    SelectDeal1 = action(file1, N3, "SelectDeal1", tr("Select Deal..."));
    RestartDeal1 = action(file1, N3, "RestartDeal1", tr("Restart Deal"));
    Hint1 = action(file1, N1, "Hint1", tr("Hint"));
    Hint1->setShortcut(QKeySequence(Qt::Key_H));
    WinnableDeals1 = action(Options1, nullptr, "WinnableDeals1", tr("Winnable Deals Only"));
    WinnableDeals1->setCheckable(true);
    auto on = [this](QAction* item, void (Tmain::*handler)()) {
        connect(item, &QAction::triggered, this,
                [this, handler] { errorbox::guard([&] { (this->*handler)(); }); });
    };
    on(SelectDeal1, &Tmain::SelectDeal1Click);
    on(RestartDeal1, &Tmain::RestartDeal1Click);
    on(Hint1, &Tmain::Hint1Click);
    on(WinnableDeals1, &Tmain::WinnableDeals1Click);

    // Above the table's top right corner, out of the way of every specified control.
    label_deal = new QLabel(panel_board);
    label_deal->setObjectName(QStringLiteral("label_deal"));
    label_deal->setFont(tableFont(11));
    setTextColour(label_deal, QColor(170, 180, 230));
    label_deal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label_deal->setGeometry(552, 14, 200, 16);
    // Right of the discard, above the score, where nothing else is drawn.
    label_nowin = autoLabel(panel_board1, "label_nowin", QString(), 467, 333, tableFont(11, true),
                            QColor(255, 204, 0));
    label_nowin->hide();
    hint_mark = new HintMark(panel_board1);
    hint_mark->setObjectName(QStringLiteral("hint_mark"));
    m_dealer = new SolverTask(this);
    m_hinter = new SolverTask(this);
}

void Tmain::startDeal(std::uint32_t number) {
    m_dealer->cancel();
    m_animator->finish();
    m_game.startDeal(number);
    refresh();
}

void Tmain::Hint1Click() {
    if (!m_game.playing())
        return;
    clearHint();
    m_hinted = m_game.snapshot();
    m_hinter->solve(Solver::Position::of(m_game),
                    [this](const Solver::Result& result) { showHint(result); });
}

// The answer is shown only if the position is still the one it was asked for.
void Tmain::showHint(const Solver::Result& result) {
    if (m_hinted != m_game.snapshot() || !m_game.playing())
        return;
    if (result.verdict == Solver::Verdict::Unwinnable) {
        // Whether the player lost the way or never had one: the deal itself decides.
        if (m_game.historySize() == 0) {
            showNoWin(Solver::Verdict::Unwinnable);
            return;
        }
        m_hinter->solve(Solver::Position::dealt(m_game.deck()), [this](const Solver::Result& deal) {
            if (m_hinted == m_game.snapshot() && m_game.playing())
                showNoWin(deal.verdict);
        });
    } else if (result.verdict == Solver::Verdict::Winnable) {
        const int move = result.line.front();
        hint_mark->point(move == Solver::kStock ? image_stock : cards[move]);
    }
    announceHint(result);
}

// `deal` is the verdict on the deal as it was dealt.
void Tmain::showNoWin(Solver::Verdict deal) {
    setLabelText(label_nowin,
                 deal == Solver::Verdict::Unwinnable ? tr("This deal cannot be won.")
                                                     : tr("This game can no longer be won."),
                 true);
    label_nowin->show();
}

void Tmain::clearHint() {
    m_hinted.clear();
    m_hinter->cancel();
    hint_mark->hide();
    label_nowin->hide();
}

void Tmain::SelectDeal1Click() {
    auto* dialog = new QInputDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setObjectName(QStringLiteral("dialog_deal"));
    dialog->setWindowTitle(tr("Select Deal"));
    dialog->setLabelText(tr("Deal number (0 to 4294967295):"));
    const std::optional<std::uint32_t> number = m_game.dealNumber();
    dialog->setTextValue(number ? QString::number(*number) : QString());
    if (auto* edit = dialog->findChild<QLineEdit*>())
        edit->setValidator(new dealnumber::Validator(edit));
    connect(dialog, &QInputDialog::textValueSelected, this, [this](const QString& text) {
        errorbox::guard([&] {
            if (const std::optional<std::uint32_t> chosen = dealnumber::parse(text))
                startDeal(*chosen);
        });
    });
    dialog->open();
}

void Tmain::RestartDeal1Click() {
    if (const std::optional<std::uint32_t> number = m_game.dealNumber())
        startDeal(*number);
}

// Kept at once, like the sound setting; a file that never saw the item keeps only its keys.
void Tmain::WinnableDeals1Click() {
    const std::string path = QFile::encodeName(settingsFile()).toStdString();
    inifile::writeString(path, kSection, "WinnableDeals",
                         WinnableDeals1->isChecked() ? "yes" : "no");
}

// The menu has flipped the mark; from now on the file keeps the player's choice.
void Tmain::AnimateCards1Click() {
    m_animationsKept = true;
    m_animator->setEnabled(AnimateCards1->isChecked());
    saveinifile();
}

// ---- Deal of the Day -----------------------------------------------------------------------

void Tmain::createDailyControls() {
    DealOfTheDay1 = new QAction(tr("Deal of the Day"), file1);
    DealOfTheDay1->setObjectName(QStringLiteral("DealOfTheDay1"));
    file1->insertAction(N3, DealOfTheDay1);
    connect(DealOfTheDay1, &QAction::triggered, this,
            [this] { errorbox::guard([this] { DealOfTheDay1Click(); }); });
    // Room for the longer text of the day's deal, still right of the greeting.
    label_deal->setGeometry(352, 14, 400, 16);
}

// The day is the computer's own date; the search for its deal runs away from the window.
void Tmain::DealOfTheDay1Click() {
    const QDate today = m_today.isValid() ? m_today : QDate::currentDate();
    const daily::Date date{today.year(), today.month(), today.day()};
    m_dealer->findWinnableDeal(daily::seed(date), [this, today](std::uint32_t number) {
        m_dailyDate = today;
        m_dailyDeal = number;
        startDeal(number);
        if (m_highscore)
            m_highscore->setDailyDate(dailyGameDate());
    });
}

QString Tmain::dailyGameDate() const {
    const std::optional<std::uint32_t> number = m_game.dealNumber();
    if (!m_dailyDate.isValid() || !number || *number != m_dailyDeal)
        return QString();
    return m_dailyDate.toString(Qt::ISODate);
}
