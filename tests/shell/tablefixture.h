// Test support for the main window: a window in a folder of its own with its sounds recorded,
// stacked deals, and lookups of controls by their names.
#pragma once

#include "application.h"
#include "cardanimator.h"
#include "cardimagelist.h"
#include "decks.h"
#include "errorbox.h"
#include "flatpanel.h"
#include "imagebutton.h"
#include "mainform.h"
#include "paths.h"
#include "tallybook.h"

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

// A window whose settings and tally live in a fresh temporary folder and whose sounds are
// written down. Its end is the program's exit: the tally is written then.
struct Table {
    QTemporaryDir folder;
    std::vector<std::string> sounds;
    QStringList errors;
    std::unique_ptr<TallyBook> tally;
    std::unique_ptr<Tmain> window;

    // `settings` is written to solmarin.ini and `tallyBytes` to solmarintally.tld before the
    // program starts, unless they are null.
    explicit Table(const char* settings = nullptr, const char* tallyBytes = nullptr) {
        paths::setProgramFolder(folder.path());
        errorbox::setHandler([this](const QString& text) { errors << text; });
        if (settings)
            writeSettings(settings);
        if (tallyBytes) {
            QFile file(tallyPath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(tallyBytes);
        }
        std::exception_ptr loadError;
        tally = Application::openTally(loadError);
        if (loadError)
            errorbox::guard([&] { std::rethrow_exception(loadError); });
        window = Application::createWindows(
            *tally, [this](const std::string& name) { sounds.push_back(name); });
    }
    ~Table() {
        window.reset();
        tally->save();
        errorbox::setHandler({});
        paths::setProgramFolder(QString());
    }

    QString settingsPath() const { return QDir(folder.path()).filePath("solmarin.ini"); }
    QString tallyPath() const { return QDir(folder.path()).filePath("solmarintally.tld"); }
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

    // Waits until the cards of the last move have landed, as a player watching the table does:
    // the labels and an end panel follow them.
    bool landed() const {
        return QTest::qWaitFor([this] { return !window->animator()->running(); });
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
