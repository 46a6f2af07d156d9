#include "UpdateManifest.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QUrl>

const QStringList UpdateManifest::installerSuffixes = {QStringLiteral("exe"), QStringLiteral("deb")};

std::optional<UpdateManifest> UpdateManifest::parse(const QByteArray &body)
{
    const QJsonDocument document = QJsonDocument::fromJson(body);
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    UpdateManifest manifest;
    manifest.version = object.value(QLatin1String("version")).toString();
    manifest.url = object.value(QLatin1String("url")).toString();
    if (manifest.version.isEmpty() || manifest.url.isEmpty())
        return std::nullopt;
    return manifest;
}

QString UpdateManifest::installerFileName(const QString &channelTag, QString *problem) const
{
    static const QRegularExpression plainVersion(
        QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{1,9}(\\.[0-9]{1,9}){0,3}")));
    auto refuse = [problem](const QString &reason) {
        if (problem)
            *problem = reason;
        return QString();
    };
    if (!plainVersion.match(version).hasMatch())
        return refuse(QStringLiteral("version is no plain version number: ") + version);
    const QString fileName = QUrl(url).fileName();
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString suffix = dot < 0 ? QString() : fileName.mid(dot + 1);
    if (!installerSuffixes.contains(suffix, Qt::CaseInsensitive))
        return refuse(QStringLiteral("no installer: ") + url);
    return version + channelTag + "." + suffix;
}
