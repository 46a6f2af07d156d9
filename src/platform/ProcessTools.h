#pragma once
#include <QString>

// What the system tells about a running process, read from /proc. Virtual so
// that tests can script a process list of their own.
class ProcessTools
{
public:
    virtual ~ProcessTools();

    // The full path of the process's executable; empty when it cannot be read
    // (a process of another user, or one that has ended). The " (deleted)"
    // that the kernel adds for a removed or replaced file is cut off.
    virtual QString executablePath(quint32 processId) const;
    // The short name the kernel keeps for the process (at most 15 bytes, from
    // the executable's name unless the process changed it); empty when unknown.
    virtual QString shortName(quint32 processId) const;
};
