// SoundPlayer: plays the game's sound cues, one at a time, without ever making the window wait.
#include "sounds.h"

#include "soundresources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

SoundPlayer::SoundPlayer(QObject* parent) : SoundPlayer(defaultModulePath(), parent) {}

SoundPlayer::SoundPlayer(const QString& modulePath, QObject* parent)
    : QObject(parent), m_module(modulePath) {}

// The output goes first; the module stays loaded for the rest of the run, since Qt may still
// hold on to code of the audio libraries it brought in.
SoundPlayer::~SoundPlayer() = default;

QString SoundPlayer::defaultModulePath() {
    // Looked for only beside the executable (a build or a copy of its own), then in its installed
    // place relative to the executable, never along the library search path: the module
    // belongs to this build of the program.
    const QDir folder(QCoreApplication::applicationDirPath());
    const QString beside = folder.filePath(QStringLiteral(SOLMARIN_SOUND_MODULE));
    if (QFileInfo::exists(beside))
        return beside;
    return QDir::cleanPath(folder.filePath(QStringLiteral(SOLMARIN_SOUND_MODULE_INSTALLED)));
}

void SoundPlayer::setObserver(Observer observer) {
    m_observer = std::move(observer);
}

void SoundPlayer::play(const QString& name) {
    if (m_observer)
        m_observer(name);
    // The sound starts from the event loop, not inside the caller: loading the module and
    // opening the audio output must not hold up the event that asked for the cue. Cues asked
    // for in the same turn cut each other off anyway, so only the last one is kept.
    m_pending = name;
    if (!m_scheduled) {
        m_scheduled = true;
        QTimer::singleShot(0, this, &SoundPlayer::startPending);
    }
}

void SoundPlayer::startPending() {
    m_scheduled = false;
    const QString resource = soundresources::path(m_pending);
    m_pending.clear();
    // A name that is no cue neither loads the module nor stops what is playing.
    if (resource.isEmpty())
        return;
    if (SoundOutput* out = output())
        out->play(resource);
}

SoundOutput* SoundPlayer::output() {
    if (m_output || m_loadTried)
        return m_output.get();
    // One attempt per run: a module that is missing or broken leaves the game silent rather
    // than retried at every card.
    m_loadTried = true;
    if (!m_module.load())
        return nullptr;
    const auto create =
        reinterpret_cast<CreateSoundOutput>(m_module.resolve(kCreateSoundOutputSymbol));
    if (create)
        m_output.reset(create());
    return m_output.get();
}

bool SoundPlayer::isPlaying(const QString& name) const {
    const QString resource = soundresources::path(name);
    return m_output && !resource.isEmpty() && m_output->isPlaying(resource);
}
