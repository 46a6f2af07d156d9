#pragma once
// What a Save button does in either view: the profiles go to the mouse when
// the caller says so, then the whole configuration file is written. The file
// is written whatever the upload gave, so a mouse that stops answering never
// costs the user the edits on disk.

#include "MouseFunctions.h"

#include <QString>

#include <optional>

class ConfigFile;

namespace SaveSequence {

struct Result
{
    // The upload's outcome and the reason for the user; nothing when no
    // upload was asked for.
    std::optional<MouseFunctions::UploadResult> upload;
    QString uploadReason;
    // ConfigFile::save() wrote the file.
    bool written = false;

    // The upload was asked for and did not reach the mouse. An upload put off
    // because the model is inside a batch of changes is no failure.
    bool uploadFailed() const
    {
        return upload && *upload != MouseFunctions::UploadOk && *upload != MouseFunctions::UploadSkipped;
    }
};

// Uploads through device->sendProfilesToMouse() when upload is set, then
// writes through file->save(). Null objects: their instance().
Result run(bool upload, MouseFunctions *device = nullptr, ConfigFile *file = nullptr);

} // namespace SaveSequence
