// Tabout: the About window, with the title picture, the link to the maker's web site, the
// credits and the version.
#include "aboutform.h"

#include "artwork.h"
#include "buttoncomps.h"
#include "lbback.h"
#include "maker.h"
#include "url.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace {

const QColor kNavy(0, 0, 128);
const QColor kButtonFace(0, 0, 170);
const QColor kSilver(192, 192, 192);
const QColor kYellow(255, 255, 0);

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

} // namespace navylook

Tabout::Tabout(const QPixmap& backgroundTile, QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("about"));
    setWindowTitle(QStringLiteral("Solmarin - About"));
    setFixedSize(kClientWidth, kClientHeight);
    // Closing hides the window; it lives as long as the program and must not end it.
    setAttribute(Qt::WA_QuitOnClose, false);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kNavy);
    setPalette(palette);
    setAutoFillBackground(true);
    setFont(navylook::uiFont(11));

    LbBackground1 = new TLbBackground(this);
    LbBackground1->setObjectName(QStringLiteral("LbBackground1"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(42, 10, 217, 54);

    Label7 = new QLabel(QString::fromLatin1(kMakerSite), this);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setGeometry(8, 72, 289, 20);
    Label7->setAlignment(Qt::AlignCenter);
    QFont linkFont = navylook::uiFont(16, true);
    linkFont.setUnderline(true);
    Label7->setFont(linkFont);
    QPalette linkPalette = Label7->palette();
    linkPalette.setColor(QPalette::WindowText, Qt::white);
    Label7->setPalette(linkPalette);
    Label7->setCursor(Qt::PointingHandCursor);
    Label7->installEventFilter(this);

    const QFont credits = navylook::timesNewRoman(13, true);
    navylook::label(this, "Label2", QStringLiteral("Programmed by the Solmarin team"), 4, 122,
                    credits);
    navylook::label(this, "Label3", QStringLiteral("Copyright 2026"), 4, 138, credits);
    navylook::label(this, "Label4", QString::fromLatin1(kMakerName), 106, 138, credits);
    navylook::label(this, "Label5", QStringLiteral("All rights reserved."), 4, 154, credits);
    Label1 = navylook::label(this, "Label1", QStringLiteral("Version"), 48, 171, credits);
    version = navylook::label(this, "version", QStringLiteral("1.0.0"), 96, 171, credits, kYellow);
    Label9 = navylook::label(this, "Label9", QStringLiteral(".1"), 123, 171, credits, kYellow);

    button_done = new TSelButton(QStringLiteral("button_done"), this);
    button_done->setGeometry(202, 164, 95, 20);
    navylook::styleButton(button_done, QStringLiteral("Done"), Qt::AlignHCenter);
    connect(button_done, &TSelButton::clicked, this, &Tabout::Button1Click);

    URL1 = new TURL(this);
    URL1->setObjectName(QStringLiteral("URL1"));
    URL1->setUrl(QString::fromLatin1(kMakerSite));
    URL1->setUrlType(TURL::utHttp);

    FormCreate(backgroundTile);
}

void Tabout::FormCreate(const QPixmap& backgroundTile) {
    LbBackground1->setPicture(backgroundTile);
}

void Tabout::setVisible(bool visible) {
    const bool wasVisible = isVisible();
    if (visible && !wasVisible)
        navylook::centreOverOwner(this);
    QWidget::setVisible(visible);
    // A window that opens comes up in front by itself; one already open has to be fetched.
    if (visible && wasVisible) {
        raise();
        activateWindow();
    }
}

// The picture is drawn when the window is first seen, not while the program starts, and drawn
// again at a later showing on a screen of another pixel density.
void Tabout::showEvent(QShowEvent* event) {
    drawTitlePicture();
    QWidget::showEvent(event);
}

void Tabout::drawTitlePicture() {
    const qreal ratio = devicePixelRatioF();
    if (ratio == m_titleRatio)
        return;
    m_titleRatio = ratio;
    Image1->setPixmap(artwork::titlePicture(ratio));
}

bool Tabout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label7 && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            Label7->rect().contains(mouse->position().toPoint()))
            Label7Click();
    }
    return QWidget::eventFilter(watched, event);
}

void Tabout::Label7Click() {
    URL1->open();
}

void Tabout::Button1Click() {
    close();
}
