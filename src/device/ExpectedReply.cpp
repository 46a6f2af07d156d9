#include "ExpectedReply.h"

namespace {
// The queries with a data reply of their own.
constexpr struct
{
    CommandAddress address;
    uint8_t reply;
} dataQueries[] = {
    {DeviceCommand::cpuIdQuery, ReplyCode::cpuId},
    {DeviceCommand::serialQuery, ReplyCode::serial},
    {DeviceCommand::memoryQuery, ReplyCode::memory},
    {DeviceCommand::dpiStepQuery, ReplyCode::sensor},
    {DeviceCommand::sensorIdQuery, ReplyCode::sensor},
    {DeviceCommand::forceCalibrationQuery, ReplyCode::forceCalibration},
    {DeviceCommand::clickCaptureQuery, ReplyCode::clickCapture},
};
} // namespace

ExpectedReply ExpectedReply::forCommand(const QVector<uint8_t> &packet)
{
    const uint8_t classGroup = packet.size() > 3 ? packet[2] : 0;
    const uint8_t command = packet.size() > 3 ? packet[3] : 0;
    for (const auto &query : dataQueries) {
        if (query.address.is(classGroup, command))
            return dataReply(classGroup, command, query.reply);
    }
    // The mouse answers both with a profile notice.
    if (DeviceCommand::activeProfileQuery.is(classGroup, command)
        || DeviceCommand::switchProfileCommand.is(classGroup, command))
        return profileNotice(classGroup, command);
    return acknowledgement(classGroup, command);
}

ExpectedReply ExpectedReply::anyReport()
{
    return ExpectedReply(Kind::AnyReport, 0, 0, 0);
}

ExpectedReply ExpectedReply::acknowledgement(uint8_t classGroup, uint8_t command)
{
    return ExpectedReply(Kind::Acknowledgement, classGroup, command, 0);
}

ExpectedReply ExpectedReply::dataReply(uint8_t classGroup, uint8_t command, uint8_t code)
{
    return ExpectedReply(Kind::DataReply, classGroup, command, code);
}

ExpectedReply ExpectedReply::profileNotice(uint8_t classGroup, uint8_t command)
{
    return ExpectedReply(Kind::ProfileNotice, classGroup, command, 0);
}

ExpectedReply ExpectedReply::uploadAnnouncement(CommandAddress upload)
{
    return ExpectedReply(Kind::UploadAnnouncement, upload.classGroup(), uint8_t(upload.command),
                         ReplyCode::uploadResult);
}

ExpectedReply ExpectedReply::ownProfileNotice()
{
    return ExpectedReply(Kind::OwnNotice, 0, 0, 0);
}

bool ExpectedReply::matches(const QVector<uint8_t> &report) const
{
    switch (kind) {
    case Kind::AnyReport:
        return true;
    case Kind::Acknowledgement:
        return isAcknowledgementOf(report, classGroup, command);
    case Kind::DataReply:
        return isReplyTo(report, code, classGroup, command) || isAcknowledgementOf(report, classGroup, command);
    case Kind::ProfileNotice:
        return report[0] == profileNoticeId || isAcknowledgementOf(report, classGroup, command);
    case Kind::UploadAnnouncement:
        return isReplyTo(report, code, classGroup, command) || isOwnProfileNotice(report);
    case Kind::OwnNotice:
        return isOwnProfileNotice(report);
    }
    return false;
}

bool ExpectedReply::isReply(const QVector<uint8_t> &report, uint8_t code)
{
    return report[0] == replyReportId && report[1] == 2 && report[4] == code;
}

bool ExpectedReply::isAcknowledgementOf(const QVector<uint8_t> &report, uint8_t classGroup, uint8_t command)
{
    return isReply(report, ReplyCode::acknowledgement) && report[2] == classGroup && report[3] == command;
}

bool ExpectedReply::isReplyTo(const QVector<uint8_t> &report, uint8_t code, uint8_t classGroup, uint8_t command)
{
    const bool namesNone = report[2] == 0 && report[3] == 0;
    return isReply(report, code) && (namesNone || (report[2] == classGroup && report[3] == command));
}

bool ExpectedReply::isOwnProfileNotice(const QVector<uint8_t> &report)
{
    return report[0] == profileNoticeId && report[2] == 2;
}

bool ExpectedReply::isLiveReport(const QVector<uint8_t> &report)
{
    return report[0] == liveSampleId || report[0] == liveMotionId;
}
