// Draws the brand mark into the icon files the desktop installs:
//   leaflow-icon-render --png SIZE FILE    a SIZE × SIZE PNG
//   leaflow-icon-render --svg FILE         a scalable SVG of the same drawing
#include "ui/kit/BrandMark.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cstdio>

namespace {

constexpr int svgSide = 1024;

bool writeSvg(const QString& path)
{
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(svgSide, svgSide));
    svg.setViewBox(QRect(0, 0, svgSide, svgSide));
    svg.setResolution(72);
    svg.setTitle(QStringLiteral("Leaflow"));
    QPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    BrandMark::paint(painter, {0, 0}, svgSide);
    if (!painter.end()) {
        return false;
    }
    // Icon themes scale by the view box; a size in pixels keeps viewers from
    // reading the generator's millimetres as a physical size.
    QString text = QString::fromUtf8(buffer.data());
    text.replace(QRegularExpression(QStringLiteral(R"(<svg width="[^"]*" height="[^"]*")")),
                 QStringLiteral(R"(<svg width="%1" height="%1")").arg(svgSide));
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit();
}

} // namespace

int main(int argc, char** argv)
{
    // Drawing needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--png")) {
        bool ok = false;
        const int size = args[2].toInt(&ok);
        if (ok && size > 0 && size <= 4096 && BrandMark::image(size).save(args[3], "PNG")) {
            return 0;
        }
    } else if (args.size() == 3 && args[1] == QLatin1String("--svg")) {
        if (writeSvg(args[2])) {
            return 0;
        }
    } else {
        std::fputs("usage: leaflow-icon-render --png SIZE FILE | --svg FILE\n", stderr);
        return 2;
    }
    std::fputs("leaflow-icon-render: could not write the icon\n", stderr);
    return 1;
}
