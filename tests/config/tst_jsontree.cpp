#include "ConfigFile.h"
#include "JsonTree.h"
#include "ModelGenerator.h"

#include <QJsonDocument>
#include <QRandomGenerator>
#include <QtTest>

// The reader's parser against QJsonDocument::fromJson: every text that one
// accepts the other accepts, with the same values.
namespace {

QJsonValue valueOf(const JsonNode &node)
{
    if (node.isNull())
        return QJsonValue(QJsonValue::Null);
    if (node.isBool())
        return node.toBool();
    if (node.isDouble())
        return node.toDouble();
    if (node.isString())
        return node.toString();
    if (node.isArray()) {
        QJsonArray array;
        for (const JsonNode &element : node)
            array.append(valueOf(element));
        return array;
    }
    if (node.isObject()) {
        QJsonObject object;
        for (const auto &[key, member] : node.members())
            object.insert(key, valueOf(member)); // the last of a repeated key stays
        return object;
    }
    return QJsonValue(QJsonValue::Undefined);
}

// Numbers as the readers see them, through toDouble().
bool same(const QJsonValue &a, const QJsonValue &b)
{
    if (a.type() != b.type())
        return false;
    if (a.isDouble())
        return a.toDouble() == b.toDouble();
    if (a.isArray()) {
        const QJsonArray x = a.toArray();
        const QJsonArray y = b.toArray();
        if (x.size() != y.size())
            return false;
        for (int i = 0; i < x.size(); ++i) {
            if (!same(x.at(i), y.at(i)))
                return false;
        }
        return true;
    }
    if (a.isObject()) {
        const QJsonObject x = a.toObject();
        const QJsonObject y = b.toObject();
        if (x.keys() != y.keys())
            return false;
        for (auto it = x.begin(); it != x.end(); ++it) {
            if (!same(it.value(), y.value(it.key())))
                return false;
        }
        return true;
    }
    return a == b;
}

QByteArray compact(const QJsonValue &value)
{
    return QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).toPercentEncoding(" {}[]\\\":,");
}

QJsonValue documentValue(const QJsonDocument &document)
{
    return document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
}

// Empty when both parsers agree on text.
QString disagreement(const QByteArray &text)
{
    QJsonParseError qtError;
    const QJsonDocument document = QJsonDocument::fromJson(text, &qtError);
    JsonTree tree;
    const bool parsed = tree.parse(text);
    if (parsed != (qtError.error == QJsonParseError::NoError)) {
        return QStringLiteral("Qt says \"%1\", the tree says \"%2\" for: %3")
            .arg(qtError.errorString(), parsed ? QStringLiteral("no error") : tree.error().errorString(),
                 QString::fromLatin1(text.left(200).toPercentEncoding(" {}[]\":,")));
    }
    if (parsed && !same(valueOf(tree.root()), documentValue(document))) {
        return QStringLiteral("different values for: %1\n    Qt: %2\n  tree: %3")
            .arg(QString::fromLatin1(text.left(200).toPercentEncoding()),
                 QString::fromLatin1(compact(documentValue(document)).left(300)),
                 QString::fromLatin1(compact(valueOf(tree.root())).left(300)));
    }
    return QString();
}

QByteArray fixture(const QString &name)
{
    QFile file(QFINDTESTDATA(QStringLiteral("../data/config/") + name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestJsonTree : public QObject
{
    Q_OBJECT

private slots:
    void agreesWithQt_data()
    {
        QTest::addColumn<QByteArray>("text");
        const QList<QByteArray> cases = {
            "{}",
            "[]",
            " \t\r\n{ } \n",
            "{} x",
            "{}\0",
            "{\"a\":1,}",
            "{,}",
            "{\"a\" 1}",
            "{\"a\":}",
            "[1,]",
            "[,1]",
            "[1 2]",
            "{\"a\":1 \"b\":2}",
            "[",
            "{",
            "{\"a\"",
            "{\"a\":",
            "\"a\"",
            "1",
            "null",
            // literals, and Qt's test of the bytes after them
            "[null]",
            "[true]",
            "[false]",
            "[nul]",
            "[nulll]",
            "[truex]",
            "[null",
            "[fals]",
            // numbers
            "[0]",
            "[-0]",
            "[01]",
            "[1.]",
            "[.5]",
            "[-.5]",
            "[1e5]",
            "[1E+5]",
            "[1e-5]",
            "[1e]",
            "[1e+]",
            "[-]",
            "[+1]",
            "[1.0]",
            "[1.000]",
            "[1.5e3]",
            "[123456789012345678]",
            "[1234567890123456789]",
            "[12345678901234567890]",
            "[-9223372036854775808]",
            "[9223372036854775807]",
            "[9223372036854775808]",
            "[1e308]",
            "[1e309]",
            "[1e400]",
            "[-1e400]",
            "[1e-320]",
            "[1e-400]",
            "[0.1]",
            "[3.14159265358979323846]",
            "[1",
            "[1.5",
            "[0x10]",
            "[Infinity]",
            "[NaN]",
            // strings
            "[\"\"]",
            "[\"a\\\"b\"]",
            "[\"\\/\\b\\f\\n\\r\\t\\\\\"]",
            "[\"\\u0041\\u00e9\\u20AC\"]",
            "[\"\\ud83c\\udfae\"]",
            "[\"\\ud800\"]",
            "[\"\\udc00x\"]",
            "[\"\\u12\"]",
            "[\"\\u12g4\"]",
            "[\"\\q\"]",
            "[\"\\\xc3\xa9\"]",
            "[\"\\\xc3"
            "A\"]",
            "[\"\\",
            "[\"abc",
            "[\"tab\there\"]",
            "[\"nul\0in\"]",
            "[\"\x01\x1f\x7f\"]",
            "[\"\xc3\xa9\"]",
            "[\"\xc3\"]",
            "[\"\xc3x\"]",
            "[\"\xc0\x80\"]",
            "[\"\xc1\xbf\"]",
            "[\"\xe0\x80\xaf\"]",
            "[\"\xe0\xa0\x80\"]",
            "[\"\xed\x9f\xbf\"]",
            "[\"\xed\xa0\x80\"]",
            "[\"\xef\xbf\xbf\"]",
            "[\"\xef\xbf\xbe\"]",
            "[\"\xf0\x8f\xbf\xbf\"]",
            "[\"\xf0\x90\x80\x80\"]",
            "[\"\xf4\x8f\xbf\xbf\"]",
            "[\"\xf4\x90\x80\x80\"]",
            "[\"\xf5\x80\x80\x80\"]",
            "[\"\xff\"]",
            "[\"\x80\"]",
            "[\"\xe2\x82\"]",
            // keys: escaped, repeated, odd
            "{\"a\":1,\"a\":2}",
            "{\"a\":1,\"b\":2,\"a\":[3]}",
            "{\"\\u0061\":1,\"a\":2}",
            "{\"a\":1,\"\\u0061\":2}",
            "{\"\":0}",
            "{1:2}",
            "{\"a\":1}}",
            "[[]]]",
            "\xef\xbb\xbf{}",
            "\xef\xbb\xbf[]",
            "\xef\xbb\xbf",
        };
        for (const QByteArray &text : cases)
            QTest::newRow(text.toPercentEncoding(" {}[]\":,").left(60).constData()) << text;
        QTest::newRow("nul within") << QByteArray("[\"a\0b\"]", 7);
        QTest::newRow("nul after") << QByteArray("{}\0", 3);
        QTest::newRow("1024 levels") << QByteArray(1024, '[') + QByteArray(1024, ']');
        QTest::newRow("1025 levels") << QByteArray(1025, '[') + QByteArray(1025, ']');
        QTest::newRow("1024 levels of objects") << QByteArray(1023, '[') + "{}" + QByteArray(1023, ']');
        QTest::newRow("1025 levels of objects") << QByteArray(1024, '[') + "{}" + QByteArray(1024, ']');
    }

    void agreesWithQt()
    {
        QFETCH(QByteArray, text);
        const QString problem = disagreement(text);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // Written files, whole, cut short and with bytes changed.
    void agreesWithQtOnDamagedFiles()
    {
        ModelGenerator::Shape shape;
        shape.profiles = 3;
        shape.mappings = 3;
        shape.nested = 3;
        shape.varied = true;
        ModelGenerator::build(shape, 77);
        QList<QByteArray> seeds = {fixture("full.kvlf"), fixture("version1.kvlf"),
                                   ConfigFile::instance()->writeBytes()};
        for (QByteArray &seed : seeds) {
            QVERIFY(!seed.isEmpty());
            seed = seed.mid(seed.indexOf('{'));
        }
        const char replacements[] = "{}[]\",:0-9e.E+\\u/ \t\n\0nulltruefalse\xff\xc3\xa9\xed\xa0\x80";
        QRandomGenerator random(9001);
        for (int i = 0; i < 3000; ++i) {
            QByteArray text = seeds.at(i % seeds.size());
            if (i % 5 == 0) {
                text.truncate(int(random.bounded(text.size())));
            } else {
                for (int c = 1 + int(random.bounded(4)); c > 0; --c) {
                    const int at = int(random.bounded(text.size()));
                    if (random.bounded(4) == 0)
                        text[at] = char(random.bounded(256));
                    else
                        text[at] = replacements[random.bounded(int(sizeof replacements) - 1)];
                }
            }
            const QString problem = disagreement(text);
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
        }
        for (const QByteArray &seed : qAsConst(seeds))
            QVERIFY(disagreement(seed).isEmpty());
    }

    // The document starts where the caller says.
    void parsesFromOffset()
    {
        const QByteArray text = "json,2,4\n{\"Name\": \"Gr\\u00fc\\u00dfe\", \"List\": [1, true, null]}\n";
        JsonTree tree;
        QVERIFY(tree.parse(text, text.indexOf('{')));
        QCOMPARE(tree.root().value("Name").toString(), QStringLiteral("Grüße"));
        QCOMPARE(tree.root().value("List").size(), 3);
        QVERIFY(tree.root().value("Missing").isUndefined());
        QVERIFY(tree.root().value("Name").toObject().value("x").isUndefined());
        // Of a repeated key the last value counts, also over a container.
        QVERIFY(tree.parse("{\"a\": {\"x\": 1}, \"a\": [3]}"));
        QVERIFY(tree.root().value("a").isArray());
        QVERIFY(!tree.parse(text)); // the first line is no JSON
        QCOMPARE(tree.error().error, QJsonParseError::IllegalValue);
    }
};

QTEST_GUILESS_MAIN(TestJsonTree)
#include "tst_jsontree.moc"
