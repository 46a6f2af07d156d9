#include "InstalledPrograms.h"

#include "RegistryKey.h"

#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace {

using Key = std::optional<RegistryKey>;

const QString uninstallPath = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall");
const QString installerProductsPath = QStringLiteral("Software\\Classes\\Installer\\Products");
const QString userDataPath = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData");
const QString userProductsPath = QStringLiteral("\\Software\\Microsoft\\Installer\\Products");
const QString localSystemUser = QStringLiteral("S-1-5-18");

bool readsAsOne(const QString &text)
{
    bool ok = false;
    return !text.isEmpty() && text.toInt(&ok) == 1 && ok;
}

bool isUpdate(const RegistryKey &entry, const QString &subkeyName, const QString &releaseType)
{
    static const QRegularExpression hotfixName(QRegularExpression::anchoredPattern(QStringLiteral("KB[0-9]{6}")));
    if (hotfixName.match(subkeyName).hasMatch())
        return true;
    if (!entry.queryText(QStringLiteral("ParentKeyName")).isEmpty())
        return true;
    return releaseType == QLatin1String("Security Update") || releaseType == QLatin1String("Update Rollup")
           || releaseType == QLatin1String("Hotfix");
}

// The installer's own name and icon of a product, when set there.
void takeProductTexts(const Key &product, QString &name, QString &icon)
{
    if (!product)
        return;
    const QString productName = product->queryText(QStringLiteral("ProductName"));
    const QString productIcon = product->queryText(QStringLiteral("ProductIcon"));
    if (!productName.isEmpty())
        name = productName;
    if (!productIcon.isEmpty())
        icon = productIcon;
}

void scanUninstallKey(const Key &uninstall, const Key &installerProducts, QVector<InstalledProgram> &list,
                      bool includeUpdates)
{
    if (!uninstall)
        return;
    for (const QString &name : uninstall->enumerateSubkeys()) {
        const Key entry = uninstall->open(name, uninstall->view());
        if (!entry)
            continue;
        if (readsAsOne(entry->queryText(QStringLiteral("SystemComponent"))))
            continue;
        InstalledProgram program;
        program.view = uninstall->view();
        program.DisplayVersion = entry->queryText(QStringLiteral("DisplayVersion"));
        program.DisplayName = entry->queryText(QStringLiteral("DisplayName"));
        program.InstallLocation = entry->queryText(QStringLiteral("InstallLocation"));
        program.DisplayIcon = entry->queryText(QStringLiteral("DisplayIcon"));

        if (!readsAsOne(entry->queryText(QStringLiteral("WindowsInstaller")))) {
            const QString releaseType = entry->queryText(QStringLiteral("ReleaseType"));
            if (!isUpdate(*entry, name, releaseType)) {
                if (!entry->queryText(QStringLiteral("UninstallString")).isEmpty() && !program.DisplayName.isEmpty())
                    InstalledPrograms::addProgram(list, program);
            } else if (includeUpdates && !program.DisplayName.isEmpty()) {
                InstalledPrograms::addProgram(list, program);
            }
            continue;
        }

        // An installer entry: the installer's product key may name it better.
        const QString packed = InstalledPrograms::packedGuidKey(name);
        if (installerProducts && !packed.isEmpty())
            takeProductTexts(installerProducts->open(packed, installerProducts->view()), program.DisplayName,
                             program.DisplayIcon);
        if (!program.DisplayName.isEmpty())
            InstalledPrograms::addProgram(list, program);
    }
}

// The products of one user found among the installed products of any user
// but the local system, in both views of the installer's data.
void scanUserDataProducts(const Registry &registry, const Key &userProducts, QVector<InstalledProgram> &list)
{
    if (!userProducts)
        return;
    const RegistryKey machine = RegistryKey::localMachine(registry);
    const Key passes[] = {machine.open(userDataPath, 1), machine.open(userDataPath, 2)};
    if (!passes[0] && !passes[1])
        return;
    const QStringList products = userProducts->enumerateSubkeys();
    for (int pass = 0; pass < 2; ++pass) {
        const Key &userData = passes[pass];
        if (!userData)
            continue;
        const QStringList users = userData->enumerateSubkeys();
        for (const QString &product : products) {
            for (const QString &user : users) {
                if (user == localSystemUser)
                    continue;
                const QString userPath = userDataPath + QLatin1Char('\\') + user + QStringLiteral("\\Products");
                const Key installed = machine.open(userPath, 0);
                if (!installed || !installed->enumerateSubkeys().contains(product))
                    continue;
                const Key properties =
                    machine.open(userPath + QLatin1Char('\\') + product + QStringLiteral("\\InstallProperties"), 0);
                if (!properties || readsAsOne(properties->queryText(QStringLiteral("SystemComponent"))))
                    continue;
                InstalledProgram program;
                program.DisplayName = properties->queryText(QStringLiteral("DisplayName"));
                program.DisplayVersion = properties->queryText(QStringLiteral("DisplayVersion"));
                program.InstallLocation = properties->queryText(QStringLiteral("InstallLocation"));
                program.DisplayIcon = properties->queryText(QStringLiteral("DisplayIcon"));
                program.view = pass + 1;
                takeProductTexts(userProducts->open(product, userProducts->view()), program.DisplayName,
                                 program.DisplayIcon);
                if (program.DisplayName.isEmpty())
                    continue;
                InstalledPrograms::addProgram(list, program);
                break;
            }
        }
    }
}

QString reversed(const QString &text)
{
    QString result = text;
    std::reverse(result.begin(), result.end());
    return result;
}

QString pairsSwapped(const QString &text)
{
    QString result = text;
    QChar *chars = result.data();
    for (int i = 0; i + 1 < result.size(); i += 2)
        std::swap(chars[i], chars[i + 1]);
    return result;
}

QChar asciiLower(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? QChar(c.unicode() + ('a' - 'A')) : c;
}

} // namespace

namespace InstalledPrograms {

QString packedGuidKey(const QString &productCode)
{
    QString code = productCode;
    code.remove(QLatin1Char('{')).remove(QLatin1Char('}'));
    const QStringList groups = code.split(QLatin1Char('-'));
    if (groups.size() != 5)
        return QString();
    return reversed(groups[0]) + reversed(groups[1]) + reversed(groups[2]) + pairsSwapped(groups[3])
           + pairsSwapped(groups[4]);
}

void addProgram(QVector<InstalledProgram> &list, InstalledProgram program)
{
    const auto found = std::find_if(list.begin(), list.end(), [&program](const InstalledProgram &record) {
        return record.DisplayName == program.DisplayName;
    });
    if (found == list.end()) {
        list.append(program);
        return;
    }
    if (program.view == 0) {
        program.view = found->view;
    } else if (found->view != 0 && found->view != program.view) {
        list.append(program);
        return;
    }
    // The first field that both give differently keeps them apart; a field
    // the new record lacks is taken from the one found.
    for (QString InstalledProgram::*field :
         {&InstalledProgram::DisplayIcon, &InstalledProgram::InstallLocation, &InstalledProgram::DisplayVersion}) {
        QString &mine = program.*field;
        const QString &theirs = (*found).*field;
        if (!mine.isEmpty() && !theirs.isEmpty() && mine != theirs) {
            list.append(program);
            return;
        }
        if (mine.isEmpty())
            mine = theirs;
    }
    list.erase(found);
    list.append(program);
}

bool nameLess(const InstalledProgram &a, const InstalledProgram &b)
{
    const QString &left = a.DisplayName;
    const QString &right = b.DisplayName;
    const int common = qMin(left.size(), right.size());
    for (int i = 0; i < common; ++i) {
        const QChar l = asciiLower(left.at(i));
        const QChar r = asciiLower(right.at(i));
        if (l != r)
            return l.unicode() < r.unicode();
    }
    return left.size() < right.size();
}

QVector<InstalledProgram> getInstalledPrograms(const Registry &registry, bool includeUpdates)
{
    QVector<InstalledProgram> list;
    const RegistryKey machine = RegistryKey::localMachine(registry);
    const Key installerProducts = machine.open(installerProductsPath, 0);
    scanUninstallKey(machine.open(uninstallPath, 1), installerProducts, list, includeUpdates);
    scanUninstallKey(machine.open(uninstallPath, 2), installerProducts, list, includeUpdates);

    const RegistryKey users = RegistryKey::users(registry);
    for (const QString &user : users.enumerateSubkeys()) {
        scanUninstallKey(users.open(user + QLatin1Char('\\') + uninstallPath, 0), installerProducts, list,
                         includeUpdates);
        scanUserDataProducts(registry, users.open(user + userProductsPath, 0), list);
    }
    std::stable_sort(list.begin(), list.end(), nameLess);
    return list;
}

} // namespace InstalledPrograms
