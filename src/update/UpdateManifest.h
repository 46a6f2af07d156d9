#pragma once
// The release manifest the update server serves per channel: a JSON object
// with the newest release's "version" and the address ("url") of its
// installer; other members are ignored. From it comes the name the
// installer gets in the download folder, which the desktop later opens: only
// a plain version number and an installer's suffix make it into that name.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class UpdateManifest
{
public:
    // The suffixes an installer may have.
    static const QStringList installerSuffixes;

    // Nothing when the body is no JSON object, or "version" or "url" is
    // missing, empty or no string.
    static std::optional<UpdateManifest> parse(const QByteArray &body);

    // The version, the channel tag (as "_Beta"; empty for none), "." and the
    // suffix of the file name at the end of url. Empty, with the reason in
    // *problem, unless the version is one to four dot-separated numbers and
    // the suffix is one of installerSuffixes.
    QString installerFileName(const QString &channelTag, QString *problem = nullptr) const;

    QString version;
    QString url;
};
