#include "SaveSequence.h"

#include "ConfigFile.h"

namespace SaveSequence {

Result run(bool upload, MouseFunctions *device, ConfigFile *file)
{
    if (!device)
        device = MouseFunctions::instance();
    if (!file)
        file = ConfigFile::instance();
    Result result;
    if (upload) {
        // The reason travels with the announcement of the upload's end.
        const QMetaObject::Connection reason = QObject::connect(
            device, &MouseFunctions::uploadFinished, device,
            [&result](MouseFunctions::UploadResult, const QString &text) { result.uploadReason = text; });
        result.upload = device->sendProfilesToMouse();
        QObject::disconnect(reason);
    }
    result.written = file->save();
    return result;
}

} // namespace SaveSequence
