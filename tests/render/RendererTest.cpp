#include "Fixtures.h"
#include "HelperFixtures.h"
#include "process/ChildLimits.h"
#include "render/PixelSlots.h"
#include "render/RenderProtocol.h"
#include "render/RendererClient.h"

#include <QDataStream>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <csignal>
#include <unistd.h>

using RenderProtocol::Kind;
using RenderProtocol::Reply;
using RenderProtocol::Request;
using RenderProtocol::Status;

Q_DECLARE_METATYPE(std::optional<QRectF>)

namespace {

QImage filled(QImage::Format format)
{
    QImage image(3, 2, format);
    image.fill(QColor(10, 200, 30, 128));
    image.setPixelColor(2, 1, QColor(250, 5, 90, 255));
    return image;
}

// How many mappings of shared pixel memory the process holds.
qsizetype sharedMappings(qint64 pid)
{
    const QByteArray maps = Fixtures::readBytes(QStringLiteral("/proc/%1/maps").arg(pid));
    return maps.count(QByteArray("/memfd:") + PixelSlots::name);
}

} // namespace

// The renderer program and its wire format: sizes, passwords, order, and broken replies.
class RendererTest : public QObject {
    Q_OBJECT

private slots:
    // Page 1 of a two-page file whose page 0 is 500 x 700.
    void opensWithDisplayedSizes_data()
    {
        QTest::addColumn<int>("rotate");
        QTest::addColumn<std::optional<QRectF>>("cropBox");
        QTest::addColumn<QSizeF>("size");
        const std::optional<QRectF> crop = QRectF(50, 60, 300, 400);
        QTest::newRow("crop box") << 0 << crop << QSizeF(300, 400);
        QTest::newRow("crop box -270") << -270 << crop << QSizeF(400, 300);
    }
    void opensWithDisplayedSizes()
    {
        QFETCH(int, rotate);
        QFETCH(std::optional<QRectF>, cropBox);
        QFETCH(QSizeF, size);
        const QString path = m_dir.filePath(QStringLiteral("rotated.pdf"));
        Fixtures::writePdf(path,
                           {Fixtures::Page{QStringLiteral("first"), 500, 700, 0, std::nullopt},
                            Fixtures::Page{QStringLiteral("p"), 612, 792, rotate, cropBox}});
        RendererClient client;
        const Reply reply = ask(client, {0, Kind::open, path, std::nullopt, 0, 0});
        QCOMPARE(reply.status, Status::done);
        QVERIFY(!reply.needsPassword);
        QCOMPARE(reply.pageSizes, (QList<QSizeF>{QSizeF(500, 700), size}));
    }

    // The password unlocks through the pipe, never in the command line or environment.
    void passwordTravelsOnThePipeOnly()
    {
        const QString password = QUuid::createUuid().toString(QUuid::WithoutBraces);
        const QString path = m_dir.filePath(QStringLiteral("locked.pdf"));
        Fixtures::writePdf(path, Fixtures::tagged(QStringLiteral("p"), 2),
                           {Fixtures::Cipher::aes256, password, QStringLiteral("owner")});
        RendererClient client;
        QCOMPARE(ask(client, {0, Kind::open, path, std::nullopt, 0, 0}).status, Status::locked);
        const Reply opened = ask(client, {0, Kind::open, path, password, 0, 0});
        QCOMPARE(opened.status, Status::done);
        QVERIFY(opened.needsPassword);
        const Reply rendered = ask(client, {0, Kind::render, path, password, 1, 50});
        QCOMPARE(rendered.image.height(), 100); // twice the side along the longer edge

        QCOMPARE(client.processIds().size(), 1);
        const QString proc = QStringLiteral("/proc/%1/").arg(client.processIds().first());
        for (const char* file : {"cmdline", "environ"}) {
            const QByteArray shown = Fixtures::readBytes(proc + QLatin1String(file));
            QVERIFY(!shown.isEmpty() || QLatin1String(file) == QLatin1String("environ"));
            QVERIFY2(!shown.contains(password.toUtf8()), file);
        }
        if (!ChildLimits::boundsMemory()) {
            QSKIP("AddressSanitizer needs terabytes of address space: no limit to check");
        }
        const QByteArray limits = Fixtures::readBytes(proc + QLatin1String("limits"));
        QVERIFY(limits.contains("Max address space         " +
                                QByteArray::number(RendererClient::memoryLimit)));
    }

    // The latest turn's requests go first, in order, with promoted ones; the pipe's stay.
    void latestRequestsComeFirst()
    {
        const QString path = m_dir.filePath(QStringLiteral("pages.pdf"));
        Fixtures::writePdf(path, Fixtures::tagged(QStringLiteral("p"), 6));
        RendererClient client;
        QSignalSpy answered(&client, &RendererClient::answered);
        QList<quint64> tickets;
        for (int page = 0; page < 5; ++page) {
            tickets.append(client.submit({0, Kind::render, path, std::nullopt, page, 20}));
        }
        QCoreApplication::processEvents(); // the turn ends: the first two go on the pipe
        client.promote(tickets[3]);
        tickets.append(client.submit({0, Kind::render, path, std::nullopt, 5, 20}));
        QTRY_COMPARE_WITH_TIMEOUT(answered.size(), 6, 20000);
        QList<quint64> order;
        for (const QList<QVariant>& args : answered) {
            order.append(args.first().toULongLong());
        }
        QCOMPARE(order, (QList<quint64>{tickets[0], tickets[1], tickets[3], tickets[5], tickets[2],
                                        tickets[4]}));
    }

    // Every field of a request and a reply, and every image format, decodes as sent.
    void messagesSurviveTheTrip()
    {
        for (const Request& request :
             {Request{7, Kind::open, "/a/ş.pdf", std::nullopt, 0, 0},
              Request{8, Kind::render, "/a/b.pdf", QString("parola"), 3, 87.5},
              Request{9, Kind::open, "/a/c.pdf", QString(), 0, 0}}) { // an empty password
            QCOMPARE(RenderProtocol::decodeRequest(RenderProtocol::encode(request)), request);
        }
        const QList<QSizeF> sizes{QSizeF(612, 792), QSizeF(300.5, 400)};
        for (const Reply& reply :
             {Reply{1, Status::done, true, sizes, {}}, // opened after the password
              Reply{2, Status::locked, true, {}, {}}, Reply{3, Status::failed, false, {}, {}},
              Reply{4, Status::done, false, {}, filled(QImage::Format_RGB32)},
              Reply{5, Status::done, false, {}, filled(QImage::Format_ARGB32)},
              Reply{6, Status::done, false, {}, filled(QImage::Format_ARGB32_Premultiplied)}}) {
            QCOMPARE(RenderProtocol::decodeReply(RenderProtocol::encode(reply)), reply);
            // The same through the second of two slots, as between the window and a renderer.
            std::optional<PixelSlots> window = PixelSlots::create(2);
            QVERIFY(window);
            std::optional<PixelSlots> renderer = PixelSlots::attach(::dup(window->fd()));
            QVERIFY(renderer);
            const QByteArray frame = RenderProtocol::encode(reply, &*renderer, 1);
            QVERIFY(frame.size() < 64); // the pixels stayed out of the frame
            QCOMPARE(RenderProtocol::decodeReply(frame, &*window, 1), reply);
        }
        const Request withSlot{10, Kind::render, "/a/b.pdf", std::nullopt, 3, 87.5, 1};
        QCOMPARE(RenderProtocol::decodeRequest(RenderProtocol::encode(withSlot)), withSlot);
    }

    // A missing renderer is named, now and next time, leaving no process (other causes:
    // ProcessTest).
    void missingRendererIsNamed()
    {
        const HelperFixtures::Override renderer("LEAFLOW_RENDERER", m_dir.filePath("renderer"));
        const QString path = m_dir.filePath(QStringLiteral("any.pdf"));
        Fixtures::writePdf(path, Fixtures::tagged(QStringLiteral("p"), 1));
        RendererClient client;
        for (int attempt = 0; attempt < 2; ++attempt) {
            QCOMPARE(ask(client, {0, Kind::open, path, std::nullopt, 0, 0}).status,
                     Status::unavailable);
            QCOMPARE(client.startFailure(),
                     QStringLiteral("Leaflow eksik kurulmuş: leaflow-renderer bulunamadı."));
        }
        QCOMPARE(client.processIds(), QList<qint64>{});
    }

    void brokenRepliesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("payload");
        const QByteArray whole =
            RenderProtocol::encode(Reply{1, Status::done, false, {QSizeF(612, 792)}, {}});
        QTest::newRow("cut short") << whole.chopped(3);
        QTest::newRow("trailing byte") << whole + 'x';
        // id (8 bytes), status, needsPassword, page count, then pages and the image.
        QTest::newRow("unknown status") << QByteArray(whole).replace(8, 1, "\x09");
        QTest::newRow("status only the window sets")
            << QByteArray(whole).replace(8, 1, QByteArray(1, char(Status::timedOut)));
        QTest::newRow("page count past the bytes")
            << QByteArray(whole).replace(10, 4, QByteArray::fromHex("ffffffff"));
        QTest::newRow("page size not a number")
            << QByteArray(whole).replace(14, 8, QByteArray::fromHex("7ff8000000000000"));
        QTest::newRow("image bytes short") << withImage(10, 10, QImage::Format_ARGB32, 399);
        QTest::newRow("image too large") << withImage(100000, 1, QImage::Format_ARGB32, 400000);
        QTest::newRow("image of another format") << withImage(10, 10, QImage::Format_Mono, 400);
        // The window gave the request slot 0.
        QTest::newRow("image in another slot") << inSlot(10, 10, 1);
        QTest::newRow("image past its slot") << inSlot(2048, 1025, 0);
        QTest::newRow("image in a slot past the memory") << inSlot(10, 10, 2);
        QTest::newRow("image in an unknown place")
            << QByteArray(inSlot(10, 10, 0)).replace(14, 1, "\x03");
    }
    void brokenRepliesAreRefused()
    {
        QFETCH(QByteArray, payload);
        const std::optional<PixelSlots> pixels = PixelSlots::create(2);
        QVERIFY(pixels);
        QVERIFY(!RenderProtocol::decodeReply(payload, &*pixels, 0));
        QVERIFY(!RenderProtocol::decodeReply(payload));
    }

    // Each renderer gets memory of its own, which goes with it when it is killed or the window
    // lets it go; its images arrive through that memory.
    void sharedMemoryIsReleased()
    {
        const QString path = m_dir.filePath(QStringLiteral("shared.pdf"));
        Fixtures::writePdf(path, Fixtures::tagged(QStringLiteral("p"), 2));
        const qint64 self = QCoreApplication::applicationPid();
        const qsizetype before = sharedMappings(self);
        {
            RendererClient client;
            for (int round = 0; round < 2; ++round) {
                const Reply reply = ask(client, {0, Kind::render, path, std::nullopt, round, 50});
                QCOMPARE(reply.image.height(), 100);
                QCOMPARE(client.processIds().size(), 1);
                const qint64 renderer = client.processIds().first();
                QCOMPARE(sharedMappings(renderer), 1);
                QCOMPARE(sharedMappings(self), before + 1);
                ::kill(static_cast<pid_t>(renderer), SIGKILL);
                QTRY_VERIFY_WITH_TIMEOUT(!client.processIds().contains(renderer), 20000);
            }
            QCOMPARE(sharedMappings(self), before);
        }
        QCOMPARE(sharedMappings(self), before);
    }

private:
    static Reply ask(RendererClient& client, Request request)
    {
        QSignalSpy answered(&client, &RendererClient::answered);
        const quint64 ticket = client.submit(std::move(request));
        const auto find = [&]() -> std::optional<Reply> {
            for (const QList<QVariant>& args : answered) {
                if (args.first().toULongLong() == ticket) {
                    return args.last().value<Reply>();
                }
            }
            return std::nullopt;
        };
        return QTest::qWaitFor([&] { return find().has_value(); }, 20000) ? *find() : Reply{};
    }

    // A reply carrying an image header and `bytes` bytes of pixels.
    static QByteArray withImage(qint32 width, qint32 height, QImage::Format format, int bytes)
    {
        QByteArray payload;
        QDataStream out(&payload, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_4);
        out << quint64(1) << quint8(Status::done) << false << quint32(0) << true << width << height
            << quint32(format) << QByteArray(bytes, '\0');
        return payload;
    }

    // A reply whose image is said to wait in `slot`.
    static QByteArray inSlot(qint32 width, qint32 height, qint32 slot)
    {
        QByteArray payload;
        QDataStream out(&payload, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_4);
        out << quint64(1) << quint8(Status::done) << false << quint32(0) << quint8(2) << width
            << height << quint32(QImage::Format_ARGB32) << slot;
        return payload;
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(RendererTest)
#include "RendererTest.moc"
