#pragma once
#include "CommandAddress.h"

#include <QVector>

#include <cstdint>

// Reply codes: byte 4 of an input report 40.
namespace ReplyCode {
inline constexpr uint8_t sensor = 65;          // sensor id or DPI step in byte 5
inline constexpr uint8_t acknowledgement = 66; // status in byte 5, 0 = accepted
inline constexpr uint8_t resetCauses = 67;
inline constexpr uint8_t uploadResult = 68; // status in byte 5, 0 = stored
inline constexpr uint8_t clickCapture = 69;
inline constexpr uint8_t memory = 72;
inline constexpr uint8_t serial = 73;
inline constexpr uint8_t cpuId = 74;
inline constexpr uint8_t forceCalibration = 92;
} // namespace ReplyCode

// Which input report answers a command. A command's wait ends only on its own
// answer; every other report that arrives meanwhile (a profile notice, a live
// sample, a late reply to an earlier command) goes on to its usual handling.
//
// A data reply is known by its reply code and, when it names a command
// (bytes 2 and 3: class << 6 | group, command; both zero name none), by that
// command too, so that a late reply to one query is not taken for the next
// query's of the same code. An acknowledgement is known by the command it
// names; one that names a query stands for the mouse's refusal of it, so it
// answers the query too.
class ExpectedReply
{
public:
    // Input report ids.
    static constexpr uint8_t replyReportId = 40;
    static constexpr uint8_t profileNoticeId = 10;
    static constexpr uint8_t liveSampleId = 20;
    static constexpr uint8_t liveMotionId = 23;
    // Status of an acknowledgement or an upload result that accepts.
    static constexpr uint8_t statusOk = 0;

    // What answers the command whose first packet this is: the data reply
    // of a query that has one, the profile notice of the profile query and
    // switch, the acknowledgement of every other command.
    static ExpectedReply forCommand(const QVector<uint8_t> &packet);
    // Any report at all: a plain wait that sent nothing.
    static ExpectedReply anyReport();
    // The acknowledgement that names the command.
    static ExpectedReply acknowledgement(uint8_t classGroup, uint8_t command);
    // The data reply with this code (or the acknowledgement naming the command).
    static ExpectedReply dataReply(uint8_t classGroup, uint8_t command, uint8_t code);
    // A profile notice (or the acknowledgement naming the command).
    static ExpectedReply profileNotice(uint8_t classGroup, uint8_t command);
    // What follows an upload's last acknowledgement: the upload's result, or
    // the mouse's notice of the profile its new configuration starts in.
    static ExpectedReply uploadAnnouncement(CommandAddress upload);
    // The mouse's notice that it switched profile on its own.
    static ExpectedReply ownProfileNotice();

    bool matches(const QVector<uint8_t> &report) const;

    // Reply with this code: [40, 2, …, …, code, data…].
    static bool isReply(const QVector<uint8_t> &report, uint8_t code);
    static bool isAcknowledgementOf(const QVector<uint8_t> &report, uint8_t classGroup, uint8_t command);
    // Reply with this code that names this command or none.
    static bool isReplyTo(const QVector<uint8_t> &report, uint8_t code, uint8_t classGroup, uint8_t command);
    // Profile notice with cause 2: the mouse switched on its own (also its
    // answer to the active-profile query).
    static bool isOwnProfileNotice(const QVector<uint8_t> &report);
    // Live input samples, which only the input stream reads.
    static bool isLiveReport(const QVector<uint8_t> &report);
    // Byte 5 of an acknowledgement or an upload result.
    static uint8_t status(const QVector<uint8_t> &report) { return report[5]; }

private:
    enum class Kind : uint8_t { AnyReport, Acknowledgement, DataReply, ProfileNotice, UploadAnnouncement, OwnNotice };

    ExpectedReply(Kind kind, uint8_t classGroup, uint8_t command, uint8_t code)
        : kind(kind)
        , classGroup(classGroup)
        , command(command)
        , code(code)
    {}

    Kind kind;
    uint8_t classGroup;
    uint8_t command;
    uint8_t code;
};
