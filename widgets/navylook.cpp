// The navy look shared by the program's secondary windows.
#include "navylook.h"

#include "buttoncomps.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStringList>
#include <QWidget>

namespace {

const QColor kNavy(0, 0, 128);
const QColor kButtonFace(0, 0, 170);
const QColor kSilver(192, 192, 192);

QFont fontOf(const QStringList& families, QFont::StyleHint hint, int pixelSize, bool bold) {
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace

namespace navylook {

QFont arial(int pixelSize, bool bold) {
    return fontOf(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")},
        QFont::SansSerif, pixelSize, bold);
}

QFont timesNewRoman(int pixelSize, bool bold) {
    return fontOf({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                   QStringLiteral("DejaVu Serif")},
                  QFont::Serif, pixelSize, bold);
}

QFont uiFont(int pixelSize, bool bold) {
    return fontOf({QStringLiteral("DejaVu Sans")}, QFont::SansSerif, pixelSize, bold);
}

void styleButton(TSelButton* button, const QString& caption, Qt::Alignment alignment) {
    button->setCaption(caption);
    button->setAlignment(alignment);
    button->setColor(kButtonFace);
    button->setColorOver(kButtonFace);
    button->setColorDown(kButtonFace);
    button->setColorBorder(Qt::white);
    button->setBorderWidth(1);
    button->setFont(arial(13, true));
    button->setFontColor(kSilver);
    button->setColorOverCaption(Qt::white);
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y,
              const QFont& font, const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->move(x, y);
    label->adjustSize();
    return label;
}

void setNavyBackground(QWidget* window) {
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, kNavy);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

void centreOverOwner(QWidget* window) {
    const QWidget* owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    QScreen* screen = owner ? owner->screen() : window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect workArea = screen ? screen->availableGeometry() : QRect();
    const QRect over = owner && owner->isVisible() ? owner->frameGeometry() : workArea;
    QRect frame = window->frameGeometry();
    frame.moveCenter(over.center());
    // An owner dragged half off the screen must not take its windows out of reach.
    if (workArea.isValid()) {
        frame.moveRight(qMin(frame.right(), workArea.right()));
        frame.moveBottom(qMin(frame.bottom(), workArea.bottom()));
        frame.moveLeft(qMax(frame.left(), workArea.left()));
        frame.moveTop(qMax(frame.top(), workArea.top()));
    }
    window->move(frame.topLeft());
}

void setVisibleOverOwner(QWidget* window, bool visible, const std::function<void(bool)>& base) {
    const bool wasVisible = window->isVisible();
    if (visible && !wasVisible)
        centreOverOwner(window);
    base(visible);
    // A window that opens comes up in front by itself; one already open has to be fetched.
    if (visible && wasVisible) {
        window->raise();
        window->activateWindow();
    }
}

} // namespace navylook
