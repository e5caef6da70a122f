// The standard error box: how an error that no handler caught reaches the player, for every
// window of the program.
#pragma once

#include <QString>

#include <functional>

namespace errorbox {

// Runs a handler, showing whatever it throws in the standard error box. Handlers reached
// through Qt's signals are run this way: Qt's widget code is built without exception support, so
// an exception must be stopped before it would unwind through it.
void guard(const std::function<void()>& handler);

// The message as the box shows it: a "." is appended when the message is not empty and its last
// character sorts after "." (a letter or a digit, but not "!").
QString text(const QString& message);

// Shows the standard error box: modal, captioned "Solmarin", the error icon, OK, and
// text(message), where a known message of the program's components is put in the player's
// language first.
void show(const QString& message);

// Shows the box for the exception being handled; call it from a catch block only.
void showCurrentException();

// Replaces the box, so tests can see what it would show without a modal loop. An empty handler
// brings the box back.
using Handler = std::function<void(const QString& text)>;
void setHandler(Handler handler);

} // namespace errorbox
