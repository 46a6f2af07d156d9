// The encoder on its own: it reads the profiles it is given, whoever owns them.
#include "InputMapAction_Button.h"
#include "PackageEncoder.h"
#include "ProfileData.h"

#include "OutputBuilders.h"

#include <QtTest>

#include <memory>
#include <vector>

class TestPackageEncoder : public QObject
{
    Q_OBJECT

private slots:
    void encodesProfilesOutsideTheStore()
    {
        ProfileData global(255, 255, "Global");
        auto top = std::make_unique<ProfileData>(1, 255, "Top");
        auto mapping = std::make_shared<InputMapAction_Button>();
        mapping->buttonId = 0;
        mapping->activationOutputs = {key(4)};
        top->inputMaps = {mapping};
        std::vector<std::unique_ptr<ProfileData>> list;
        list.push_back(std::move(top));

        PackageEncoder encoder;
        encoder.setProfiles(&global, list);
        encoder.setActiveProfile(1, 255);
        QString error;
        const QByteArray bytes = encoder.package(&error);

        QVERIFY(error.isEmpty());
        const QByteArray expected = QByteArray::fromHex("010B0300010006") + "Global"
                                    + QByteArray::fromHex("02051050010001"
                                                          "03045B0201FF")
                                    + QByteArray::fromHex("01080100010003") + "Top"
                                    + QByteArray::fromHex("0205100A000101"
                                                          "03031E0401");
        QCOMPARE(bytes.toHex(' '), expected.toHex(' '));
        QCOMPARE(encoder.itemCount(), quint8(1));
        QCOMPARE(encoder.itemIndex(mapping.get(), list.front().get()), 0);
    }

    void withoutAGlobalProfileThereIsNoPackage()
    {
        PackageEncoder encoder;
        encoder.setProfiles(nullptr, std::vector<ProfileData *>());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("package not built"));
        QVERIFY(encoder.package().isEmpty());
        QCOMPARE(encoder.error(), QString("there is no global profile"));
    }
};

QTEST_GUILESS_MAIN(TestPackageEncoder)
#include "tst_packageencoder.moc"
