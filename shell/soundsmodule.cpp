// The sound module: plays the cues through Qt Multimedia. It is built as a library of its own
// and loaded by SoundPlayer when the first cue is to be heard, so the program starts without the
// audio libraries.
#include "sounds.h"

#include <QHash>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

namespace {

class SoundEffectOutput : public SoundOutput {
public:
    void play(const QString& resource) override {
        QSoundEffect* next = effect(resource);
        // Stopping first also makes a cue that is played again start over.
        if (m_current)
            m_current->stop();
        m_current = next;
        next->play();
    }

    bool isPlaying(const QString& resource) const override {
        const QSoundEffect* known = m_effects.value(resource);
        return known && known->isPlaying();
    }

private:
    // Each cue is loaded the first time it is played and kept for the rest of the run.
    QSoundEffect* effect(const QString& resource) {
        if (QSoundEffect* known = m_effects.value(resource))
            return known;
        auto* made = new QSoundEffect(&m_owner);
        made->setSource(QUrl(QStringLiteral("qrc") + resource));
        made->setLoopCount(1);
        m_effects.insert(resource, made);
        return made;
    }

    QObject m_owner; // parent of the effects, so they go with the output
    QHash<QString, QSoundEffect*> m_effects;
    QPointer<QSoundEffect> m_current;
};

} // namespace

extern "C" Q_DECL_EXPORT SoundOutput* solmarinCreateSoundOutput() {
    return new SoundEffectOutput;
}
