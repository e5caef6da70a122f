// The navy look shared by the program's secondary windows: fonts, flat text buttons, white
// labels, the navy background and placement over the owner.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <functional>

class QLabel;
class QWidget;
class TSelButton;

namespace navylook {

// "Arial" and "Times New Roman" are not found on Linux; the Liberation fonts share their
// metrics, so texts measure as they were laid out. DejaVu stands in for the Windows UI font.
QFont arial(int pixelSize, bool bold = false);
QFont timesNewRoman(int pixelSize, bool bold = false);
QFont uiFont(int pixelSize, bool bold = false);

// The flat text buttons of both windows: a blue face, a white border, a silver caption that
// turns white under the mouse.
void styleButton(TSelButton* button, const QString& caption, Qt::Alignment alignment);

// A white label on the navy window, sized to its text.
QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y,
              const QFont& font, const QColor& colour = Qt::white);

// Gives a window the navy background colour.
void setNavyBackground(QWidget* window);

// Puts a window in the middle of its owner (of the screen when there is no visible owner),
// kept inside the screen's work area.
void centreOverOwner(QWidget* window);

// What a secondary window's setVisible does: a window that opens is centred over its owner;
// one already open is brought to the front. `base` is the widget's own setVisible.
void setVisibleOverOwner(QWidget* window, bool visible, const std::function<void(bool)>& base);

} // namespace navylook
