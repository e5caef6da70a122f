// The application object: the start-up sequence, the tally that lives as long as the program,
// and the standard error box for an exception that escapes an event.
#pragma once

#include <QApplication>
#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <string>

class TallyBook;
class Tmain;

class Application : public QApplication {
    Q_OBJECT

public:
    Application(int& argc, char** argv);
    ~Application() override;

    // The start-up sequence: reads the tally, creates the windows in their order, shows the main
    // window and runs the event loop until the main window closes; then writes the tally.
    // `beforeShow` sees the main window just before it is shown (the start-up probe hooks in
    // there).
    int run(const std::function<void(Tmain&)>& beforeShow = {});
    // The tally, read from its file beside the executable, with today's date as the system
    // writes it. A file that cannot be read leaves the tally as read so far (the defaults at
    // least) and its error in `loadError`, for the caller to report when it suits.
    static std::unique_ptr<TallyBook> openTally(std::exception_ptr& loadError);
    // Creates the program's windows in their order; the main window owns the others and reports
    // to `tally`, which outlives them. Tests pass a sink to hear the sounds.
    static std::unique_ptr<Tmain>
    createWindows(TallyBook& tally, std::function<void(const std::string&)> soundSink = {});
    // The windows after the main one, in their order: tally, About, Help, high scores. They take
    // the main window's short name and background picture.
    static void createSecondaryWindows(Tmain& main, TallyBook& tally);
    Tmain* mainWindow() const { return m_main.get(); }
    // Removes what saves of the settings and the tally by processes no longer running left
    // behind.
    static void removeLeftovers(const Tmain& main);

    // An exception escaping an event handler is shown in the standard error box, and the
    // program goes on with the next event.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::unique_ptr<TallyBook> m_tally; // made first, so it outlives the windows that show it
    std::unique_ptr<Tmain> m_main;
};
