// The Help window's page texts, embedded in the program.
#pragma once

#include <QString>

// Makes the embedded texts available; resources in a static library must be registered by hand.
// Safe to call any number of times.
void initHelpResources();

// The text of one page ("overview", "gameplay", "scoring", "history", "keys") in the installed
// language, lines separated by "\n" and without a line end after the last line; empty for an
// unknown page.
QString helpText(const QString& page);
