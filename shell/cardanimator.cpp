// CardAnimator: cards travel to the discard pile and turn over, painted over the table.
#include "cardanimator.h"

#include "boardaccess.h"
#include "boardscaler.h"
#include "imagebutton.h"

#include <QEasingCurve>
#include <QPainter>
#include <QVariantAnimation>
#include <QWidget>

#include <algorithm>
#include <cmath>

class AnimationOverlay : public QWidget {
public:
    AnimationOverlay(QWidget* parent, CardAnimator* animator)
        : QWidget(parent), m_animator(animator) {
        setObjectName(QStringLiteral("animation_overlay"));
        // Clicks go through to the cards beneath: none is lost to a picture in flight.
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        BoardScaler::markOwnGeometry(this);
    }

protected:
    void paintEvent(QPaintEvent*) override { m_animator->paint(this); }

private:
    CardAnimator* m_animator;
};

namespace {

QRect lerp(const QRect& a, const QRect& b, qreal t) {
    auto mix = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return QRect(mix(a.x(), b.x()), mix(a.y(), b.y()), mix(a.width(), b.width()),
                 mix(a.height(), b.height()));
}

} // namespace

CardAnimator::CardAnimator(const Controls& controls, Pictures pictures, QObject* parent)
    : QObject(parent), m_controls(controls), m_pictures(std::move(pictures)) {}

void CardAnimator::setEnabled(bool on) {
    m_enabled = on;
    if (!on)
        finish();
}

void CardAnimator::moved(const Shown& before, const Shown& after) {
    finish();
    if (!m_enabled)
        return;
    const int oldDiscard = before[kDiscardIndex];
    const int newDiscard = after[kDiscardIndex];
    bool travelled = false;
    for (int n = 1; n <= Game::kSlots && newDiscard > 0; ++n) {
        if (before[n] == newDiscard && after[n] < 0) {
            m_sprites.push_back({newDiscard, m_controls.cards[n]->geometry(),
                                 m_controls.discard->geometry(), false, oldDiscard, 0});
            travelled = true;
        }
    }
    if (!travelled && newDiscard > 0 && newDiscard != oldDiscard && before[kStockIndex] == 0)
        m_sprites.push_back({newDiscard, m_controls.stock->geometry(),
                             m_controls.discard->geometry(), true, oldDiscard, 0});
    // Cards that the move uncovered turn face up where they lie.
    for (int n = 1; n <= Game::kSlots; ++n) {
        if (before[n] == 0 && after[n] > 0) {
            const QRect place = m_controls.cards[n]->geometry();
            m_sprites.push_back({after[n], place, place, true, -1, n});
        }
    }
    if (!m_sprites.empty())
        start();
}

void CardAnimator::start() {
    if (!m_overlay)
        m_overlay = new AnimationOverlay(m_controls.board, this);
    if (!m_clock) {
        m_clock = new QVariantAnimation(this);
        m_clock->setStartValue(0.0);
        m_clock->setEndValue(1.0);
        connect(m_clock, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
            m_progress = value.toReal();
            if (m_overlay)
                m_overlay->update();
        });
        connect(m_clock, &QVariantAnimation::finished, this, [this] { finish(); });
    }
    m_progress = 0;
    m_clock->setDuration(m_duration);
    m_overlay->setGeometry(m_controls.board->rect());
    BoardAccess::raiseBelowPanels(m_overlay);
    m_overlay->show();
    m_overlay->update();
    m_clock->start();
}

void CardAnimator::finish() {
    if (m_clock && m_clock->state() != QAbstractAnimation::Stopped) {
        // Stopped first, so its own end does not come back here.
        QSignalBlocker quiet(m_clock);
        m_clock->stop();
    }
    const bool wasRunning = !m_sprites.empty();
    m_sprites.clear();
    m_progress = 1;
    if (m_overlay)
        m_overlay->hide();
    if (wasRunning)
        emit landed();
}

void CardAnimator::hold(qreal progress) {
    if (m_clock)
        m_clock->stop();
    m_progress = std::clamp<qreal>(progress, 0, 1);
    if (m_overlay)
        m_overlay->update();
}

// Beneath a slot lie the table and the slots of the rows above, which it partly covers.
void CardAnimator::paintBeneath(QPainter& p, int slot, const QRect& area) {
    p.save();
    p.setClipRect(area);
    if (ImageButton* table = m_controls.table)
        p.drawPixmap(table->geometry(), table->picture());
    for (int n = 1; n < slot; ++n) {
        ImageButton* below = m_controls.cards[n];
        if (below->isVisible() && below->geometry().intersects(area))
            p.drawPixmap(below->geometry(), below->picture());
    }
    p.restore();
}

void CardAnimator::paint(QWidget* overlay) {
    if (m_sprites.empty())
        return;
    QPainter p(overlay);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const qreal travel = QEasingCurve(QEasingCurve::OutCubic).valueForProgress(m_progress);
    const qreal turn = QEasingCurve(QEasingCurve::InOutSine).valueForProgress(m_progress);
    for (const Sprite& s : m_sprites) {
        if (s.slot != 0)
            paintBeneath(p, s.slot, s.to);
        else if (s.coveredImage >= 0)
            p.drawPixmap(s.to, m_pictures(s.coveredImage));
    }
    // Cards in flight last, above the ones turning in place.
    for (int pass = 0; pass < 2; ++pass) {
        for (const Sprite& s : m_sprites) {
            if ((s.slot != 0) != (pass == 0))
                continue;
            QRect r = lerp(s.from, s.to, travel);
            int image = s.image;
            if (s.flips) {
                // Edge-on half way: the back narrows away, then the face widens.
                const qreal width = std::abs(std::cos(turn * M_PI));
                if (turn < 0.5)
                    image = 0;
                const int w = std::max(1, int(std::lround(r.width() * width)));
                r = QRect(r.center().x() - w / 2, r.y(), w, r.height());
            }
            p.drawPixmap(r, m_pictures(image));
        }
    }
}
