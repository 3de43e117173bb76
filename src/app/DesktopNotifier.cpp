#include "DesktopNotifier.h"

#include "Pictures.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QImage>
#include <QSystemTrayIcon>

namespace {

// The "image-data" hint: raw RGBA rows, so a copy without an installed icon
// still shows its own.
struct ImageData {
    QImage image;
};

QDBusArgument& operator<<(QDBusArgument& arg, const ImageData& data)
{
    const QImage& i = data.image;
    arg.beginStructure();
    arg << i.width() << i.height() << int(i.bytesPerLine()) << true << 8 << 4
        << QByteArray(reinterpret_cast<const char*>(i.constBits()), i.sizeInBytes());
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, ImageData&)
{
    return arg; // never read back
}

QDBusMessage call(const QString& method)
{
    return QDBusMessage::createMethodCall(DesktopNotifier::kService, DesktopNotifier::kPath,
                                          DesktopNotifier::kService, method);
}

} // namespace

Q_DECLARE_METATYPE(ImageData)

DesktopNotifier::DesktopNotifier(TrayIcon trayIcon, std::function<void()> activated,
                                 QObject* parent)
    : QObject(parent), trayIcon_(std::move(trayIcon)), activated_(std::move(activated))
{
    qDBusRegisterMetaType<ImageData>();
}

void DesktopNotifier::send(const DueNotice& notice)
{
    // The bus is first touched here, after the first paint: connecting to it may
    // take a moment.
    if (!listening_) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        listening_ = bus.isConnected() &&
                     bus.connect(QString(), kPath, kService, QStringLiteral("ActionInvoked"), this,
                                 SLOT(actionInvoked(uint, QString)));
    }
    // The body is escaped only for a server that reads it as markup.
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(
                                        call(QStringLiteral("GetCapabilities")), kTimeoutMs),
                                    this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, notice](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                const QDBusPendingReply<QStringList> caps = *w;
                // A service that let this short call time out would let the notice
                // time out too: fall back now rather than wait twice.
                const QDBusError::ErrorType error =
                    caps.isError() ? caps.error().type() : QDBusError::NoError;
                if (error == QDBusError::NoReply || error == QDBusError::Timeout) {
                    fallBack(notice);
                    return;
                }
                notify(notice,
                       !caps.isError() && caps.value().contains(QStringLiteral("body-markup")));
            });
}

void DesktopNotifier::notify(const DueNotice& notice, bool markup)
{
    QVariantMap hints;
    const QString entry = QGuiApplication::desktopFileName();
    if (!entry.isEmpty())
        hints.insert(QStringLiteral("desktop-entry"), entry);
    const QImage icon =
        Pictures::pixmap("icone", QSize(48, 48)).toImage().convertToFormat(QImage::Format_RGBA8888);
    hints.insert(QStringLiteral("image-data"), QVariant::fromValue(ImageData{icon}));

    QDBusMessage message = call(QStringLiteral("Notify"));
    message << QGuiApplication::applicationDisplayName() << last_ << QString() << notice.summary
            << notice.body(markup)
            << QStringList{QStringLiteral("default"), QStringLiteral("Abrir")} << hints << int(-1);
    auto* watcher = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(message, kTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, notice](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                const QDBusPendingReply<uint> reply = *w;
                if (reply.isError()) {
                    fallBack(notice);
                    return;
                }
                last_ = reply.value();
                sent_.insert(last_);
            });
}

void DesktopNotifier::fallBack(const DueNotice& notice)
{
    // Only an XEmbed tray shows this; without a tray icon the notice is dropped.
    QSystemTrayIcon* icon = trayIcon_ ? trayIcon_() : nullptr;
    if (icon && icon->isVisible() && QSystemTrayIcon::isSystemTrayAvailable())
        icon->showMessage(notice.summary, notice.body(), icon->icon());
}

void DesktopNotifier::actionInvoked(uint id, const QString& action)
{
    if (action == u"default" && sent_.contains(id) && activated_)
        activated_();
}
