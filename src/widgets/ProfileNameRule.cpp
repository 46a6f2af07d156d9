#include "ProfileNameRule.h"

#include <QCoreApplication>

namespace ProfileNameRule {

QString refusal(const QString &text, int mode, const QStringList &existingNames)
{
    if (text.trimmed().isEmpty())
        return QCoreApplication::translate("LineDialog", "Profile Name cannot be empty");
    if (text.size() > maxLength)
        return QCoreApplication::translate("LineDialog", "Profile Name cannot be more than 18 characters");
    for (const QString &name : existingNames) {
        if (name != text)
            continue;
        if (mode == Rename)
            return QCoreApplication::translate("LineDialog", "Profile Name already exists");
        if (mode == Add)
            break;
    }
    return QString();
}

} // namespace ProfileNameRule
