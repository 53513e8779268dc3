#pragma once

#include "comm/cameracodes.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class CameraProtocol;

// The register editor's work without its window: the areas and the two
// memories, the rows a page lists, the row payloads with their input checks,
// and row and whole-page transfers. Each row is a raw register command; no
// value layout applies, the digits travel as typed and come back as received.
class RegisterPage
{
public:
    // The memory a row is read from and written to: its code on the wire.
    enum Mode
    {
        Fpga = CameraCode::kFpga,
        Eeprom = CameraCode::kEeprom
    };
    enum Area
    {
        Common,
        Dsp,
        Tg,
        Afe,
        If,
        Lr,
        Info
    };
    static constexpr int kAreaCount = 7;
    static constexpr int kPageCount = 8;
    static constexpr int kRows = 32;

    struct AreaInfo
    {
        const char *caption; // UTF-8, as on the editor's button
        int writeCode;       // the read code has bit 7 set as well
        int dataDigits;      // 4 for a 16-bit area, 2 for an 8-bit one
        int lastAddress;     // the highest address a page lists
    };
    static const AreaInfo &AreaOf(Area area);
    static int ReadCode(Area area) { return AreaOf(area).writeCode | 0x80; }
    // "00FF" or "01FF": memory and the fixed byte that start every payload.
    static QByteArray ModePrefix(Mode mode);
    static int PageBase(int page) { return page * kRows; }

    // The page's caption: "00-1F", "20-3F", ... "E0-FF".
    static QString PageCaption(int page);
    // The lower-case ASCII name of an area, for where the caption cannot be
    // typed: "common", "dsp", "tg", "afe", "if", "lr", "info".
    static const char *AsciiName(Area area);
    // An area by its caption or its ASCII name, either case.
    static bool FindArea(const QString &name, Area *area);
    // A page by its caption or its first address ("00-1F" or "00"), either case.
    static bool FindPage(const QString &text, int *page);

    struct Row
    {
        QString address;
        QString data;
    };
    // A fresh page: each listed address with the area's placeholder data
    // ("0000" or "00"), empty rows past the area's last address.
    static QList<Row> PageRows(Area area, int page);

    // Exactly two hexadecimal digits.
    static bool IsValidAddress(const QString &text);
    // Exactly as many hexadecimal digits as the area's width.
    static bool IsValidData(Area area, const QString &text);

    enum Status
    {
        Done,
        BadAddress,
        BadData,
        Failed
    };
    struct Result
    {
        Status status = Done;
        int code = 0; // Failed: the exchange's negative result
        int row = -1; // page loops: the row they stopped at; -1 after all rows
    };

    // What the editor says when it refuses a row: the address message for
    // BadAddress, the data message for BadData; empty otherwise.
    static QString RefusalText(Status status);

    // The payloads; the address is checked before the data.
    static Status BuildWrite(Mode mode, Area area, const Row &row, QByteArray *payload);
    static Status BuildRead(Mode mode, Area area, const QString &address, QByteArray *payload);
    // Unlocks the camera's service registers: FPGA, common area, register 60.
    static QByteArray AccessCodePayload();

    // Transfers on the camera connection. Nothing is shown: a Failed result
    // leaves its code recorded for the caller to report.
    static Result WriteRow(CameraProtocol &camera, Mode mode, Area area, const Row &row);
    // On success *data holds the area's width of the reply, as received.
    static Result ReadRow(CameraProtocol &camera, Mode mode, Area area, const QString &address,
                          QString *data);

    // Called after each row read, so the caller can show it before the next.
    using RowRead = std::function<void(int row, const QString &data)>;
    // Rows in order, stopping at the first that fails; nothing is undone.
    static Result ReadPage(CameraProtocol &camera, Mode mode, Area area, const QList<Row> &rows,
                           const RowRead &rowRead);
    static Result WritePage(CameraProtocol &camera, Mode mode, Area area, const QList<Row> &rows);
};
