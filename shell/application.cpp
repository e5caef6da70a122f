// The application object: the start-up sequence, and the standard error box for an exception
// that escapes an event.
#include "application.h"

#include "aboutform.h"
#include "errorbox.h"
#include "helpform.h"
#include "highscoreform.h"
#include "lbback.h"
#include "mainform.h"
#include "quitsignal.h"
#include "tallylistform.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Solmarin"));
    // Lets the desktop match the window with the installed entry and its icon.
    setDesktopFileName(QStringLiteral("com.velborsoftware.solmarin"));
}

// The windows go before the application object, so they can still save their files.
Application::~Application() {
    m_main.reset();
}

int Application::run(const std::function<void(Tmain&)>& beforeShow) {
    // Asked to end from outside, the game ends as if its window were closed. The tally is made
    // first when that comes before the first frame, so it is read and written back, not lost.
    new QuitSignal(
        [this] {
            if (!m_main || !m_main->isVisible())
                return;
            errorbox::guard([this] { makeSecondaryWindowsOnce(); });
            m_main->close();
        },
        this);
    m_main = std::make_unique<Tmain>();
    // Nothing on the other windows can be reached before the table is on the screen, so they
    // are made right after its first frame rather than before it.
    connect(
        m_main.get(), &Tmain::firstFrameShown, this,
        [this] { errorbox::guard([this] { makeSecondaryWindowsOnce(); }); }, Qt::QueuedConnection);
    if (beforeShow)
        beforeShow(*m_main);
    m_main->show();
    return exec();
}

std::unique_ptr<Tmain>
Application::createWindows(std::function<void(const std::string&)> soundSink) {
    auto main = std::make_unique<Tmain>(std::move(soundSink));
    createSecondaryWindows(*main);
    return main;
}

void Application::makeSecondaryWindowsOnce() {
    if (m_main->tallyWindow())
        return;
    createSecondaryWindows(*m_main);
}

void Application::createSecondaryWindows(Tmain& main) {
    const QPixmap tile = main.LbBackground1->picture();
    auto* tally = new Ttallylist(tile, main.tallyFile().toStdString(), &main);
    main.setTallyWindow(tally);
    // A tally file that cannot be read is reported, and the run starts from the table as it
    // stands.
    errorbox::guard([tally] { tally->FormCreate(); });
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
