// TNavyWindow: the shape the program's fixed secondary windows share.
#include "navywindow.h"

#include "lbback.h"
#include "navylook.h"

TNavyWindow::TNavyWindow(QWidget* owner, const char* name, const QString& caption, QSize clientSize)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QLatin1String(name));
    setWindowTitle(caption);
    setFixedSize(clientSize);
    // Closing hides the window; it lives as long as the program and must not end it.
    setAttribute(Qt::WA_QuitOnClose, false);
    navylook::setNavyBackground(this);
    setFont(navylook::uiFont(11));
    LbBackground1 = new TLbBackground(this);
    LbBackground1->setObjectName(QStringLiteral("LbBackground1"));
}

void TNavyWindow::setVisible(bool visible) {
    navylook::setVisibleOverOwner(this, visible, [this](bool v) { QWidget::setVisible(v); });
}

void TNavyWindow::showEvent(QShowEvent* event) {
    const qreal ratio = devicePixelRatioF();
    if (ratio != m_pictureRatio) {
        m_pictureRatio = ratio;
        drawPictures(ratio);
    }
    QWidget::showEvent(event);
}
