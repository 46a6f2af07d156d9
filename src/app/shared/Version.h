#pragma once

#include <QString>

static const QString versionMajor = QStringLiteral("3");
static const QString versionMinor = QStringLiteral("0");
static const QString versionPatch = QStringLiteral("9");
static const QString versionBuild = QStringLiteral("1");
static const QString versionString = versionMajor + "." + versionMinor + "." + versionPatch + "." + versionBuild;
