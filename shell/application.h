// The application object: the start-up sequence, and the standard error box for an exception
// that escapes an event.
#pragma once

#include <QApplication>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class Tmain;

class Application : public QApplication {
    Q_OBJECT

public:
    Application(int& argc, char** argv);
    ~Application() override;

    // The start-up sequence: creates the windows in their order, shows the main window and runs
    // the event loop until the main window closes. `beforeShow` sees the main window just before
    // it is shown (the start-up probe hooks in there).
    int run(const std::function<void(Tmain&)>& beforeShow = {});
    // Creates the program's windows in their order; the main window owns the others. Tests
    // pass a sink to hear the sounds.
    static std::unique_ptr<Tmain>
    createWindows(std::function<void(const std::string&)> soundSink = {});
    // The windows after the main one, in their order: tally, About, Help, high scores. They take
    // the main window's short name and background picture.
    static void createSecondaryWindows(Tmain& main);
    Tmain* mainWindow() const { return m_main.get(); }

    // An exception escaping an event handler is shown in the standard error box, and the
    // program goes on with the next event.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    void makeSecondaryWindowsOnce();

    std::unique_ptr<Tmain> m_main;
};
