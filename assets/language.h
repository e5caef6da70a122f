// The language the program speaks: chosen from the desktop's settings among the embedded
// catalogs, English when none of them fits.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace language {

// The catalogs embedded in the program, by name ("de", "pt_BR", ...), sorted. English is the
// source language and has none.
QStringList available();

// The catalog for an environment read through `env`, as gettext picks one: the list in LANGUAGE
// first (ignored when the messages locale is C or POSIX), then LC_ALL, LC_MESSAGES, LANG. Each
// entry is tried whole ("pt_BR") and as its bare language ("pt"); an English entry, or none
// that fits, gives English (an empty name).
QString choose(const std::function<QByteArray(const char*)>& env, const QStringList& available);

// Installs the catalog `name` (empty: English) and Qt's own one for its standard dialogs into the
// application, replacing catalogs installed before. Returns false when `name` has no catalog;
// the program then speaks English.
bool install(const QString& name);

// install(choose(the process environment, available())).
void installFromEnvironment();

// The name of the installed catalog; empty for English.
QString current();

} // namespace language
