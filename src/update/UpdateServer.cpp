#include "UpdateServer.h"

#include "SharedConstants.h"

#include <QDebug>

namespace UpdateServer {

namespace {

const QString loopbackHost = QStringLiteral("127.0.0.1");

QString &chosenBase()
{
    static QString address;
    return address;
}

bool isLoopbackHttp(const QUrl &address)
{
    return address.scheme() == QLatin1String("http") && address.host() == loopbackHost;
}

} // namespace

QUrl base()
{
    if (!chosenBase().isEmpty())
        return QUrl(chosenBase());
    const QString fromEnvironment = qEnvironmentVariable(environmentVariable);
    if (!fromEnvironment.isEmpty()) {
        if (isAcceptedBase(QUrl(fromEnvironment, QUrl::StrictMode)))
            return QUrl(fromEnvironment);
        static QString warnedFor;
        if (fromEnvironment != warnedFor) {
            warnedFor = fromEnvironment;
            qWarning().noquote() << "SWUpdate:" << environmentVariable
                                 << "ignored, not an https address or an http address on 127.0.0.1:" << fromEnvironment;
        }
    }
    return QUrl(updateServerUrl);
}

bool setBase(const QString &address)
{
    if (!address.isEmpty() && !isAcceptedBase(QUrl(address, QUrl::StrictMode)))
        return false;
    chosenBase() = address;
    return true;
}

bool isAcceptedBase(const QUrl &address)
{
    if (!address.isValid() || !address.userInfo().isEmpty() || address.hasQuery() || address.hasFragment())
        return false;
    return (address.scheme() == QLatin1String("https") && !address.host().isEmpty()) || isLoopbackHttp(address);
}

bool isAcceptedAddress(const QUrl &address)
{
    if (!address.isValid() || address.host().isEmpty())
        return false;
    if (address.scheme() == QLatin1String("https"))
        return true;
    return isLoopbackHttp(address) && isLoopbackHttp(base());
}

QUrl manifestUrl(const QString &channelSegment)
{
    QString address = base().toString();
    while (address.endsWith(QLatin1Char('/')))
        address.chop(1);
    return QUrl(address + "/vesk/" + channelSegment + "/windows/R7Driver.json");
}

} // namespace UpdateServer
