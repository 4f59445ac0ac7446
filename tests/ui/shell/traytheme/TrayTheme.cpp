#include <QtGui/private/qgenericunixthemes_p.h>
#include <qpa/qplatformthemeplugin.h>

// Qt's theme of a plain Unix desktop, loaded under the offscreen platform, whose own theme
// offers no tray: with it a tray icon speaks the desktop's D-Bus tray protocol.
class TrayTheme : public QPlatformThemePlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QPlatformThemeFactoryInterface_iid FILE "TrayTheme.json")
public:
    QPlatformTheme* create(const QString& /*key*/, const QStringList& /*params*/) override
    {
        return QGenericUnixTheme::createUnixTheme(QString::fromLatin1(QGenericUnixTheme::name));
    }
};

#include "TrayTheme.moc"
