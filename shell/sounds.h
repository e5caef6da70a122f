// SoundPlayer: plays the game's sound cues, one at a time, without ever making the window wait.
// The audio itself lives in a module of its own (beside the executable, or in its installed
// place), so the program does not load the audio libraries before its window is on the screen.
#pragma once

#include <QLibrary>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// What the sound module offers, in terms that need no audio headers.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Starts the wave file at `resource` (a Qt resource path such as ":/sounds/entered.wav")
    // once, stopping whichever of this output's sounds still plays. Failures pass in silence.
    virtual void play(const QString& resource) = 0;
    // Whether the wave file at `resource` is sounding now.
    virtual bool isPlaying(const QString& resource) const = 0;
};

// The module's only entry point: makes a new output, owned by the caller.
using CreateSoundOutput = SoundOutput* (*)();
inline constexpr char kCreateSoundOutputSymbol[] = "solmarinCreateSoundOutput";

class SoundPlayer : public QObject {
    Q_OBJECT

public:
    using Observer = std::function<void(const QString& name)>;

    // Plays through the module that was built beside the program.
    explicit SoundPlayer(QObject* parent = nullptr);
    // Plays through the module at `modulePath`; a path where no usable module lies gives a
    // player that stays silent.
    SoundPlayer(const QString& modulePath, QObject* parent);
    ~SoundPlayer() override;

    // The module's full path: beside the running executable, else in its installed place.
    static QString defaultModulePath();

    // Plays the named cue ("entered", "placecard", ...; any case) once, in the background,
    // cutting off whichever of our cues is still playing. Returns at once. An unknown name, a
    // missing module or a machine without sound output is passed over in silence.
    void play(const QString& name);

    // Told every name asked for, known or not, as play() is called.
    void setObserver(Observer observer);

    // Whether the named cue (any case) is sounding now.
    bool isPlaying(const QString& name) const;

    // Whether the module has been loaded; it is loaded with the first cue that is started.
    bool outputLoaded() const { return bool(m_output); }

private:
    void startPending();
    SoundOutput* output();

    Observer m_observer;
    QString m_pending;
    bool m_scheduled = false;
    QLibrary m_module;
    bool m_loadTried = false;
    std::unique_ptr<SoundOutput> m_output; // made by the module, which stays loaded
};
