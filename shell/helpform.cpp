// Thelp: the Help window, pages of rules and scoring chosen by the buttons on its left.
#include "helpform.h"

#include "aboutform.h"
#include "buttoncomps.h"
#include "flatpanel.h"
#include "helpresources.h"
#include "lbback.h"
#include "maker.h"

#include <QLabel>
#include <QShortcut>
#include <QStackedWidget>
#include <QTextEdit>

namespace {

constexpr int kButtonX = 7;
constexpr int kButtonWidth = 122;
constexpr int kButtonHeight = 20;
constexpr int kCaptionHeight = 20;
// The panels' frame is one pixel wide; what they hold stays inside it.
constexpr int kFrame = 1;
constexpr int kPageMargin = 5;

TFlatPanel* blackFramedPanel(QWidget* parent, const char* name) {
    auto* panel = new TFlatPanel(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setTransparent(true);
    panel->setColorHighLight(Qt::black);
    panel->setColorShadow(Qt::black);
    return panel;
}

} // namespace

Thelp::Thelp(const QPixmap& backgroundTile, Tabout* about, QWidget* owner)
    : QWidget(owner, Qt::Window), m_about(about) {
    setObjectName(QStringLiteral("help"));
    setWindowTitle(tr("Solmarin - Help File"));
    resize(kClientWidth, kClientHeight);
    // Smaller, and the buttons and credits at the foot of the side panel would be cut off.
    setMinimumSize(kSideWidth + 150, kClientHeight);
    // Closing hides the window; it lives as long as the program and must not end it.
    setAttribute(Qt::WA_QuitOnClose, false);
    navylook::setNavyBackground(this);
    setFont(navylook::uiFont(11));

    LbBackground1 = new TLbBackground(this);
    LbBackground1->setObjectName(QStringLiteral("LbBackground1"));
    createSidePanel();
    createMainPanel();
    layoutPanels();
    FormCreate(backgroundTile);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &Thelp::button_doneClick);
}

void Thelp::createSidePanel() {
    panel_side = blackFramedPanel(this, "panel_side");
    SelButton1 = pageButton("SelButton1", tr("Overview"), 1, 8);
    SelButton3 = pageButton("SelButton3", tr("Game Play"), 3, 32);
    SelButton4 = pageButton("SelButton4", tr("Scoring"), 4, 56);
    SelButton5 = pageButton("SelButton5", tr("Documentation"), 5, 80);
    // The keys and the deal controls, which the pages above do not tell of.
    SelButton6 = pageButton("SelButton6", tr("Keys and Deals"), 6, 104);

    button_about = new TSelButton(QStringLiteral("button_about"), panel_side);
    button_about->setGeometry(kButtonX, 128, kButtonWidth, kButtonHeight);
    navylook::styleButton(button_about, tr("About"), Qt::AlignLeft);
    connect(button_about, &TSelButton::clicked, this, &Thelp::button_aboutClick);

    const QStringList credits{tr("Programmed by the"), tr("Solmarin team"),
                              QStringLiteral("(c) 2026"), QString::fromLatin1(kMakerName)};
    for (int i = 0; i < credits.size(); ++i) {
        const QByteArray name = "Label" + QByteArray::number(i + 1);
        navylook::label(panel_side, name.constData(), credits[i], 12, 336 + 16 * i,
                        navylook::uiFont(11));
    }

    button_done = new TSelButton(QStringLiteral("button_done"), panel_side);
    button_done->setGeometry(18, 404, 95, kButtonHeight);
    navylook::styleButton(button_done, tr("Done"), Qt::AlignHCenter);
    connect(button_done, &TSelButton::clicked, this, &Thelp::button_doneClick);
}

TSelButton* Thelp::pageButton(const char* name, const QString& caption, int number, int y) {
    auto* button = new TSelButton(QLatin1String(name), panel_side);
    button->setGeometry(kButtonX, y, kButtonWidth, kButtonHeight);
    navylook::styleButton(button, caption, Qt::AlignLeft);
    button->setTag(number);
    connect(button, &TSelButton::clicked, this, [this, button] { SelButton1Click(button); });
    return button;
}

void Thelp::createMainPanel() {
    panel_main = blackFramedPanel(this, "panel_main");

    label_caption = new QLabel(panel_main);
    label_caption->setObjectName(QStringLiteral("label_caption"));
    label_caption->setAlignment(Qt::AlignCenter);
    label_caption->setFont(navylook::uiFont(16, true));
    QPalette palette = label_caption->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label_caption->setPalette(palette);
    label_caption->setText(tr("Overview"));

    m_pages = new QStackedWidget(panel_main);
    m_pages->setObjectName(QStringLiteral("pages"));
    memo1 = page("memo1", QStringLiteral("overview"));
    memo3 = page("memo3", QStringLiteral("gameplay"));
    memo4 = page("memo4", QStringLiteral("scoring"));
    memo5 = page("memo5", QStringLiteral("history"));
    memo6 = page("memo6", QStringLiteral("keys"));
    // A screen reader names each page by the button that shows it.
    for (auto [memo, title] :
         {std::pair{memo1, "Overview"}, std::pair{memo3, "Game Play"}, std::pair{memo4, "Scoring"},
          std::pair{memo5, "Documentation"}, std::pair{memo6, "Keys and Deals"}})
        memo->setAccessibleName(tr(title));
}

QTextEdit* Thelp::page(const char* name, const QString& textName) {
    auto* memo = new QTextEdit(m_pages);
    memo->setObjectName(QLatin1String(name));
    memo->setReadOnly(true);
    memo->setFrameShape(QFrame::NoFrame);
    memo->document()->setDocumentMargin(kPageMargin);
    memo->setFont(navylook::arial(11));
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    memo->setPalette(palette);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setLineWrapMode(QTextEdit::WidgetWidth);
    // Read with the keys too: Tab reaches the page in front, whose caret the arrow keys move
    // and a screen reader follows.
    memo->setFocusPolicy(Qt::StrongFocus);
    memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    memo->setPlainText(helpText(textName));
    m_pages->addWidget(memo);
    return memo;
}

void Thelp::FormCreate(const QPixmap& backgroundTile) {
    m_pages->setCurrentWidget(memo1);
    LbBackground1->setPicture(backgroundTile);
}

void Thelp::resizeEvent(QResizeEvent* event) {
    layoutPanels();
    QWidget::resizeEvent(event);
}

void Thelp::layoutPanels() {
    // panel_side is docked to the left at full height; panel_main fills the rest, the title on
    // top and the pages under it.
    panel_side->setGeometry(0, 0, kSideWidth, height());
    panel_main->setGeometry(kSideWidth, 0, width() - kSideWidth, height());
    const int inner = panel_main->width() - 2 * kFrame;
    label_caption->setGeometry(kFrame, kFrame, inner, kCaptionHeight);
    m_pages->setGeometry(kFrame, kFrame + kCaptionHeight, inner,
                         panel_main->height() - 2 * kFrame - kCaptionHeight);
}

void Thelp::setVisible(bool visible) {
    navylook::setVisibleOverOwner(this, visible, [this](bool v) { QWidget::setVisible(v); });
}

QTextEdit* Thelp::currentPage() const {
    return qobject_cast<QTextEdit*>(m_pages->currentWidget());
}

void Thelp::SelButton1Click(TSelButton* sender) {
    auto* page = m_pages->findChild<QTextEdit*>(QStringLiteral("memo%1").arg(sender->tag()),
                                                Qt::FindDirectChildrenOnly);
    if (!page)
        return;
    m_pages->setCurrentWidget(page);
    label_caption->setText(sender->caption());
}

void Thelp::button_aboutClick() {
    if (m_about)
        m_about->show();
}

void Thelp::button_doneClick() {
    hide();
}
