// zqctl's raw commands and what the service dialogs do: the manual command,
// the register editor's rows and pages, white-spot detection.
#include "zqctl.h"

#include "camera/thecamera.h"
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

QString areaNames()
{
    QStringList names;
    for (int a = 0; a < P::kAreaCount; ++a)
        names << QLatin1String(P::AsciiName(P::Area(a)));
    return names.join(QLatin1String(", "));
}

} // namespace

int Zqctl::CheckPayload(const QStringList &args)
{
    // As the manual command's field shows and sends what is typed.
    m_payload = args.at(0).toUpper();
    if (!isProtocolText(m_payload))
        return UsageError(QStringLiteral("PAYLOAD may hold printable ASCII characters only"));
    if (m_payload.size() > CameraProtocol::kMaxPayload) {
        ErrorState refusal;
        refusal.SetError(ERR_MSG_SIZE);
        Err(refusal.GetErrorMessage() +
            QStringLiteral("(%1 characters, a frame carries at most %2; nothing sent)")
                .arg(m_payload.size())
                .arg(CameraProtocol::kMaxPayload));
        return Usage;
    }
    return Success;
}

int Zqctl::Send(const QStringList &)
{
    if (theCamera.SendCommand(m_payload.toLatin1()) < 0) {
        theCamera.ReportError();
        return CameraFailure;
    }
    return Success;
}

int Zqctl::Query(const QStringList &)
{
    if (m_watch)
        m_watch->Arm();
    char reply[CameraProtocol::kReplyData + 1] = {};
    if (theCamera.SendAndReceive(m_payload.toLatin1(), reply) < 0) {
        theCamera.ReportError();
        return CameraFailure;
    }
    // Upper case, as the manual command's reply field shows it.
    Out(QString::fromLatin1(reply).toUpper());
    return Success;
}

int Zqctl::RegRefused(const QString &detail)
{
    Err(detail + QStringLiteral("; nothing sent"));
    return Usage;
}

int Zqctl::CheckRegRead(const QStringList &args)
{
    if (!P::FindArea(args.at(0), &m_area))
        return UsageError(QStringLiteral("AREA must be one of %1, or the editor's caption, not "
                                         "\"%2\"")
                              .arg(areaNames(), args.at(0)));
    m_row.address = args.at(1).toUpper();
    QByteArray payload;
    if (P::BuildRead(m_mode, m_area, m_row.address, &payload) != P::Done)
        return RegRefused(
            QStringLiteral("ADDR must be two hexadecimal digits, not \"%1\"").arg(args.at(1)));
    return Success;
}

int Zqctl::CheckRegRow(const QStringList &args)
{
    if (const int status = CheckRegRead(args))
        return status;
    m_row.data = args.at(2).toUpper();
    QByteArray payload;
    if (P::BuildWrite(m_mode, m_area, m_row, &payload) != P::Done)
        return RegRefused(
            QStringLiteral("DATA must be %1 hexadecimal digits in area %2, not \"%3\"")
                .arg(P::AreaOf(m_area).dataDigits)
                .arg(QLatin1String(P::AsciiName(m_area)), args.at(2)));
    return Success;
}

int Zqctl::CheckRegDump(const QStringList &args)
{
    if (!P::FindArea(args.at(0), &m_area))
        return UsageError(QStringLiteral("AREA must be one of %1, or the editor's caption, not "
                                         "\"%2\"")
                              .arg(areaNames(), args.at(0)));
    if (!P::FindPage(args.at(1), &m_page))
        return UsageError(QStringLiteral("PAGE must be 00-1F, 20-3F, ... E0-FF or its first "
                                         "address, not \"%1\"")
                              .arg(args.at(1)));
    if (P::PageRows(m_area, m_page).first().address.isEmpty()) {
        Err(QStringLiteral("area %1 has addresses 00 to %2 only: page %3 lists none; nothing sent")
                .arg(QLatin1String(P::AsciiName(m_area)))
                .arg(QString::asprintf("%02X", P::AreaOf(m_area).lastAddress))
                .arg(P::PageCaption(m_page)));
        return Usage;
    }
    return Success;
}

int Zqctl::RegWrite(const QStringList &)
{
    if (P::WriteRow(theCamera, m_mode, m_area, m_row).status != P::Done) {
        theCamera.ReportError();
        return CameraFailure;
    }
    return Success;
}

int Zqctl::RegRead(const QStringList &)
{
    QString data;
    if (P::ReadRow(theCamera, m_mode, m_area, m_row.address, &data).status != P::Done) {
        theCamera.ReportError();
        return CameraFailure;
    }
    Out(data.toUpper()); // as the editor's data field shows it
    return Success;
}

int Zqctl::RegDump(const QStringList &)
{
    // The rows the page lists, each shown as soon as it is read; a page of
    // the common area ends at 7E.
    QList<P::Row> rows = P::PageRows(m_area, m_page);
    while (rows.last().address.isEmpty())
        rows.removeLast();
    const P::Result result =
        P::ReadPage(theCamera, m_mode, m_area, rows, [&rows](int row, const QString &data) {
            Out(rows.at(row).address + QLatin1Char(' ') + data.toUpper());
        });
    if (result.status != P::Done) {
        theCamera.ReportError();
        return CameraFailure;
    }
    return Success;
}

int Zqctl::RegUnlock(const QStringList &)
{
    if (theCamera.SendCommand(P::AccessCodePayload()) < 0) {
        theCamera.ReportError();
        return CameraFailure;
    }
    return Success;
}

int Zqctl::Detect(QString *outcomeText)
{
    // A start the camera did not take would poll the status it had before.
    if (theCamera.SendParam(W::kStatusParam, 1) < 0)
        return CameraFailure;
    W detection;
    detection.Start();
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        QThread::msleep(W::kPollPeriodMs);
        const int result = theCamera.UploadParam(W::kStatusParam);
        const W::Outcome outcome = detection.OnPoll(result, theCamera.GetValue(W::kStatusParam));
        switch (outcome) {
        case W::Detecting:
            if (m_timeLimitMs && clock.elapsed() >= m_timeLimitMs) {
                Err(QStringLiteral("no outcome after %1 s of detecting (--time-limit)")
                        .arg(m_timeLimitMs / 1000));
                return NotFinished;
            }
            continue;
        case W::GaveUp: // each failed read has been reported
            return CameraFailure;
        default:
            *outcomeText = W::OutcomeText(outcome);
            if (!m_json)
                std::fprintf(stderr, "%s\n", qPrintable(*outcomeText));
            return outcome == W::Finished ? Success : NotFinished;
        }
    }
}

int Zqctl::WhiteSpots(const QStringList &)
{
    if (m_threshold >= 0 && theCamera.SendParam(W::kThresholdParam, m_threshold) < 0)
        return CameraFailure;
    QString outcome;
    const int detected = m_detect ? Detect(&outcome) : Success;
    // Failed reads and the time limit have been said; an outcome other than
    // finished lists nothing, but --json still carries it.
    if (detected && (outcome.isEmpty() || !m_json))
        return detected;
    W::Listing listing;
    if (!detected)
        listing = W::ListAddresses(theCamera);
    // What was read before a failure is listed all the same.
    if (m_json) {
        QJsonArray spots;
        for (int i = 0; i < listing.spots.size(); ++i)
            spots.append(QJsonObject{{QStringLiteral("no"), i + 1},
                                     {QStringLiteral("x"), listing.spots[i].x},
                                     {QStringLiteral("y"), listing.spots[i].y}});
        QJsonObject result{{QStringLiteral("spots"), spots}};
        if (m_detect) {
            result.insert(QStringLiteral("outcome"), outcome);
            result.insert(QStringLiteral("finished"), detected == Success);
        }
        OutJson(result);
    } else {
        QString text = W::Format(listing.spots);
        std::fputs(text.replace(QLatin1String("\r\n"), QLatin1String("\n")).toLocal8Bit(), stdout);
    }
    if (listing.result < 0) {
        theCamera.ReportError();
        return CameraFailure;
    }
    return detected;
}
