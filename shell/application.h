// The application object: the start-up sequence and the standard error box for errors that no
// handler caught.
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
    // The windows after the main one, in their order: tally, About, Help. They take the main
    // window's short name and background picture.
    static void createSecondaryWindows(Tmain& main);
    Tmain* mainWindow() const { return m_main.get(); }

    // An exception escaping an event handler is shown in the standard error box, and the
    // program goes on with the next event.
    bool notify(QObject* receiver, QEvent* event) override;

    // Runs a handler, showing whatever it throws in the standard error box. Handlers reached
    // through Qt's signals are run this way: Qt's widget code is built without exception
    // support, so an exception must be stopped before it would unwind through it.
    static void guard(const std::function<void()>& handler);

    // The message as the box shows it: a "." is appended when the message is not empty and its
    // last character sorts after "." (a letter or a digit, but not "!").
    static QString errorBoxText(const QString& message);

    // Shows the standard error box: modal, captioned with the application's title, the error
    // icon, OK, and errorBoxText(message). Without an Application object (in tests of single
    // windows) the box is shown all the same.
    static void showErrorBox(const QString& message);

    // Replaces the box, so tests can see what it would show without a modal loop. An empty
    // handler brings the box back.
    using ErrorBoxHandler = std::function<void(const QString& text)>;
    static void setErrorBoxHandler(ErrorBoxHandler handler);

private:
    std::unique_ptr<Tmain> m_main;
};
