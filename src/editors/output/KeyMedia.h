#pragma once

#include "KeyBase.h"

// The picker of the media keys (output type 31); a fresh page holds PLAY / PAUSE.
class KeyMedia : public KeyBase
{
    Q_OBJECT

public:
    explicit KeyMedia(QWidget *parent = nullptr);
};
