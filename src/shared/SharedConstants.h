#pragma once
// Values every part of the program shares: one object each for the whole
// program (inline variables); none changes.

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// Translated with the "QObject" context, but built before any translator
// exists, so they always hold the English source text.
inline const QString productName = QCoreApplication::translate("QObject", "Corvanelle R7 Control Panel");
inline const QString globalProfileName = QCoreApplication::translate("QObject", "Global");

inline const QString requiredFirmwareBuild = QStringLiteral("000208");
inline const QString deviceServiceHost = QStringLiteral("device.corvanelle.com");
// Serves the release manifests and the installers the software update fetches.
inline const QString updateServerUrl = QStringLiteral("https://update.corvanelle.com");
inline const QString changelogUrl =
    QStringLiteral("https://support.corvanelle.com/portal/en/kb/articles/corvanelle-r7-control-panel-changelog/");
inline const QString betaChangelogUrl =
    QStringLiteral("https://support.corvanelle.com/portal/en/kb/articles/r7-control-panel-beta-changelog/");
inline const QString introductionUrl =
    QStringLiteral("https://support.corvanelle.com/portal/en/kb/articles/introduction-to-the-corvanelle-r7-control-panel/");
inline const QString settingsFileName = QStringLiteral("settings.ini");

// Declared empty and never filled: only ever tested for membership.
inline const QStringList contentLanguages;
inline const QStringList languages = {QStringLiteral("Auto"), QStringLiteral("en"), QStringLiteral("es"),
                                      QStringLiteral("fr"),   QStringLiteral("ja"), QStringLiteral("ru"),
                                      QStringLiteral("zh"),   QStringLiteral("zh_TW")};
