// Tabout: the About window, with the title picture, the link to the maker's web site, the
// credits and the version.
#include "aboutform.h"

#include "artwork.h"
#include "buttoncomps.h"
#include "lbback.h"
#include "maker.h"
#include "url.h"
#include "version.h"

#include <QLabel>
#include <QMouseEvent>
#include <QShortcut>

namespace {

const QColor kYellow(255, 255, 0);

} // namespace

Tabout::Tabout(const QPixmap& backgroundTile, QWidget* owner)
    : TNavyWindow(owner, "about", tr("Solmarin - About"), QSize(kClientWidth, kClientHeight)) {
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
    navylook::label(this, "Label2", tr("Programmed by the Solmarin team"), 4, 122, credits);
    navylook::label(this, "Label3", tr("Copyright 2026"), 4, 138, credits);
    navylook::label(this, "Label4", QString::fromLatin1(kMakerName), 106, 138, credits);
    navylook::label(this, "Label5", tr("All rights reserved."), 4, 154, credits);
    Label1 = navylook::label(this, "Label1", tr("Version"), 48, 171, credits);
    version = navylook::label(this, "version", QString::fromLatin1(kProgramVersion), 96, 171,
                              credits, kYellow);
    Label9 = navylook::label(this, "Label9", QString::fromLatin1(kProgramBuild), 123, 171, credits,
                             kYellow);

    button_done = new TSelButton(QStringLiteral("button_done"), this);
    button_done->setGeometry(202, 164, 95, 20);
    navylook::styleButton(button_done, tr("Done"), Qt::AlignHCenter);
    // Alone among the window's white and yellow lettering, a silver caption reads as a button
    // that is switched off: this one is lettered white and turns yellow under the mouse.
    button_done->setFontColor(Qt::white);
    button_done->setColorOverCaption(kYellow);
    connect(button_done, &TSelButton::clicked, this, &Tabout::Button1Click);

    URL1 = new TURL(this);
    URL1->setObjectName(QStringLiteral("URL1"));
    URL1->setUrl(QString::fromLatin1(kMakerSite));
    URL1->setUrlType(TURL::utHttp);

    FormCreate(backgroundTile);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &Tabout::Button1Click);
}

void Tabout::FormCreate(const QPixmap& backgroundTile) {
    LbBackground1->setPicture(backgroundTile);
}

void Tabout::drawPictures(qreal ratio) {
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
