// The sound cues: the embedded wave files themselves, and the player that starts them through
// the sound module (this machine has no audio output, so it also shows that playing without one
// passes silently).
#include "soundresources.h"
#include "sounds.h"

#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

struct WaveInfo {
    bool riff = false;
    int format = 0;
    int channels = 0;
    int rate = 0;
    int byteRate = 0;
    int blockAlign = 0;
    int bits = 0;
    bool hasFact = false;
    quint32 factSamples = 0;
    QByteArray data;
    QString problem;
};

quint32 u32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 u16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// Reads a RIFF WAVE file chunk by chunk, as a strict player would.
WaveInfo parseWave(const QByteArray& file) {
    WaveInfo info;
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE") {
        info.problem = "no RIFF WAVE header";
        return info;
    }
    if (u32(file, 4) != quint32(file.size() - 8)) {
        info.problem = "RIFF size does not match the file";
        return info;
    }
    info.riff = true;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        const QByteArray id = file.mid(at, 4);
        const quint32 size = u32(file, at + 4);
        if (at + 8 + qsizetype(size) > file.size()) {
            info.problem = "chunk " + id + " runs past the end";
            return info;
        }
        const qsizetype body = at + 8;
        if (id == "fmt " && size >= 16) {
            info.format = u16(file, body);
            info.channels = u16(file, body + 2);
            info.rate = int(u32(file, body + 4));
            info.byteRate = int(u32(file, body + 8));
            info.blockAlign = u16(file, body + 12);
            info.bits = u16(file, body + 14);
        } else if (id == "fact" && size >= 4) {
            info.hasFact = true;
            info.factSamples = u32(file, body);
        } else if (id == "data") {
            if (info.format == 0)
                info.problem = "data before fmt";
            info.data = file.mid(body, size);
        }
        at = body + size + (size & 1);
    }
    return info;
}

// Sample values scaled to -1..1.
QVector<double> samples(const WaveInfo& info) {
    QVector<double> out;
    if (info.bits == 8) {
        for (char c : info.data)
            out << (static_cast<unsigned char>(c) - 128) / 128.0;
    } else {
        for (qsizetype i = 0; i + 1 < info.data.size(); i += 2)
            out << qFromLittleEndian<qint16>(info.data.constData() + i) / 32768.0;
    }
    return out;
}

} // namespace

class TestSounds : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { initSoundResources(); }
    void everyCueIsAMonoPcmWaveOfItsFormat_data();
    void everyCueIsAMonoPcmWaveOfItsFormat();
    void qtReadsEveryCue();
    void namesAreMatchedWithoutRegardToCase();
    void observerHearsEveryNameAskedFor();
    void playReturnsAtOnceAndTheCueStartsFromTheEventLoop();
    void unknownNamesPassInSilence();
    void aNewCueCutsOffTheOneStillPlaying();
    void rapidSuccessivePlaysAreSafe();
    void theModuleIsLoadedWithTheFirstCueThatStarts();
    void withoutAUsableModuleTheGameIsSilent_data();
    void withoutAUsableModuleTheGameIsSilent();
};

void TestSounds::everyCueIsAMonoPcmWaveOfItsFormat_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bits");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<bool>("fact");
    QTest::newRow("entered") << "entered" << 22050 << 8 << 0.79 << false;
    QTest::newRow("invalid") << "invalid" << 11025 << 8 << 0.25 << false;
    QTest::newRow("placecard") << "placecard" << 11025 << 8 << 0.14 << true;
    QTest::newRow("replace") << "replace" << 11025 << 16 << 0.29 << false;
    QTest::newRow("startgame") << "startgame" << 11025 << 8 << 0.30 << false;
    QTest::newRow("winner") << "winner" << 22050 << 8 << 1.06 << false;
    QTest::newRow("winner1") << "winner1" << 11025 << 8 << 1.76 << false;
    QTest::newRow("winner2") << "winner2" << 11025 << 8 << 2.14 << false;
}

void TestSounds::everyCueIsAMonoPcmWaveOfItsFormat() {
    QFETCH(QString, name);
    QFETCH(int, rate);
    QFETCH(int, bits);
    QFETCH(double, seconds);
    QFETCH(bool, fact);

    QFile file(soundresources::path(name));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const WaveInfo info = parseWave(file.readAll());
    QVERIFY2(info.riff && info.problem.isEmpty(), qPrintable(info.problem));
    QCOMPARE(info.format, 1); // uncompressed PCM
    QCOMPARE(info.channels, 1);
    QCOMPARE(info.rate, rate);
    QCOMPARE(info.bits, bits);
    QCOMPARE(info.blockAlign, bits / 8);
    QCOMPARE(info.byteRate, rate * bits / 8);
    QCOMPARE(info.hasFact, fact);

    const QVector<double> wave = samples(info);
    const double length = double(wave.size()) / rate;
    QVERIFY2(std::abs(length - seconds) <= seconds * 0.2, qPrintable(QString::number(length)));
    if (fact)
        QCOMPARE(qsizetype(info.factSamples), wave.size());

    // Starts and ends at rest (no click), never clips, and is loud enough to be heard.
    double peak = 0;
    for (double v : wave)
        peak = qMax(peak, std::abs(v));
    QVERIFY(std::abs(wave.first()) < 0.02);
    QVERIFY(std::abs(wave.last()) < 0.02);
    QVERIFY2(peak < 0.95, qPrintable(QString::number(peak)));
    QVERIFY2(peak > 0.2, qPrintable(QString::number(peak)));
}

void TestSounds::qtReadsEveryCue() {
    // Qt's own wave reader is the one that plays them, fact chunk and 16 bits included.
    const QStringList names = soundresources::names();
    QCOMPARE(names.size(), 8);
    for (const QString& name : names) {
        QSoundEffect effect;
        effect.setSource(QUrl("qrc" + soundresources::path(name)));
        QTRY_VERIFY(effect.status() != QSoundEffect::Loading &&
                    effect.status() != QSoundEffect::Null);
        QVERIFY2(effect.status() == QSoundEffect::Ready, qPrintable(name));
    }
}

void TestSounds::namesAreMatchedWithoutRegardToCase() {
    QCOMPARE(soundresources::names(), QStringList({"entered", "invalid", "placecard", "replace",
                                                   "startgame", "winner", "winner1", "winner2"}));
    QCOMPARE(soundresources::path("PLACECARD"), soundresources::path("placecard"));
    QCOMPARE(soundresources::path("WiNnEr1"), ":/sounds/winner1.wav");
    for (const QString stranger :
         {"", "winner3", "sounds/entered", "../sounds/entered.wav", "entered.wav", " entered"})
        QVERIFY2(soundresources::path(stranger).isEmpty(), qPrintable(stranger));
}

void TestSounds::observerHearsEveryNameAskedFor() {
    SoundPlayer player;
    QStringList heard;
    player.setObserver([&heard](const QString& name) { heard << name; });
    const QStringList asked = {"entered", "STARTGAME", "nosuch", "placecard", "placecard"};
    for (const QString& name : asked)
        player.play(name);
    QCOMPARE(heard, asked);
    QTest::qWait(20);
    QCOMPARE(heard, asked); // starting them tells nobody twice
}

void TestSounds::playReturnsAtOnceAndTheCueStartsFromTheEventLoop() {
    SoundPlayer player;
    player.play("winner2");
    QVERIFY(!player.isPlaying("winner2"));
    QTRY_VERIFY(player.isPlaying("winner2"));
    QVERIFY(player.isPlaying("WINNER2"));
}

void TestSounds::unknownNamesPassInSilence() {
    SoundPlayer player;
    player.play("winner2");
    QTRY_VERIFY(player.isPlaying("winner2"));
    // A name that is no cue neither plays nor stops what is playing.
    player.play("applause");
    player.play("");
    QTest::qWait(20);
    QVERIFY(player.isPlaying("winner2"));
    QVERIFY(!player.isPlaying("applause"));
}

void TestSounds::aNewCueCutsOffTheOneStillPlaying() {
    SoundPlayer player;
    player.play("winner2");
    QTRY_VERIFY(player.isPlaying("winner2"));
    player.play("winner1");
    QTRY_VERIFY(player.isPlaying("winner1"));
    QVERIFY(!player.isPlaying("winner2"));
    // The same cue again starts over rather than being refused.
    player.play("winner1");
    QTest::qWait(10);
    QVERIFY(player.isPlaying("winner1"));
}

void TestSounds::rapidSuccessivePlaysAreSafe() {
    SoundPlayer player;
    int told = 0;
    player.setObserver([&told](const QString&) { ++told; });
    const QStringList names = soundresources::names() << "unknown";
    for (int i = 0; i < 300; ++i) {
        player.play(names[i % names.size()]);
        if (i % 3 == 0)
            QCoreApplication::processEvents();
    }
    QCOMPARE(told, 300);
    player.play("winner2");
    QTRY_VERIFY(player.isPlaying("winner2"));
    // At most one of our cues sounds at a time.
    int playing = 0;
    for (const QString& name : soundresources::names())
        playing += player.isPlaying(name) ? 1 : 0;
    QCOMPARE(playing, 1);
}

void TestSounds::theModuleIsLoadedWithTheFirstCueThatStarts() {
    // The build puts the module beside the programs, where the player looks for it.
    QVERIFY2(QFileInfo::exists(SoundPlayer::defaultModulePath()),
             qPrintable(SoundPlayer::defaultModulePath()));
    SoundPlayer player;
    player.play("applause");
    QTest::qWait(20);
    QVERIFY(!player.outputLoaded()); // no cue, no audio libraries
    player.play("entered");
    QVERIFY(!player.outputLoaded()); // nor inside the caller
    QTRY_VERIFY(player.outputLoaded());
    QTRY_VERIFY(player.isPlaying("entered"));
}

void TestSounds::withoutAUsableModuleTheGameIsSilent_data() {
    QTest::addColumn<QString>("module");
    QTest::newRow("no file") << "no-such-folder/solmarin-sounds.so";
    QTest::newRow("not a library") << "not-a-library.so";
    // A real library, loaded already, that has no entry point of ours.
    QTest::newRow("no entry point")
        << QDir(QLibraryInfo::path(QLibraryInfo::LibrariesPath)).filePath("libQt6Core.so.6");
}

void TestSounds::withoutAUsableModuleTheGameIsSilent() {
    QFETCH(QString, module);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    {
        QFile text(folder.filePath("not-a-library.so"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("RIFF, but no library\n");
    }
    if (QDir::isRelativePath(module))
        module = folder.filePath(module);

    SoundPlayer player(module, nullptr);
    QStringList heard;
    player.setObserver([&heard](const QString& name) { heard << name; });
    const QStringList cues = {"entered", "placecard", "winner2"};
    for (const QString& name : cues) {
        player.play(name);
        QTest::qWait(20);
        QVERIFY(!player.isPlaying(name));
    }
    QVERIFY(!player.outputLoaded());
    // The recording seam still hears every cue asked for.
    QCOMPARE(heard, cues);
}

QTEST_MAIN(TestSounds)
#include "tst_sounds.moc"
