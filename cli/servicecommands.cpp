// zqctl's raw commands and what the service dialogs do: the manual command,
// the register editor's rows and pages, white-spot detection.
#include "servicecommands.h"

#include "commandoutput.h"
#include "commandtable.h"

#include "camera/cameradata.h"
#include "camera/whitespotdetection.h"
#include "replywatch.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <cstdio>

namespace {

using P = RegisterPage;
using W = WhiteSpotDetection;

// What a frame may carry: printable ASCII, no control characters.
bool isProtocolText(const QString &payload)
{
    for (QChar c : payload) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    }
    return true;
}

int regRefused(CommandOutput &out, const QString &detail)
{
    out.Err(detail + QStringLiteral("; nothing sent"));
    return Usage;
}

// Where a register is, for --json.
QJsonObject registerPlace(const CommandRequest &request)
{
    return QJsonObject{{QStringLiteral("area"), QLatin1String(P::AsciiName(request.area))},
                       {QStringLiteral("eeprom"), request.mode == P::Eeprom}};
}

QString areaNames()
{
    QStringList names;
    for (int a = 0; a < P::kAreaCount; ++a)
        names << QLatin1String(P::AsciiName(P::Area(a)));
    return names.join(QLatin1String(", "));
}

} // namespace

int ServiceCommands::CheckPayload(CommandRequest &request, CommandOutput &out)
{
    // As the manual command's field shows and sends what is typed.
    request.payload = request.args.at(0).toUpper();
    if (!isProtocolText(request.payload))
        return CommandTable::UsageError(
            out, QStringLiteral("PAYLOAD may hold printable ASCII characters only"));
    if (request.payload.size() > CameraProtocol::kMaxPayload) {
        ErrorState refusal;
        refusal.SetError(ERR_MSG_SIZE);
        out.Err(refusal.GetErrorMessage() +
                QStringLiteral("(%1 characters, a frame carries at most %2; nothing sent)")
                    .arg(request.payload.size())
                    .arg(CameraProtocol::kMaxPayload));
        return Usage;
    }
    return Success;
}

int ServiceCommands::Send(CommandContext &c)
{
    if (c.camera.SendCommand(c.request.payload.toLatin1()) < 0) {
        c.camera.ReportError();
        return CameraFailure;
    }
    return Success;
}

int ServiceCommands::Query(CommandContext &c)
{
    if (c.watch)
        c.watch->Arm();
    char reply[CameraProtocol::kReplyData + 1] = {};
    if (c.camera.SendAndReceive(c.request.payload.toLatin1(), reply) < 0) {
        c.camera.ReportError();
        return CameraFailure;
    }
    // Upper case, as the manual command's reply field shows it.
    const QString text = QString::fromLatin1(reply).toUpper();
    if (c.request.json)
        c.out.Json(QJsonObject{{QStringLiteral("payload"), c.request.payload},
                               {QStringLiteral("reply"), text}});
    else
        c.out.Out(text);
    return Success;
}

int ServiceCommands::CheckRegRead(CommandRequest &request, CommandOutput &out)
{
    if (!P::FindArea(request.args.at(0), &request.area))
        return CommandTable::UsageError(
            out, QStringLiteral("AREA must be one of %1, or the editor's caption, not "
                                "\"%2\"")
                     .arg(areaNames(), request.args.at(0)));
    request.row.address = request.args.at(1).toUpper();
    QByteArray payload;
    if (P::BuildRead(request.mode, request.area, request.row.address, &payload) != P::Done)
        return regRefused(out, QStringLiteral("ADDR must be two hexadecimal digits, not \"%1\"")
                                   .arg(request.args.at(1)));
    return Success;
}

int ServiceCommands::CheckRegRow(CommandRequest &request, CommandOutput &out)
{
    if (const int status = CheckRegRead(request, out))
        return status;
    request.row.data = request.args.at(2).toUpper();
    QByteArray payload;
    if (P::BuildWrite(request.mode, request.area, request.row, &payload) != P::Done)
        return regRefused(
            out, QStringLiteral("DATA must be %1 hexadecimal digits in area %2, not \"%3\"")
                     .arg(P::AreaOf(request.area).dataDigits)
                     .arg(QLatin1String(P::AsciiName(request.area)), request.args.at(2)));
    return Success;
}

int ServiceCommands::CheckRegDump(CommandRequest &request, CommandOutput &out)
{
    if (!P::FindArea(request.args.at(0), &request.area))
        return CommandTable::UsageError(
            out, QStringLiteral("AREA must be one of %1, or the editor's caption, not "
                                "\"%2\"")
                     .arg(areaNames(), request.args.at(0)));
    if (!P::FindPage(request.args.at(1), &request.page))
        return CommandTable::UsageError(
            out, QStringLiteral("PAGE must be 00-1F, 20-3F, ... E0-FF or its first "
                                "address, not \"%1\"")
                     .arg(request.args.at(1)));
    if (P::PageRows(request.area, request.page).first().address.isEmpty()) {
        out.Err(
            QStringLiteral("area %1 has addresses 00 to %2 only: page %3 lists none; nothing sent")
                .arg(QLatin1String(P::AsciiName(request.area)))
                .arg(QString::asprintf("%02X", P::AreaOf(request.area).lastAddress))
                .arg(P::PageCaption(request.page)));
        return Usage;
    }
    return Success;
}

int ServiceCommands::RegWrite(CommandContext &c)
{
    if (P::WriteRow(c.camera, c.request.mode, c.request.area, c.request.row).status != P::Done) {
        c.camera.ReportError();
        return CameraFailure;
    }
    return Success;
}

int ServiceCommands::RegRead(CommandContext &c)
{
    QString data;
    if (P::ReadRow(c.camera, c.request.mode, c.request.area, c.request.row.address, &data).status !=
        P::Done) {
        c.camera.ReportError();
        return CameraFailure;
    }
    // As the editor's data field shows it.
    if (c.request.json) {
        QJsonObject result = registerPlace(c.request);
        result.insert(QStringLiteral("address"), c.request.row.address);
        result.insert(QStringLiteral("data"), data.toUpper());
        c.out.Json(result);
    } else {
        c.out.Out(data.toUpper());
    }
    return Success;
}

int ServiceCommands::RegDump(CommandContext &c)
{
    // The rows the page lists, each shown as soon as it is read; a page of
    // the common area ends at 7E.
    QList<P::Row> rows = P::PageRows(c.request.area, c.request.page);
    while (rows.last().address.isEmpty())
        rows.removeLast();
    QJsonArray registers;
    const P::Result result = P::ReadPage(
        c.camera, c.request.mode, c.request.area, rows, [&](int row, const QString &data) {
            const QString &address = rows.at(row).address;
            if (c.request.json)
                registers.append(QJsonObject{{QStringLiteral("address"), address},
                                             {QStringLiteral("data"), data.toUpper()}});
            else
                c.out.Out(address + QLatin1Char(' ') + data.toUpper());
        });
    if (result.status != P::Done) {
        c.camera.ReportError();
        return CameraFailure;
    }
    if (c.request.json) {
        QJsonObject page = registerPlace(c.request);
        page.insert(QStringLiteral("page"), P::PageCaption(c.request.page));
        page.insert(QStringLiteral("registers"), registers);
        c.out.Json(page);
    }
    return Success;
}

int ServiceCommands::RegUnlock(CommandContext &c)
{
    if (c.camera.SendCommand(P::AccessCodePayload()) < 0) {
        c.camera.ReportError();
        return CameraFailure;
    }
    return Success;
}

int ServiceCommands::Detect(CommandContext &c, QString *outcomeText)
{
    // A start the camera did not take would poll the status it had before.
    if (c.camera.SendParam(W::kStatusParam, 1) < 0)
        return CameraFailure;
    W detection;
    detection.Start();
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        QThread::msleep(W::kPollPeriodMs);
        const int result = c.camera.UploadParam(W::kStatusParam);
        const W::Outcome outcome = detection.OnPoll(result, c.camera.GetValue(W::kStatusParam));
        switch (outcome) {
        case W::Detecting:
            if (c.request.timeLimitMs && clock.elapsed() >= c.request.timeLimitMs) {
                c.out.Err(QStringLiteral("no outcome after %1 s of detecting (--time-limit)")
                              .arg(c.request.timeLimitMs / 1000));
                return NotFinished;
            }
            continue;
        case W::GaveUp: // each failed read has been reported
            return CameraFailure;
        default:
            *outcomeText = W::OutcomeText(outcome);
            if (!c.request.json)
                c.out.Note(*outcomeText);
            return outcome == W::Finished ? Success : NotFinished;
        }
    }
}

int ServiceCommands::WhiteSpots(CommandContext &c)
{
    if (c.request.threshold >= 0 && c.camera.SendParam(W::kThresholdParam, c.request.threshold) < 0)
        return CameraFailure;
    QString outcome;
    const int detected = c.request.detect ? Detect(c, &outcome) : Success;
    // Failed reads and the time limit have been said; an outcome other than
    // finished lists nothing, but --json still carries it.
    if (detected && (outcome.isEmpty() || !c.request.json))
        return detected;
    W::Listing listing;
    if (!detected)
        listing = W::ListAddresses(c.camera);
    // What was read before a failure is listed all the same.
    if (c.request.json) {
        QJsonArray spots;
        for (int i = 0; i < listing.spots.size(); ++i)
            spots.append(QJsonObject{{QStringLiteral("no"), i + 1},
                                     {QStringLiteral("x"), listing.spots[i].x},
                                     {QStringLiteral("y"), listing.spots[i].y}});
        QJsonObject result{{QStringLiteral("spots"), spots}};
        if (c.request.detect) {
            result.insert(QStringLiteral("outcome"), outcome);
            result.insert(QStringLiteral("finished"), detected == Success);
        }
        c.out.Json(result);
    } else {
        QString text = W::Format(listing.spots);
        c.out.Text(text.replace(QLatin1String("\r\n"), QLatin1String("\n")));
    }
    if (listing.result < 0) {
        c.camera.ReportError();
        return CameraFailure;
    }
    return detected;
}
