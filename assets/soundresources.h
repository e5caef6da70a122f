// The game's sound cues, embedded as Qt resources in the assets library.
#pragma once

#include <QString>
#include <QStringList>

// Registers the embedded sounds. Resources of a static library are only found after this has
// run once; calling it again does no harm.
void initSoundResources();

namespace soundresources {

// The cue names, lower case: "entered", "invalid", "placecard", ...
QStringList names();
// The resource path of the named cue, the name matched without regard to case; empty for a
// name that is no cue. Registers the resources first if need be.
QString path(const QString& name);

} // namespace soundresources
