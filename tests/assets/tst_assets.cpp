#include "BundledFonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QSet>
#include <QtEndian>
#include <QtTest>

namespace {

QByteArray ReadResource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

template <typename T>
T At(const QByteArray& data, qsizetype offset)
{
    if (offset < 0 || offset + qsizetype(sizeof(T)) > data.size())
        return T(~T(0));
    return qFromLittleEndian<T>(data.constData() + offset);
}

// The fields of a Windows bitmap's file header and BITMAPINFOHEADER, read from the bytes:
// QImage converts formats on loading and so cannot tell what the file holds.
struct BmpHeader {
    QByteArray magic;
    quint32 fileSize, pixelOffset, infoSize;
    qint32 width, height;
    quint16 planes, bitsPerPixel;
    quint32 compression, paletteEntries;
};

BmpHeader ReadBmpHeader(const QByteArray& data)
{
    return {data.left(2),
            At<quint32>(data, 2), At<quint32>(data, 10), At<quint32>(data, 14),
            At<qint32>(data, 18), At<qint32>(data, 22),
            At<quint16>(data, 26), At<quint16>(data, 28),
            At<quint32>(data, 30), At<quint32>(data, 46)};
}

struct CoverageText {
    QString face;
    QString text;
};

// The texts by layout face, from the list that the asset script cuts the fonts to.
QList<CoverageText> ReadCoverage()
{
    QFile file(QStringLiteral(SHULIN_FONT_COVERAGE));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QList<CoverageText> texts;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        const QString quoted = line.mid(tab + 1);
        if (tab < 0 || quoted.size() < 2 || !quoted.startsWith(u'"') || !quoted.endsWith(u'"'))
            return {}; // a malformed list counts as none
        texts.append({line.left(tab), quoted.mid(1, quoted.size() - 2)});
    }
    return texts;
}

const QStringList kLayoutFaces = {QStringLiteral("楷体_GB2312"), QStringLiteral("黑体"), QStringLiteral("宋体"),
                                  QStringLiteral("MS Sans Serif"), QStringLiteral("Arial")};

} // namespace

class TestAssets : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { RegisterBundledFonts(); }

    void bitmapsShouldHaveTheirSizeAndDepth_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("bitsPerPixel");
        QTest::addColumn<int>("paletteEntries");
        QTest::addColumn<int>("coloursInUse"); // 0: not counted

        QTest::newRow("photograph") << ":/pictures/photo.bmp" << 235 << 349 << 24 << 0 << 0;
        QTest::newRow("wrong picture A") << ":/pictures/wrong-a.bmp" << 60 << 45 << 8 << 8 << 5;
        QTest::newRow("right picture A") << ":/pictures/right-a.bmp" << 109 << 93 << 24 << 0 << 0;
        QTest::newRow("wrong picture B") << ":/pictures/wrong-b.bmp" << 80 << 80 << 8 << 128 << 75;
        QTest::newRow("right picture B") << ":/pictures/right-b.bmp" << 109 << 93 << 24 << 0 << 0;
    }

    void bitmapsShouldHaveTheirSizeAndDepth()
    {
        QFETCH(QString, path);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, bitsPerPixel);
        QFETCH(int, paletteEntries);
        QFETCH(int, coloursInUse);

        const QByteArray data = ReadResource(path);
        QVERIFY2(!data.isEmpty(), qPrintable(path + " is not embedded"));
        const BmpHeader header = ReadBmpHeader(data);
        QCOMPARE(header.magic, QByteArray("BM"));
        QCOMPARE(header.fileSize, quint32(data.size()));
        QCOMPARE(header.infoSize, 40u);
        QCOMPARE(header.width, width);
        QCOMPARE(qAbs(header.height), height);
        QCOMPARE(header.planes, 1);
        QCOMPARE(header.bitsPerPixel, bitsPerPixel);
        QCOMPARE(header.compression, 0u); // BI_RGB: uncompressed
        QCOMPARE(header.paletteEntries, quint32(paletteEntries));
        QCOMPARE(header.pixelOffset, quint32(14 + 40 + 4 * paletteEntries));
        const qsizetype stride = (qsizetype(width) * bitsPerPixel / 8 + 3) / 4 * 4;
        QVERIFY(data.size() >= header.pixelOffset + stride * height);

        QImage image;
        QVERIFY(image.loadFromData(data, "BMP"));
        QCOMPARE(image.size(), QSize(width, height));
        if (coloursInUse > 0) {
            QSet<QRgb> colours;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    colours.insert(image.pixel(x, y));
            QCOMPARE(colours.size(), coloursInUse);
        }
    }

    void drawnPicturesShouldHaveAnOpaqueWhiteBackground_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("wrong picture A") << ":/pictures/wrong-a.bmp";
        QTest::newRow("right picture A") << ":/pictures/right-a.bmp";
        QTest::newRow("wrong picture B") << ":/pictures/wrong-b.bmp";
        QTest::newRow("right picture B") << ":/pictures/right-b.bmp";
    }

    void drawnPicturesShouldHaveAnOpaqueWhiteBackground()
    {
        QFETCH(QString, path);
        const QImage image = QImage::fromData(ReadResource(path), "BMP");
        QVERIFY(!image.isNull());
        QVERIFY(!image.hasAlphaChannel());
        const int right = image.width() - 1;
        const int bottom = image.height() - 1;
        for (const QPoint corner : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)})
            QCOMPARE(image.pixel(corner), qRgb(255, 255, 255));
    }

    void rightPicturesShouldHoldOnlyPureRedAndPureWhite_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("right picture A") << ":/pictures/right-a.bmp";
        QTest::newRow("right picture B") << ":/pictures/right-b.bmp";
    }

    void rightPicturesShouldHoldOnlyPureRedAndPureWhite()
    {
        QFETCH(QString, path);
        const QImage image = QImage::fromData(ReadResource(path), "BMP");
        QVERIFY(!image.isNull());
        int red = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (pixel == qRgb(255, 0, 0))
                    ++red;
                else if (pixel != qRgb(255, 255, 255))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is #%3").arg(x).arg(y).arg(pixel & 0xffffff, 6, 16, QChar(u'0'))));
            }
        }
        // The mark itself, not a blank sheet: a good part of the picture is red.
        QVERIFY(red > image.width() * image.height() / 20);
    }

    void iconShouldBe32By32In16ColoursAndMatchItsPng()
    {
        const QByteArray ico = ReadResource(QStringLiteral(":/icons/mainicon.ico"));
        QVERIFY2(!ico.isEmpty(), "the icon is not embedded");
        QCOMPARE(At<quint16>(ico, 0), 0);  // reserved
        QCOMPARE(At<quint16>(ico, 2), 1);  // an icon, not a cursor
        QCOMPARE(At<quint16>(ico, 4), 1);  // one image
        QCOMPARE(quint8(ico.at(6)), 32);   // width
        QCOMPARE(quint8(ico.at(7)), 32);   // height
        QCOMPARE(quint8(ico.at(8)), 16);   // colours
        const quint32 image = At<quint32>(ico, 18);
        QCOMPARE(At<quint32>(ico, image), 40u);      // BITMAPINFOHEADER
        QCOMPARE(At<qint32>(ico, image + 4), 32);
        QCOMPARE(At<qint32>(ico, image + 8), 64);    // the colour bitmap and its mask
        QCOMPARE(At<quint16>(ico, image + 14), 4);   // bits per pixel
        QCOMPARE(At<quint32>(ico, image + 16), 0u);  // uncompressed

        const QImage fromIco = QImage::fromData(ico, "ICO").convertToFormat(QImage::Format_ARGB32);
        const QImage fromPng = QImage::fromData(ReadResource(QStringLiteral(":/icons/shulin-32.png")), "PNG")
                                   .convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(fromIco.size(), QSize(32, 32));
        QCOMPARE(fromPng.size(), QSize(32, 32));
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QRgb a = fromIco.pixel(x, y);
                const QRgb b = fromPng.pixel(x, y);
                QCOMPARE(qAlpha(a), qAlpha(b));
                if (qAlpha(a) != 0)
                    QCOMPARE(a, b);
            }
        }
    }

    void coverageListShouldNameEveryLayoutFace()
    {
        const QList<CoverageText> texts = ReadCoverage();
        QVERIFY2(!texts.isEmpty(), SHULIN_FONT_COVERAGE " is missing or malformed");
        for (const QString& face : kLayoutFaces) {
            QVERIFY2(std::any_of(texts.begin(), texts.end(), [&](const CoverageText& t) { return t.face == face; }),
                     qPrintable(face));
        }
        for (const CoverageText& t : texts)
            QVERIFY2(kLayoutFaces.contains(t.face), qPrintable(t.face + " is no layout face"));
    }

    void bundledFaceShouldCoverEveryCharacterItDraws_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("text");
        for (const CoverageText& t : ReadCoverage())
            QTest::newRow(qPrintable(t.face + u' ' + u'"' + t.text + u'"')) << t.face << t.text;
    }

    void bundledFaceShouldCoverEveryCharacterItDraws()
    {
        QFETCH(QString, face);
        QFETCH(QString, text);

        const QString family = BundledFamily(face);
        QFont font(family);
        font.setPixelSize(32);
        // Without merging the face answers for itself, not for whatever fallback has the glyph.
        font.setStyleStrategy(QFont::NoFontMerging);
        QCOMPARE(QFontInfo(font).family(), family);

        const QFontMetrics metrics(font);
        QString missing;
        for (const char32_t c : text.toUcs4()) {
            if (!metrics.inFontUcs4(c))
                missing += QString::fromUcs4(&c, 1);
        }
        QVERIFY2(missing.isEmpty(), qPrintable(family + " lacks \"" + missing + '"'));
    }

    // The layouts size their fixed boxes for Chinese Windows faces, whose line is one em high;
    // a taller line pushes the text down and cuts it off at the bottom of its box.
    void bundledFaceShouldKeepItsLineToOneEm_data()
    {
        QTest::addColumn<QString>("face");
        for (const QString& face : kLayoutFaces)
            QTest::newRow(qPrintable(face)) << face;
    }

    void bundledFaceShouldKeepItsLineToOneEm()
    {
        QFETCH(QString, face);
        QFont font(BundledFamily(face));
        font.setPixelSize(100);
        font.setStyleStrategy(QFont::NoFontMerging);
        const QFontMetrics metrics(font);
        // Ascent and descent each round up to whole pixels.
        QVERIFY2(metrics.ascent() + metrics.descent() <= 102,
                 qPrintable(QStringLiteral("a line of %1 px").arg(metrics.ascent() + metrics.descent())));
    }

    void layoutFontShouldFallBackToTheBundledFace_data()
    {
        QTest::addColumn<QString>("face");
        for (const QString& face : kLayoutFaces)
            QTest::newRow(qPrintable(face)) << face;
    }

    void layoutFontShouldFallBackToTheBundledFace()
    {
        QFETCH(QString, face);
        if (QFontDatabase::families().contains(face))
            QSKIP("this desktop has the named face itself");
        const QFont font = LayoutFont(face, 32, true, false);
        QCOMPARE(QFontInfo(font).family(), BundledFamily(face));
    }
};

QTEST_MAIN(TestAssets)
#include "tst_assets.moc"
