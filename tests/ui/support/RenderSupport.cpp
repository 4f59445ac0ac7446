#include "RenderSupport.h"

#include <QDir>
#include <QTest>

namespace RenderSupport {

void addAppearanceRows()
{
    QTest::addColumn<Appearance>("appearance");
    QTest::newRow("light") << Appearance::light;
    QTest::newRow("dark") << Appearance::dark;
}

bool keep(const QImage& image, const QString& name, Appearance appearance)
{
    const QString folder = qEnvironmentVariable("LEAFLOW_RENDER_DIR");
    if (folder.isEmpty()) {
        return true;
    }
    QDir().mkpath(folder);
    const QString suffix = appearance == Appearance::dark ? "dark" : "light";
    return image.save(QStringLiteral("%1/%2-%3.png").arg(folder, name, suffix));
}

} // namespace RenderSupport
