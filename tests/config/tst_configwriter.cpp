#include "ConfigFile.h"
#include "JsonTextWriter.h"
#include "ModelGenerator.h"
#include "ReferenceConfigWriter.h"

#include <QJsonDocument>
#include <QRandomGenerator>
#include <QtTest>

// The configuration file is written as text straight into one buffer. These
// tests hold it to the bytes Qt's JSON classes give for the same document.
namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

// Where two texts part, with a few lines around it.
QString firstDifference(const QByteArray &actual, const QByteArray &expected)
{
    int at = 0;
    while (at < actual.size() && at < expected.size() && actual.at(at) == expected.at(at))
        ++at;
    const int lineStart = std::max(0, actual.lastIndexOf('\n', std::max(0, at - 1)));
    auto around = [lineStart](const QByteArray &text) { return QString::fromUtf8(text.mid(lineStart, 300)); };
    return QStringLiteral("sizes %1 / %2, first difference at byte %3\n--- written:\n%4\n--- expected:\n%5")
        .arg(actual.size())
        .arg(expected.size())
        .arg(at)
        .arg(around(actual), around(expected));
}

QString randomText(QRandomGenerator &random)
{
    static const char16_t special[] = {0x00,   0x01,   0x08,   0x09,   0x0a,   0x0c,   0x0d,  0x1f,  0x20,
                                       0x22,   0x2f,   0x5c,   0x7f,   0x80,   0xe9,   0x7ff, 0x800, 0x2028,
                                       0xd800, 0xdbff, 0xdc00, 0xdfff, 0xfffe, 0xffff, 'a',   'Z'};
    QString text;
    const int size = int(random.bounded(12));
    for (int i = 0; i < size; ++i) {
        if (random.bounded(2))
            text += QChar(special[random.bounded(int(sizeof special / sizeof special[0]))]);
        else
            text += QChar(char16_t(random.bounded(0x10000)));
    }
    return text;
}

// The largest integers written exactly: Qt writes numbers through a double.
constexpr qint64 maxExact = qint64(1) << 53;

QJsonValue randomValue(QRandomGenerator &random, int depth)
{
    switch (random.bounded(depth > 4 ? 6 : 8)) {
    case 0:
        return QJsonValue();
    case 1:
        return random.bounded(2) == 1;
    case 2:
        return int(random.bounded(-70000, 70000));
    case 3:
        return qint64(random.generate64() >> 11) - (qint64(1) << 52);
    case 4:
        return randomText(random);
    case 5:
        return random.bounded(2) ? -maxExact : maxExact;
    case 6: {
        QJsonArray array;
        for (int i = int(random.bounded(4)); i > 0; --i)
            array.append(randomValue(random, depth + 1));
        return array;
    }
    default: {
        QJsonObject object;
        for (int i = int(random.bounded(5)); i > 0; --i)
            object.insert(QStringLiteral("%1key%2").arg(QChar('A' + random.bounded(3))).arg(random.bounded(20)),
                          randomValue(random, depth + 1));
        return object;
    }
    }
}

// value through the writer's calls, members in the order the object holds them.
void writeValue(JsonTextWriter &json, const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Null:
        json.null();
        break;
    case QJsonValue::Bool:
        json.boolean(value.toBool());
        break;
    case QJsonValue::Double:
        json.number(value.toVariant().toLongLong());
        break;
    case QJsonValue::String:
        json.string(value.toString());
        break;
    case QJsonValue::Array:
        json.beginArray();
        for (const QJsonValue &element : value.toArray())
            writeValue(json, element);
        json.endArray();
        break;
    case QJsonValue::Object: {
        const QJsonObject object = value.toObject();
        json.beginObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            const QByteArray key = it.key().toLatin1();
            json.key(key.constData(), key.size());
            writeValue(json, it.value());
        }
        json.endObject();
        break;
    }
    case QJsonValue::Undefined:
        break;
    }
}

} // namespace

class TestConfigWriter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_previousHandler = qInstallMessageHandler(quiet); }
    void cleanupTestCase() { qInstallMessageHandler(m_previousHandler); }

    // Every kind of value, strings with every kind of character, and a value
    // written once and copied one and two levels deeper.
    void textMatchesQtJson()
    {
        QRandomGenerator random(7717);
        for (int i = 0; i < 400; ++i) {
            QJsonObject document;
            document.insert(QStringLiteral("a"), randomValue(random, 0));
            document.insert(QStringLiteral("b"), randomValue(random, 0));
            const QJsonValue copied = randomValue(random, 0);
            document.insert(QStringLiteral("c"), copied);
            document.insert(QStringLiteral("d"), QJsonArray{copied, QJsonArray{copied}});

            QByteArray written = "first line\n";
            JsonTextWriter json(written);
            json.beginObject();
            json.key("a");
            writeValue(json, document.value("a"));
            json.key("b");
            writeValue(json, document.value("b"));
            json.key("c");
            JsonTextWriter::Span span = json.beginSpan();
            writeValue(json, copied);
            json.endSpan(span);
            json.key("d");
            json.beginArray();
            json.copy(span);
            json.beginArray();
            json.copy(span);
            json.endArray();
            json.endArray();
            json.endObject();
            json.raw("\n", 1);
            json.finish();

            const QByteArray expected = "first line\n" + QJsonDocument(document).toJson(QJsonDocument::Indented);
            QVERIFY2(written == expected, qPrintable(firstDifference(written, expected)));
        }
    }

    void writerMatchesReference_data()
    {
        QTest::addColumn<int>("profiles");
        QTest::addColumn<int>("mappings");
        QTest::addColumn<int>("nested");
        QTest::addColumn<int>("outputs");
        QTest::addColumn<bool>("varied");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<QList<quint8>>("selection");

        const QList<quint8> every;
        QTest::newRow("the global profile alone, empty") << 0 << 0 << 0 << 0 << false << 1u << every;
        QTest::newRow("plain, small") << 5 << 4 << 3 << 2 << false << 2u << every;
        QTest::newRow("plain, deep nesting") << 3 << 3 << 12 << 1 << false << 3u << every;
        for (quint32 seed = 10; seed < 40; ++seed) {
            QTest::addRow("varied %u", seed)
                << int(seed % 9) << int(seed % 7) << int(seed % 8) << int(seed % 4) << true << seed << every;
        }
        QTest::newRow("without the global profile") << 6 << 3 << 2 << 2 << true << 51u << QList<quint8>{0, 1, 1, 1, 1};
        QTest::newRow("sub-profile of a profile left out")
            << 8 << 2 << 1 << 1 << true << 52u << QList<quint8>{1, 0, 1, 1, 0, 1, 1, 1, 1, 1};
        QTest::newRow("sub-profile left out") << 8 << 2 << 1 << 1 << true << 53u << QList<quint8>{1, 1, 0, 1, 1, 1};
        QTest::newRow("fewer flags than groups") << 8 << 2 << 1 << 1 << true << 54u << QList<quint8>{1, 0};
        QTest::newRow("nothing chosen") << 4 << 2 << 1 << 1 << true << 55u << QList<quint8>{0, 0, 0, 0, 0, 0};
    }

    void writerMatchesReference()
    {
        QFETCH(int, profiles);
        QFETCH(int, mappings);
        QFETCH(int, nested);
        QFETCH(int, outputs);
        QFETCH(bool, varied);
        QFETCH(quint32, seed);
        QFETCH(QList<quint8>, selection);

        ModelGenerator::Shape shape;
        shape.profiles = profiles;
        shape.mappings = mappings;
        shape.nested = nested;
        shape.outputs = outputs;
        shape.varied = varied;
        ModelGenerator::build(shape, seed);
        PackageCreator::instance()->package();

        const QByteArray expected = ReferenceConfigWriter::bytes(selection);
        const QByteArray written = ConfigFile::instance()->writeBytes(selection);
        QVERIFY2(written == expected, qPrintable(firstDifference(written, expected)));
    }

    // The model the benchmarks time, once.
    void largeModelMatchesReference()
    {
        ModelGenerator::build(ModelGenerator::Shape());
        PackageCreator::instance()->package();
        const QByteArray expected = ReferenceConfigWriter::bytes();
        const QByteArray written = ConfigFile::instance()->writeBytes();
        QVERIFY2(written == expected, qPrintable(firstDifference(written, expected)));
        // The next write is sized after this one and comes out the same.
        QCOMPARE(ConfigFile::instance()->writeBytes(), expected);
    }

private:
    QtMessageHandler m_previousHandler = nullptr;
};

QTEST_GUILESS_MAIN(TestConfigWriter)
#include "tst_configwriter.moc"
