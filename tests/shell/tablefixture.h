// Test support for the main window: a window in a folder of its own with its sounds recorded,
// stacked deals, and lookups of controls by their names.
#pragma once

#include "application.h"
#include "cardimagelist.h"
#include "flatpanel.h"
#include "imagebutton.h"
#include "mainform.h"
#include "paths.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

// A window whose settings live in a fresh temporary folder and whose sounds are written down.
struct Table {
    QTemporaryDir folder;
    std::vector<std::string> sounds;
    QStringList errors;
    std::unique_ptr<Tmain> window;

    // `settings` is written to solmarin.ini before the window is created, unless it is null.
    explicit Table(const char* settings = nullptr) {
        paths::setProgramFolder(folder.path());
        Application::setErrorBoxHandler([this](const QString& text) { errors << text; });
        if (settings)
            writeSettings(settings);
        window =
            Application::createWindows([this](const std::string& name) { sounds.push_back(name); });
    }
    ~Table() {
        window.reset();
        Application::setErrorBoxHandler({});
        paths::setProgramFolder(QString());
    }

    QString settingsPath() const { return QDir(folder.path()).filePath("solmarin.ini"); }
    void writeSettings(const char* text) const {
        QFile file(settingsPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QString settingsText() const {
        QFile file(settingsPath());
        if (!file.open(QIODevice::ReadOnly))
            return QString();
        return QString::fromUtf8(file.readAll());
    }

    bool show() {
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }

    template <typename T = QWidget> T* control(const QString& name) const {
        T* found = window->findChild<T*>(name);
        if (!found)
            qWarning("no control named %s", qPrintable(name));
        return found;
    }
    ImageButton* card(int slot) const {
        return control<ImageButton>(QStringLiteral("card_%1").arg(slot));
    }
    QString text(const QString& label) const { return control<QLabel>(label)->text(); }
    QAction* action(const QString& name) const { return control<QAction>(name); }
    bool visible(const QString& name) const { return control<QWidget>(name)->isVisible(); }

    void click(const QString& name) const { click(control<QWidget>(name)); }
    static void click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }

    // Starts a game with a stacked deck, as the deal would, and draws it.
    void deal(const Game::Deck& deck) {
        window->game().startWithDeck(deck);
        window->refresh();
    }

    int count(const std::string& sound) const {
        return int(std::count(sounds.begin(), sounds.end(), sound));
    }
};

// The picture a control shows, compared with the card images drawn independently.
inline bool showsImage(ImageButton* control, int image) {
    static CardImageList reference(1.0);
    reference.setDevicePixelRatio(control->devicePixelRatioF());
    const QPixmap shown = control->picture();
    return !shown.isNull() && shown.toImage() == reference.image(image).toImage();
}

constexpr int cardOf(int rank, int suit) {
    return suit * 13 + rank;
}

// Puts the given cards at deal positions 1, 2, ... in the order given, then the unused cards.
inline Game::Deck deckFrom(const std::vector<std::pair<int, int>>& placed) {
    Game::Deck deck{};
    std::vector<bool> used(53, false);
    for (const auto& [position, c] : placed) {
        deck[position] = c;
        used[c] = true;
    }
    int next = 1;
    for (int p = 1; p <= 52; ++p) {
        if (deck[p] != 0)
            continue;
        while (used[next])
            ++next;
        deck[p] = next;
        used[next] = true;
    }
    return deck;
}

// The order in which the board can be cleared: the bottom row, then each row above it.
inline std::vector<int> clearingOrder() {
    std::vector<int> order;
    for (int n = 19; n <= 28; ++n)
        order.push_back(n);
    for (int n = 10; n <= 18; ++n)
        order.push_back(n);
    for (int n = 4; n <= 9; ++n)
        order.push_back(n);
    for (int n = 1; n <= 3; ++n)
        order.push_back(n);
    return order;
}

// A deal cleared by playing the slots in clearingOrder() without touching the stock: the
// discard starter is an Ace and every card played is one rank above the one before.
inline Game::Deck winnableDeck() {
    std::vector<std::pair<int, int>> placed;
    int suitOfRank[14] = {};
    auto next = [&](int rank) { return cardOf(rank, suitOfRank[rank]++); };
    placed.push_back({29, next(1)});
    int rank = 1;
    for (int slot : clearingOrder()) {
        rank = rank % 13 + 1;
        placed.push_back({slot, next(rank)});
    }
    return deckFrom(placed);
}

// A deal lost on the last stock card: the bottom row holds only 7s, 8s and 9s, and the discard
// and the stock only cards that fit none of them.
inline Game::Deck losingDeck() {
    std::vector<std::pair<int, int>> placed;
    const int bottom[10] = {cardOf(7, 0), cardOf(7, 1), cardOf(7, 2), cardOf(7, 3), cardOf(8, 0),
                            cardOf(8, 1), cardOf(8, 2), cardOf(8, 3), cardOf(9, 0), cardOf(9, 1)};
    for (int i = 0; i < 10; ++i)
        placed.push_back({19 + i, bottom[i]});
    const int farRanks[8] = {1, 2, 3, 4, 5, 11, 12, 13};
    int position = 29;
    for (int suit = 0; suit < 4 && position <= 52; ++suit)
        for (int r : farRanks)
            if (position <= 52)
                placed.push_back({position++, cardOf(r, suit)});
    return deckFrom(placed);
}
