#pragma once
// The simple view's texts that follow the release channel (1 Alpha, 2 Beta,
// 3 Public, 4 the hidden channel): the version line of the information
// pop-up and the window title.
#include <QString>

struct SimpleViewTexts
{
    static QString versionText(int channel);
    static QString windowTitle(int channel);
};
