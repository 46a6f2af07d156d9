#include "ConfigFile.h"
#include "ConfigMappingReader.h"
#include "ProfileReceiver.h"
#include "SampleModel.h"

#include <QJsonDocument>
#include <QRandomGenerator>
#include <QtTest>

// Damaged variants of valid files fed to the reader: nothing may crash or
// hang, and whatever the reader makes of them must be a model that can be
// written, encoded and read again.
namespace {

QByteArray fixture(const QString &name)
{
    QFile file(QFINDTESTDATA(QStringLiteral("../data/config/") + name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

QString checkTree(const InputMapActionConfig *mapping, const InputMapActionConfig *parent, int depth)
{
    if (!mapping)
        return QStringLiteral("empty mapping in a list");
    if (mapping->parent != parent)
        return QStringLiteral("wrong parent link");
    if (depth >= ConfigMappingReader::maximumDepth)
        return QStringLiteral("tree too deep");
    for (const InputMapPtr &child : mapping->children) {
        const QString problem = checkTree(child.get(), mapping, depth + 1);
        if (!problem.isEmpty())
            return problem;
    }
    return QString();
}

QString checkModel()
{
    PackageCreator *model = PackageCreator::instance();
    QList<ProfileData *> all = model->profiles();
    all.prepend(model->globalProfile());
    for (const ProfileData *profile : qAsConst(all)) {
        if (!profile)
            return QStringLiteral("no global profile");
        if (profile->hasOwnSettings() && !profile->dpiRecord.isValid())
            return QStringLiteral("invalid DPI levels in \"%1\"").arg(profile->name);
        for (const OutputPtr &output : profile->profileOutputs) {
            if (!output)
                return QStringLiteral("empty profile output");
        }
        for (const InputMapPtr &mapping : profile->inputMaps) {
            const QString problem = checkTree(mapping.get(), nullptr, 0);
            if (!problem.isEmpty())
                return problem;
        }
    }
    return QString();
}

QJsonValue randomValue(QRandomGenerator &random, const QJsonArray &samples)
{
    switch (random.bounded(20)) {
    case 0: return QJsonValue();
    case 1: return random.bounded(2) == 1;
    case 2: return 0;
    case 3: return -1;
    case 4: return 65535;
    case 5: return 4294967296.0;
    case 6: return 1e300;
    case 7: return -1e300;
    case 8: return 2.5;
    case 9: return QString();
    case 10: return QStringLiteral("systemEvent");
    case 11: return QStringLiteral("profileChanged");
    case 12: return QStringLiteral("customMessage");
    case 13: return QJsonArray();
    case 14: return QJsonObject();
    case 15: return QJsonArray{1, QJsonObject(), QStringLiteral("x")};
    case 16: return int(random.bounded(-3, 40));
    case 17: return QString(int(random.bounded(1, 400)), QChar(0x4e00 + int(random.bounded(100))));
    default: return samples.at(int(random.bounded(samples.size())));
    }
}

// Replaces, removes or repeats members and elements, each with probability p.
QJsonValue mangle(const QJsonValue &value, QRandomGenerator &random, double p, const QJsonArray &samples)
{
    if (random.generateDouble() < p)
        return randomValue(random, samples);
    if (value.isObject()) {
        QJsonObject object = value.toObject();
        const QStringList keys = object.keys();
        for (const QString &key : keys) {
            if (random.generateDouble() < p / 2)
                object.remove(key);
            else
                object.insert(key, mangle(object.value(key), random, p, samples));
        }
        return object;
    }
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        QJsonArray result;
        for (const QJsonValue &element : array) {
            const double roll = random.generateDouble();
            if (roll < p / 2)
                continue;
            result.append(mangle(element, random, p, samples));
            if (roll > 1 - p / 2)
                result.append(element);
        }
        return result;
    }
    return value;
}

int countValues(const QJsonValue &value)
{
    int count = 1;
    if (value.isObject()) {
        for (const QJsonValue &member : value.toObject())
            count += countValues(member);
    } else if (value.isArray()) {
        for (const QJsonValue &element : value.toArray())
            count += countValues(element);
    }
    return count;
}

// Every element of every mapping list and item list, as material for
// replacements that are well-formed but out of place.
void collectSamples(const QJsonValue &value, QJsonArray &samples)
{
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        if (object.contains(QStringLiteral("TypeId")) || object.contains(QStringLiteral("InputActionType")))
            samples.append(object);
        for (const QJsonValue &member : object)
            collectSamples(member, samples);
    } else if (value.isArray()) {
        for (const QJsonValue &element : value.toArray())
            collectSamples(element, samples);
    }
}

} // namespace

class TestConfigFileFuzz : public QObject
{
    Q_OBJECT

    QList<QByteArray> m_seeds;
    QtMessageHandler m_previousHandler = nullptr;
    int m_loaded = 0;

    void feed(const QByteArray &bytes)
    {
        SampleModel::emptyModel();
        ProfileReceiver receiver;
        ConfigFile *file = ConfigFile::instance();
        if (!file->loadBytes(bytes))
            return;
        ++m_loaded;
        const QString problem = checkModel();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        PackageCreator::instance()->package();
        const QByteArray written = file->writeBytes();
        SampleModel::emptyModel();
        QVERIFY2(file->loadBytes(written), "a written file does not read back");
    }

private slots:
    void initTestCase()
    {
        m_seeds = {fixture("full.kvlf"), fixture("version1.kvlf"), fixture("short-settings.kvlf")};
        for (const QByteArray &seed : qAsConst(m_seeds))
            QVERIFY(!seed.isEmpty());
        m_previousHandler = qInstallMessageHandler(quiet);
    }

    void cleanupTestCase() { qInstallMessageHandler(m_previousHandler); }

    void truncatedFiles()
    {
        QRandomGenerator random(1201);
        for (const QByteArray &seed : qAsConst(m_seeds)) {
            for (int i = 0; i < 300; ++i) {
                feed(seed.left(int(random.bounded(seed.size()))));
                if (QTest::currentTestFailed())
                    return;
            }
        }
    }

    void damagedBytes()
    {
        const char replacements[] = "{}[]\",:0-9e.\\ \0nulltruefalse\xff";
        QRandomGenerator random(3307);
        m_loaded = 0;
        for (int i = 0; i < 1500; ++i) {
            QByteArray bytes = m_seeds.at(i % m_seeds.size());
            const int changes = 1 + int(random.bounded(6));
            for (int c = 0; c < changes; ++c) {
                const int at = int(random.bounded(bytes.size()));
                if (random.bounded(4) == 0)
                    bytes[at] = char(random.bounded(256));
                else
                    bytes[at] = replacements[random.bounded(int(sizeof(replacements)) - 1)];
            }
            feed(bytes);
            if (QTest::currentTestFailed())
                return;
        }
        QVERIFY(m_loaded > 0);
    }

    void mangledDocuments()
    {
        QRandomGenerator random(4409);
        m_loaded = 0;
        for (const QByteArray &seed : qAsConst(m_seeds)) {
            const QJsonObject document = QJsonDocument::fromJson(seed.mid(seed.indexOf('{'))).object();
            QJsonArray samples;
            collectSamples(document, samples);
            samples.append(QJsonObject{{"Id", "buttonToggle"}});
            const double p = 3.0 / countValues(document);
            for (int i = 0; i < 500; ++i) {
                const QJsonValue mangled = mangle(document, random, p, samples);
                feed(QJsonDocument(mangled.toObject()).toJson(QJsonDocument::Compact));
                if (QTest::currentTestFailed())
                    return;
            }
        }
        QCOMPARE(m_loaded, 3 * 500);
    }
};

QTEST_GUILESS_MAIN(TestConfigFileFuzz)
#include "tst_configfile_fuzz.moc"
