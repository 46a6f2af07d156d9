#include "RowDriver.h"

#include "ComboBox.h"
#include "OutputAction.h"
#include "OutputAction_Act.h"
#include "OutputAction_Keyboard.h"
#include "oawidget.h"

namespace RowDriver {

oawidget *currentPage(const OutputAction *row)
{
    for (oawidget *page : row->findChildren<oawidget *>()) {
        if (!page->isHidden())
            return page;
    }
    return nullptr;
}

QString pageClass(const OutputAction *row)
{
    const oawidget *page = currentPage(row);
    return page ? QString::fromLatin1(page->metaObject()->className()) : QString();
}

ComboBox *subTypeCombo(const OutputAction *row)
{
    for (ComboBox *combo : row->findChildren<ComboBox *>(QStringLiteral("subTypeCombo"))) {
        if (!combo->isHidden())
            return combo;
    }
    return nullptr;
}

QString subType(const OutputAction *row)
{
    const ComboBox *combo = subTypeCombo(row);
    return combo ? combo->currentText() : QString();
}

QString describe(const OutputPtr &record)
{
    if (!record)
        return QStringLiteral("null");
    if (const auto *key = dynamic_cast<const OutputAction_Keyboard *>(record.get())) {
        QString name;
        if (key->typeCode == OutputType::Key) {
            const int index = OutputAction_Keyboard::keyNameIndex(key->keyGroup, key->keyUsage);
            name = index >= 0 ? OutputAction_Keyboard::keyNames(key->keyGroup).at(index)
                              : QStringLiteral("usage %1").arg(key->keyUsage);
        } else if (key->typeCode == OutputType::MediaKey) {
            const int index = OutputAction_Keyboard::mediaNameIndex(key->mediaUsage.value());
            name = index >= 0 ? OutputAction_Keyboard::keyNames(OutputAction_Keyboard::mediaGroup).at(index)
                              : QStringLiteral("media %1").arg(key->mediaUsage.value());
        } else {
            return QStringLiteral("text ") + QString::fromLatin1(key->keyString);
        }
        return name + OutputActionConfig::stateMarker(key->buttonState);
    }
    if (record->typeCode == OutputType::Wait)
        return QStringLiteral("wait %1").arg(static_cast<const OutputAction_Act &>(*record).countOrTime.value());
    return QStringLiteral("type %1").arg(record->typeCode);
}

QStringList describe(const OutputList &records)
{
    QStringList texts;
    for (const OutputPtr &record : records)
        texts << describe(record);
    return texts;
}

} // namespace RowDriver
