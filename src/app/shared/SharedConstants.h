#pragma once
// Values every part of the program shares. Each including source file gets its
// own copy (internal linkage); all copies hold the same value and none changes.

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// Translated with the "QObject" context, but built before any translator
// exists, so they always hold the English source text.
static const QString productName = QCoreApplication::translate("QObject", "Corvanelle R7 Control Panel");
static const QString globalProfileName = QCoreApplication::translate("QObject", "Global");

static const QString requiredFirmwareBuild = QStringLiteral("000208");
static const QString deviceServiceHost = QStringLiteral("device.corvanelle.com");
static const QString changelogUrl =
    QStringLiteral("https://support.corvanelle.com/portal/en/kb/articles/corvanelle-r7-control-panel-changelog/");
static const QString betaChangelogUrl =
    QStringLiteral("https://support.corvanelle.com/portal/en/kb/articles/r7-control-panel-beta-changelog/");
static const QString introductionUrl =
    QStringLiteral("https://support.corvanelle.com/portal/en/kb/articles/introduction-to-the-corvanelle-r7-control-panel/");
static const QString settingsFileName = QStringLiteral("settings.ini");

// Declared empty and never filled: only ever tested for membership.
static const QStringList contentLanguages;
static const QStringList languages = {QStringLiteral("Auto"), QStringLiteral("en"), QStringLiteral("es"),
                                      QStringLiteral("fr"),   QStringLiteral("ja"), QStringLiteral("ru"),
                                      QStringLiteral("zh"),   QStringLiteral("zh_TW")};
