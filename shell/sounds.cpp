// SoundPlayer: plays the game's sound cues, one at a time, without ever making the window wait.
#include "sounds.h"

#include "soundresources.h"

#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::setObserver(Observer observer) {
    m_observer = std::move(observer);
}

void SoundPlayer::play(const QString& name) {
    if (m_observer)
        m_observer(name);
    // The sound starts from the event loop, not inside the caller: the first cue of a run is
    // asked for while the main window is still being built, and opening the audio output
    // must not hold that up. Cues asked for in the same turn cut each other off anyway, so
    // only the last one is kept.
    m_pending = name;
    if (!m_scheduled) {
        m_scheduled = true;
        QTimer::singleShot(0, this, &SoundPlayer::startPending);
    }
}

void SoundPlayer::startPending() {
    m_scheduled = false;
    const QString name = m_pending.toLower();
    m_pending.clear();
    QSoundEffect* next = effect(name);
    if (!next)
        return;
    if (m_current)
        m_current->stop();
    m_current = next;
    next->play();
}

QSoundEffect* SoundPlayer::effect(const QString& name) {
    if (QSoundEffect* known = m_effects.value(name))
        return known;
    const QString path = soundresources::path(name);
    if (path.isEmpty())
        return nullptr;
    // Each cue is loaded the first time it is played and kept for the rest of the run.
    auto* made = new QSoundEffect(this);
    made->setSource(QUrl(QStringLiteral("qrc") + path));
    made->setLoopCount(1);
    m_effects.insert(name, made);
    return made;
}

bool SoundPlayer::isPlaying(const QString& name) const {
    const QSoundEffect* known = m_effects.value(name.toLower());
    return known && known->isPlaying();
}
