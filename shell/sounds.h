// SoundPlayer: plays the game's sound cues, one at a time, without ever making the window wait.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QSoundEffect;

class SoundPlayer : public QObject {
    Q_OBJECT

public:
    using Observer = std::function<void(const QString& name)>;

    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    // Plays the named cue ("entered", "placecard", ...; any case) once, in the background,
    // cutting off whichever of our cues is still playing. Returns at once. An unknown name or
    // a machine without sound output is passed over in silence.
    void play(const QString& name);

    // Told every name asked for, known or not, as play() is called.
    void setObserver(Observer observer);

    // Whether the named cue (any case) is sounding now.
    bool isPlaying(const QString& name) const;

private:
    void startPending();
    QSoundEffect* effect(const QString& name);

    Observer m_observer;
    QString m_pending;
    bool m_scheduled = false;
    QHash<QString, QSoundEffect*> m_effects; // made on first use, owned as children
    QPointer<QSoundEffect> m_current;
};
