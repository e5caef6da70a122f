// The tally window.
#include "tallylistform.h"

#include "artwork.h"
#include "errorbox.h"
#include "flatpanel.h"
#include "imagebutton.h"
#include "labeltable.h"
#include "lbback.h"
#include "navylook.h"

#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>

namespace {

constexpr int kClientWidth = 342;
constexpr int kClientHeight = 446;
const QColor kHighlight(Qt::red);

// The window was laid out in a font of Arial's widths; its stand-in keeps the right-aligned
// captions inside their places.
QFont labelFont(int pixelSize, bool bold, bool underline = false) {
    QFont font = navylook::arial(pixelSize, bold);
    font.setUnderline(underline);
    return font;
}

void applyStyle(QLabel* label, PlaceStyle style) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     style == PlaceStyle::Highlighted ? kHighlight : Qt::white);
    label->setPalette(palette);
    label->setFont(labelFont(13, style != PlaceStyle::Plain));
}

bool askReset(QWidget* parent) {
    QMessageBox box(QMessageBox::Question, Ttallylist::tr("Confirm"),
                    Ttallylist::tr("Are you sure you want to reset the Tally?"),
                    QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(Ttallylist::tr("&Yes"), QMessageBox::YesRole);
    // Enter must not wipe the tally.
    box.setDefaultButton(box.addButton(Ttallylist::tr("&No"), QMessageBox::NoRole));
    box.exec();
    // Closing the box without an answer resets nothing.
    return box.clickedButton() == yes;
}

} // namespace

Ttallylist::Ttallylist(const QPixmap& background, TallyBook& book, QWidget* parent)
    : QWidget(parent, Qt::Window), confirmReset(askReset), m_book(book) {
    setObjectName("tallylist");
    setWindowTitle(tr("Solmarin - Tally List"));
    resize(kClientWidth, kClientHeight);
    navylook::setNavyBackground(this);
    setFont(labelFont(13, false));

    LbBackground1 = new TLbBackground(this);
    LbBackground1->setPicture(background);

    FlatPanel1 = new TFlatPanel(this);
    FlatPanel1->setObjectName("FlatPanel1");
    FlatPanel1->setGeometry(6, 4, 331, 437);
    FlatPanel1->setTransparent(true);
    FlatPanel1->setColorHighLight(Qt::white);
    FlatPanel1->setColorShadow(Qt::white);

    QLabel* title = addLabel("label_myname", 1, 5, 328, Qt::AlignHCenter, tr("YOUR TALLY LIST"));
    title->setFont(labelFont(19, true, true));
    title->setFixedHeight(24);
    m_statisticNames[1] =
        addLabel("Label9", 88, 42, 101, Qt::AlignRight, tr("Total Games:"))->text();
    m_statisticNames[2] =
        addLabel("Label2", 69, 59, 120, Qt::AlignRight, tr("Games Cleared:"))->text();
    m_statisticNames[3] =
        addLabel("Label3", 69, 77, 120, Qt::AlignRight, tr("Win Percentage:"))->text();
    m_statisticNames[4] =
        addLabel("Label5", 69, 96, 120, Qt::AlignRight, tr("Longest Chain"))->text();
    const int statisticTops[] = {0, 42, 59, 77, 96};
    for (int column = 1; column <= Tally::kStatistics; ++column) {
        const QByteArray name = "mylabel_" + QByteArray::number(column);
        mylabel[column] = addLabel(name, 194, statisticTops[column], 0, Qt::AlignLeft, "0");
    }
    QLabel* heading = addLabel("Label1", 1, 122, 328, Qt::AlignHCenter, tr("HIGH SCORES"));
    heading->setFont(labelFont(19, true, true));
    heading->setFixedHeight(24);
    for (int r = 1; r <= Tally::kPlaces; ++r) {
        const QByteArray place = QByteArray::number(r);
        const int top = 152 + 24 * (r - 1);
        label_num[r] =
            addLabel("label_num" + place, 5, top - 1, 24, Qt::AlignRight, QString::number(r) + ".");
        label_date[r] = addLabel("label_date" + place, 32, top, 101, Qt::AlignLeft);
        label_name[r] = addLabel("label_name" + place, 136, top, 132, Qt::AlignLeft);
        label_high[r] = addLabel("label_high" + place, 286, top, 0, Qt::AlignLeft);
    }

    button_resettally = new ImageButton(FlatPanel1);
    button_resettally->setObjectName("button_resettally");
    button_resettally->setGeometry(72, 394, 126, 40);
    button_resettally->setPictureSource(
        [](qreal dpr) { return artwork::button(tr("RESET TALLY"), dpr); });
    connect(button_resettally, &ImageButton::clicked, this,
            [this] { errorbox::guard([this] { button_resetClick(); }); });
    button_done = new ImageButton(FlatPanel1);
    button_done->setObjectName("button_done");
    button_done->setGeometry(200, 394, 126, 40);
    button_done->setPictureSource([](qreal dpr) { return artwork::button(tr("DONE"), dpr); });
    connect(button_done, &ImageButton::clicked, this,
            [this] { errorbox::guard([this] { button_doneClick(); }); });

    createKeys();
    m_book.tally().changed = [this] { showTally(); };
    showTally();
}

// The keyboard and screen readers: the places as a table read cell by cell, the buttons reached
// by Tab, Escape for DONE.
void Ttallylist::createKeys() {
    const QStringList columns{tr("Place"), tr("Date"), tr("Name"), tr("Score")};
    table_places = new LabelTable(FlatPanel1, Tally::kPlaces, columns, [this](int row, int column) {
        const std::array<QLabel*, Tally::kPlaces + 1>* labels[] = {&label_num, &label_date,
                                                                   &label_name, &label_high};
        return (*labels[column])[row + 1];
    });
    table_places->setObjectName("table_places");
    // Over the place labels, a little wider than they are, so the frame fits around them.
    table_places->setGeometry(2, 148, 327, 24 * Tally::kPlaces + 2);
    table_places->show();
    for (auto [button, name] :
         {std::pair{button_resettally, "RESET TALLY"}, std::pair{button_done, "DONE"}}) {
        button->setAccessibleName(name);
        button->setFocusPolicy(Qt::TabFocus);
    }
    setTabOrder(table_places, button_resettally);
    setTabOrder(button_resettally, button_done);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this,
            [this] { errorbox::guard([this] { button_doneClick(); }); });
}

Ttallylist::~Ttallylist() {
    m_book.tally().changed = [] {};
}

QLabel* Ttallylist::addLabel(const char* name, int left, int top, int width,
                             Qt::Alignment alignment, const QString& text) {
    auto* label = new QLabel(text, FlatPanel1);
    label->setObjectName(name);
    // Names and dates come from the player and the tally file: markup in them is text.
    label->setTextFormat(Qt::PlainText);
    label->setFont(labelFont(13, true));
    label->setAlignment(alignment | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    // A width of 0 sizes the label to its text, as the score and statistics labels do.
    label->setGeometry(left, top, width > 0 ? width : 40, 16);
    label->setProperty("autoWidth", width == 0);
    if (width == 0) {
        label->adjustSize();
        label->move(left, top);
    }
    return label;
}

void Ttallylist::showTally() {
    auto setText = [](QLabel* label, const std::string& text) {
        const QString value = QString::fromStdString(text);
        if (label->text() != value) {
            label->setText(value);
            if (label->property("autoWidth").toBool()) {
                label->adjustSize();
            }
        }
    };
    for (int column = 1; column <= Tally::kStatistics; ++column) {
        setText(mylabel[column], m_book.tally().statistic(column));
    }
    for (int r = 1; r <= Tally::kPlaces; ++r) {
        const TallyPlace& place = m_book.tally().place(r);
        setText(label_date[r], place.date);
        setText(label_name[r], place.name);
        setText(label_high[r], place.score);
        for (QLabel* label : {label_num[r], label_date[r], label_name[r], label_high[r]}) {
            applyStyle(label, place.style);
        }
        label_high[r]->setProperty("rank", place.rank);
    }
    // The statistics are read with the table, the first thing the focus comes to.
    if (table_places) {
        QStringList statistics;
        for (int column = 1; column <= Tally::kStatistics; ++column)
            statistics << m_statisticNames[column] + QLatin1Char(' ') + mylabel[column]->text();
        // In the table's name: a screen reader reads it once, as the focus comes into the table.
        table_places->setAccessibleName(
            tr("YOUR TALLY LIST: %1. HIGH SCORES").arg(statistics.join(QStringLiteral(", "))));
    }
}

void Ttallylist::button_resetClick() {
    if (!confirmReset(this)) {
        return;
    }
    m_book.reset();
}

void Ttallylist::button_doneClick() {
    close();
}

void Ttallylist::setVisible(bool visible) {
    const bool opens = visible && !isVisible();
    navylook::setVisibleOverOwner(this, visible, [this](bool v) { QWidget::setVisible(v); });
    // The window opens on the table, read with the statistics; Tab goes on to the buttons.
    if (opens && table_places)
        table_places->setFocus(Qt::OtherFocusReason);
}
