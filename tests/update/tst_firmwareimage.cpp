// Reading firmware images: the two rule sets, the reduced file, the blocks
// derived from the segments, and the images that are refused.
#include "FirmwareImage.h"

#include "LogRecorder.h"
#include "TestHex.h"
#include "TestImages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

using namespace TestImages;

class TestFirmwareImage : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    FirmwareImage image;

    QString sourcePath() const { return dir.filePath(QStringLiteral("image.hex")); }
    QString reducedPath() const { return dir.filePath(QStringLiteral("KVTempFirm.hex")); }

    // Writes the lines as an image file and reads it; the error message, or
    // empty when it was read.
    QString prepare(const QStringList &imageLines, const QString &ending = QStringLiteral("\n"))
    {
        if (!writeFile(sourcePath(), imageLines.join(ending).toUtf8()))
            return QStringLiteral("test could not write the image");
        try {
            image.prepareImage(sourcePath(), reducedPath());
        } catch (const std::runtime_error &error) {
            return QString::fromUtf8(error.what());
        }
        return QString();
    }

private slots:
    void init()
    {
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
    }

    void readsBothKindsOfImage_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("detected");
        QTest::newRow("keil") << "keil.hex"
                              << "FWUpdate: Keil Firmware Detected";
        QTest::newRow("gcc") << "gcc.hex"
                             << "FWUpdate: GCC Firmware Detected";
    }

    void readsBothKindsOfImage()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, detected);
        const QStringList source = fixtureLines(fixture);
        LogRecorder log;
        QCOMPARE(prepare(source), QString());
        QVERIFY(log.contains(detected));

        QCOMPARE(image.vectors, imageBytes(source, 0x0000, 256));
        QCOMPARE(image.bootloaderConfig, imageBytes(source, 0x03C0, 64));
        QCOMPARE(image.flashConfig, imageBytes(source, 0x0400, 16));
        // In the GCC image the upper flash is addressed with a type 02 record
        // for segment 0x3000 and offset D800.
        QCOMPARE(image.bootloaderConfigExt, imageBytes(source, 0x3D800, 160));
        QCOMPARE(readAll(reducedPath()), readAll(fixturePath(QFileInfo(fixture).baseName() + ".reduced.hex")));
    }

    void lineEndsGiveTheSameLines_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::newRow("LF") << "\n";
        QTest::newRow("CR LF") << "\r\n";
        QTest::newRow("CR") << "\r";
    }

    void lineEndsGiveTheSameLines()
    {
        QFETCH(QString, ending);
        const QStringList source = fixtureLines("gcc.hex");
        QCOMPARE(prepare(source, ending), QString());
        QCOMPARE(image.vectors.size(), 256);
        QCOMPARE(image.bootloaderConfigExt.size(), 160);
        QCOMPARE(readAll(reducedPath()), readAll(fixturePath("gcc.reduced.hex")));
        QCOMPARE(FirmwareImage::splitLines(source.join(ending)), source);
    }

    void firstLineInOtherCaseTakesAddressRules()
    {
        QStringList source = fixtureLines("keil.hex");
        source[0] = source[0].toLower();
        LogRecorder log;
        QCOMPARE(prepare(source), QString());
        QVERIFY(log.contains("FWUpdate: GCC Firmware Detected"));
        QCOMPARE(image.vectors, imageBytes(source, 0x0000, 256));
        QCOMPARE(image.flashConfig, imageBytes(source, 0x0400, 16));
        // The address rules do not follow type 04 records: the upper segment
        // is not found, and the header lines stay.
        QVERIFY(image.bootloaderConfigExt.isEmpty());
        const QString reduced = QString::fromLatin1(readAll(reducedPath()));
        QVERIFY(reduced.startsWith(source[0] + "\n"));
        QCOMPARE(reduced.count(FirmwareImage::keilHeader), 2);
    }

    // The address rules end a segment at a gap and leave the lines after it.
    // Flashed so, the sector image would put 0xFF over those bytes: such an
    // image is refused.
    void gapInVectorsEndsTheSegment()
    {
        const QStringList source = without(fixtureLines("gcc.hex"), 8, 1);
        QStringList lines = source;
        image.readGccSegments(lines);
        QCOMPARE(image.vectors, imageBytes(source, 0x0000, 128));
        QCOMPARE(lines.mid(0, 7), source.mid(8, 7));
        QCOMPARE(lines.size(), source.size() - 8 - 4 - 1 - 10);

        QCOMPARE(prepare(source), QString("byte at 0x90 in firmware upgrade file would not be flashed at its address"));
        QVERIFY(!QFile::exists(reducedPath()));
    }

    // The blocks and the reduced file must put every byte of the image at
    // its own address; an image the rules would cut otherwise is refused
    // before the reduced file is written.
    void imagesThatWouldMoveBytesAreRefused_data()
    {
        QTest::addColumn<QStringList>("source");
        QTest::addColumn<QString>("message");
        addMisplacedRows();
    }
    void imagesThatWouldMoveBytesAreRefused()
    {
        QFETCH(QStringList, source);
        QFETCH(QString, message);
        try {
            QVERIFY(writeFile(sourcePath(), source.join('\n').toUtf8()));
            image.prepareImage(sourcePath(), reducedPath());
            QFAIL("not refused");
        } catch (const FirmwareImage::Misplaced &error) {
            QCOMPARE(QString(error.what()), message);
        }
        QVERIFY(!QFile::exists(reducedPath()));
    }

    // The end record takes the address of the last data record: here the
    // security block's. It holds none of the block's bytes.
    void recordAtASegmentsAddressLeavesTheSegment()
    {
        const QStringList gcc = fixtureLines("gcc.hex");
        const QStringList source = QStringList(gcc.mid(0, gccSecurityLine + 1)) + QStringList{gcc[44], ""};
        QCOMPARE(prepare(source), QString());
        QCOMPARE(image.flashConfig, imageBytes(source, 0x0400, 16));
        QCOMPARE(readAll(reducedPath()), QByteArray(":00000001FF\n"));
    }

    void imageWithoutBootloaderConfigExtLeavesItEmpty()
    {
        const QStringList withExt = fixtureLines("gcc.hex");
        QCOMPARE(prepare(withExt), QString());
        QCOMPARE(image.bootloaderConfigExt.size(), 160);
        const QStringList withoutExt = without(withExt, gccExtLine, 10);
        QCOMPARE(prepare(withoutExt), QString());
        QVERIFY(image.bootloaderConfigExt.isEmpty());
        QCOMPARE(image.vectors.size(), 256);
    }

    void segmentsMissingOrNotFittingAreRefused_data()
    {
        QTest::addColumn<QStringList>("source");
        QTest::addColumn<QString>("message");
        const QString noConfig = "Could not find bootloader configuration in firmware upgrade file";
        const QString noSecurity = "Could not find security block in firmware upgrade file";
        const QString noVectors = "Could not find Vectors segment in firmware upgrade file";
        const QStringList gcc = fixtureLines("gcc.hex");
        const QStringList keil = fixtureLines("keil.hex");
        QTest::newRow("empty file") << QStringList() << noConfig;
        QTest::newRow("gcc: only Vectors") << QStringList(gcc.mid(0, 16)) << noConfig;
        QTest::newRow("gcc: no configuration") << without(gcc, gccConfigLine, 4) << noConfig;
        QTest::newRow("gcc: no security block") << without(gcc, gccSecurityLine, 1) << noSecurity;
        QTest::newRow("gcc: no Vectors") << without(gcc, 0, 16) << noVectors;
        QTest::newRow("keil: no configuration") << without(keil, keilConfigHeader, 5) << noConfig;
        QTest::newRow("keil: no security header") << without(keil, keilSecurityHeader, 1) << noSecurity;
        QTest::newRow("keil: Vectors after another record")
            << replaced(keil, 1, {line(TestHex::record(0, 0x10, pattern(16, 0)))}) << noVectors;
        addOversizeRows();
    }

    // Missing required segments are named in this order; segments that do
    // not fit where they go are refused as well.
    void segmentsMissingOrNotFittingAreRefused()
    {
        QFETCH(QStringList, source);
        QFETCH(QString, message);
        QCOMPARE(prepare(source), message);
        QVERIFY(!QFile::exists(reducedPath()));
    }

    void unreadableImageCountsAsEmpty()
    {
        QCOMPARE(prepare(fixtureLines("gcc.hex")), QString());
        try {
            image.prepareImage(dir.filePath("missing.hex"), reducedPath());
            QFAIL("no error");
        } catch (const std::runtime_error &error) {
            QCOMPARE(QString(error.what()),
                     QString("Could not find bootloader configuration in firmware upgrade file"));
        }
        QVERIFY(image.vectors.isEmpty());
        QVERIFY(!QFile::exists(reducedPath()));
    }

    void damagedRecordsAreRefused_data()
    {
        QTest::addColumn<QString>("damaged");
        const QString good = fixtureLines("gcc.hex").at(5);
        QString notHex = good;
        notHex[12] = 'G';
        QTest::newRow("checksum") << withBadChecksum().at(5);
        QTest::newRow("cut short") << withCutLine().at(5);
        QTest::newRow("not hexadecimal") << notHex;
        QTest::newRow("no colon") << good.mid(1);
        QTest::newRow("trailing blank") << good + " ";
        QTest::newRow("length field too long") << good.left(1) + "11" + good.mid(3);
        QTest::newRow("unknown type") << line(TestHex::record(6, 0x0050, pattern(16, 0x60)));
        QTest::newRow("segment address of one byte") << line(TestHex::record(2, 0, {0x30}));
    }

    void damagedRecordsAreRefused()
    {
        QFETCH(QString, damaged);
        QCOMPARE(prepare(fixtureLines("gcc.hex")), QString());
        QVERIFY(QFile::exists(reducedPath()));
        QStringList source = fixtureLines("gcc.hex");
        source[5] = damaged;
        QCOMPARE(prepare(source), QString("damaged record in line 6 of firmware upgrade file"));
        // Nor can the earlier image's reduced file be taken for this one.
        QVERIFY(!QFile::exists(reducedPath()));
    }

    // Removing one segment's lines must not shift another's: every firmware
    // line stays, whatever order the segments stand in.
    void segmentsOutOfAddressOrderKeepTheFirmwareLines_data()
    {
        QTest::addColumn<QStringList>("source");
        QTest::addColumn<QStringList>("firmware");
        const QStringList code = lines(TestHex::dataRecords(0x0410, pattern(128, 7)));
        const QStringList more = lines(TestHex::dataRecords(0x0500, pattern(32, 9)));
        const QStringList ext = lines(TestHex::dataRecords(0xD800, pattern(160, 0xE0)));
        const QStringList vectors = lines(TestHex::dataRecords(0x0000, pattern(256, 0x10)));
        const QStringList config = lines(TestHex::dataRecords(0x03C0, pattern(64, 0xB0)));
        const QStringList security = lines(TestHex::dataRecords(0x0400, pattern(16, 0xC0)));
        const QString end = line(TestHex::record(1, 0, {}));

        const QString upper = line(TestHex::record(2, 0, {0x30, 0x00}));
        const QString lower = line(TestHex::record(2, 0, {0x00, 0x00}));
        QTest::newRow("gcc") << (QStringList{upper} + ext + QStringList{lower} + code + security + more + config
                                 + vectors + QStringList{end, ""})
                             << (QStringList{upper, lower} + code + more + QStringList{end, ""});

        const QString keilUpper = ":020000040003F7";
        const QString keil = FirmwareImage::keilHeader;
        QTest::newRow("keil") << (QStringList{keil, keilUpper} + ext + QStringList{keil} + security + code
                                  + QStringList{keil} + config + QStringList{keil} + vectors + QStringList{end, ""})
                              << (QStringList{keil} + code + QStringList{end, ""});
    }

    void segmentsOutOfAddressOrderKeepTheFirmwareLines()
    {
        QFETCH(QStringList, source);
        QFETCH(QStringList, firmware);
        QCOMPARE(prepare(source), QString());
        QCOMPARE(image.vectors.size(), 256);
        QCOMPARE(image.bootloaderConfig.size(), 64);
        QCOMPARE(image.flashConfig, QByteArray::fromHex("C0C1C2C3C4C5C6C7C8C9CACBCCCDCECF"));
        QCOMPARE(image.bootloaderConfigExt.size(), 160);
        QCOMPARE(QString::fromLatin1(readAll(reducedPath())).split('\n'), firmware);
    }

    void derivedBlocks()
    {
        QCOMPARE(prepare(fixtureLines("gcc.hex")), QString());
        QCOMPARE(image.firmwareFlashConfig(), QByteArray::fromHex("FFFFFFFFFFFFFFFFFFFFFFFFFE3DFFFF"));
        // Byte 13 ORed with 0xC0: the chip starts in its ROM bootloader.
        QCOMPARE(image.bootloaderModeFlashConfig(), QByteArray::fromHex("FFFFFFFFFFFFFFFFFFFFFFFFFEFDFFFF"));

        const QByteArray sector = image.sectorImage();
        QCOMPARE(sector.size(), 1024);
        QCOMPARE(sector.left(4), QByteArray::fromHex("10111213"));
        QCOMPARE(sector.mid(0, 256), image.vectors);
        QCOMPARE(sector.mid(256, 0x3C0 - 256), QByteArray(0x3C0 - 256, char(0xFF)));
        QCOMPARE(sector.mid(0x3C0, 4), QByteArray::fromHex("B0B1B2B3"));
        QCOMPARE(sector.mid(0x3C0), image.bootloaderConfig);
    }

    void reducedFileThatCannotBeWrittenFails_data()
    {
        QTest::addColumn<bool>("folderInTheWay");
        QTest::newRow("a folder in its place") << true;
        QTest::newRow("its folder missing") << false;
    }

    void reducedFileThatCannotBeWrittenFails()
    {
        QFETCH(bool, folderInTheWay);
        const QString reduced = folderInTheWay ? reducedPath() : dir.filePath("gone/KVTempFirm.hex");
        if (folderInTheWay) {
            QVERIFY(QDir().mkpath(reduced));
            QFile keep(reduced + "/keep");
            QVERIFY(keep.open(QIODevice::WriteOnly));
        }
        QVERIFY(writeFile(sourcePath(), readAll(fixturePath("gcc.hex"))));
        QVERIFY_EXCEPTION_THROWN(image.prepareImage(sourcePath(), reduced), std::runtime_error);
    }
};

QTEST_GUILESS_MAIN(TestFirmwareImage)
#include "tst_firmwareimage.moc"
