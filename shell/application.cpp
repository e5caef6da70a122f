// The application object: the start-up sequence, the tally that lives as long as the program,
// and the standard error box for an exception that escapes an event.
#include "application.h"

#include "aboutform.h"
#include "errorbox.h"
#include "helpform.h"
#include "highscoreform.h"
#include "language.h"
#include "mainform.h"
#include "quitsignal.h"
#include "safesave.h"
#include "tallybook.h"
#include "tallylistform.h"

#include <QDate>
#include <QFile>
#include <QLocale>

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Solmarin"));
    // Lets the desktop match the window with the installed entry and its icon.
    setDesktopFileName(QStringLiteral("com.velborsoftware.solmarin"));
    // The desktop's language, before any window is made; English where it has no catalog.
    language::installFromEnvironment();
}

// The windows go before the application object and the tally they show.
Application::~Application() {
    m_main.reset();
}

int Application::run(const std::function<void(Tmain&)>& beforeShow) {
    // Asked to end from outside (log-out, a terminal, `kill`), the game ends as if its window
    // were closed: settings and tally are saved.
    new QuitSignal(
        [this] {
            if (m_main && m_main->isVisible())
                errorbox::guard([this] { m_main->close(); });
        },
        this);
    // The file is tiny; reading it before the table means no report of the game can miss it.
    std::exception_ptr loadError;
    m_tally = openTally(loadError);
    m_main = std::make_unique<Tmain>(*m_tally);
    // Nothing on the other windows can be reached before the table is on the screen, so they
    // are made right after its first frame rather than before it; a tally file that could not
    // be read is reported then, over the table.
    connect(
        m_main.get(), &Tmain::firstFrameShown, this,
        [this, loadError] {
            errorbox::guard([this] { createSecondaryWindows(*m_main, *m_tally); });
            if (loadError)
                errorbox::guard([&] { std::rethrow_exception(loadError); });
            removeLeftovers(*m_main);
        },
        Qt::QueuedConnection);
    if (beforeShow)
        beforeShow(*m_main);
    m_main->show();
    const int result = exec();
    m_main.reset();
    m_tally->save();
    return result;
}

void Application::removeLeftovers(const Tmain& main) {
    // A save cut short (a crash, a power cut) leaves its new file beside the settings or the
    // tally. Nothing reads those, so they go once the table is on the screen, not before.
    for (const QString& file : {main.settingsFile(), Tmain::tallyFile()})
        safesave::removeLeftovers(QFile::encodeName(file).toStdString());
}

std::unique_ptr<TallyBook> Application::openTally(std::exception_ptr& loadError) {
    auto tally = std::make_unique<TallyBook>(QFile::encodeName(Tmain::tallyFile()).toStdString());
    tally->tally().today = [] {
        return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
    };
    loadError = nullptr;
    try {
        tally->load();
    } catch (...) {
        loadError = std::current_exception();
    }
    return tally;
}

std::unique_ptr<Tmain>
Application::createWindows(TallyBook& tally, std::function<void(const std::string&)> soundSink) {
    auto main = std::make_unique<Tmain>(tally, std::move(soundSink));
    createSecondaryWindows(*main, tally);
    return main;
}

void Application::createSecondaryWindows(Tmain& main, TallyBook& tally) {
    const QPixmap tile = main.backgroundTile();
    main.setTallyWindow(new Ttallylist(tile, tally, &main));
    auto* about = new Tabout(tile, &main);
    main.setAboutWindow(about);
    main.setHelpWindow(new Thelp(tile, about, &main));
    main.setHighscoreWindow(new Thighscore(tile, main.shortname(), &main));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        errorbox::showCurrentException();
    }
    return false;
}
