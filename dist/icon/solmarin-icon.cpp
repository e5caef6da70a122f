// solmarin-icon OUTPUT-FOLDER: draws the program's icon into a hicolor theme tree, as a scalable
// drawing and as pictures of the usual sizes: scalable/apps/NAME.svg, NxN/apps/NAME.png.
#include "artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

constexpr char kIconName[] = "solmarin";
// The sizes desktops ask for, from the panel's 16 to the 512 of software centres.
constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256, 512};
constexpr int kSvgSize = 64;

bool makeFolder(const QString& path) {
    if (QDir().mkpath(path))
        return true;
    std::fprintf(stderr, "solmarin-icon: cannot make %s\n", qPrintable(path));
    return false;
}

bool writeSvg(const QDir& out) {
    const QString folder = out.filePath(QStringLiteral("scalable/apps"));
    if (!makeFolder(folder))
        return false;
    QSvgGenerator svg;
    svg.setFileName(QDir(folder).filePath(QLatin1String(kIconName) + QStringLiteral(".svg")));
    svg.setSize(QSize(kSvgSize, kSvgSize));
    svg.setViewBox(QRect(0, 0, kSvgSize, kSvgSize));
    svg.setTitle(QStringLiteral("Solmarin"));
    QPainter p;
    if (!p.begin(&svg)) {
        std::fprintf(stderr, "solmarin-icon: cannot write %s\n", qPrintable(svg.fileName()));
        return false;
    }
    artwork::drawIcon(p, kSvgSize);
    return p.end();
}

bool writePng(const QDir& out, int size) {
    const QString folder = out.filePath(QStringLiteral("%1x%1/apps").arg(size));
    if (!makeFolder(folder))
        return false;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    artwork::drawIcon(p, size);
    p.end();
    const QString file = QDir(folder).filePath(QLatin1String(kIconName) + QStringLiteral(".png"));
    if (image.save(file, "PNG"))
        return true;
    std::fprintf(stderr, "solmarin-icon: cannot write %s\n", qPrintable(file));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    // Drawn without a screen: the build may run where there is none.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: solmarin-icon OUTPUT-FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = writeSvg(out);
    for (const int size : kSizes)
        ok = writePng(out, size) && ok;
    return ok ? 0 : 1;
}
