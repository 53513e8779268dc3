#include "registerpage.h"

#include "comm/cameracodes.h"
#include "comm/cameraprotocol.h"

namespace {

using namespace CameraCode;

// In the order of the editor's area table.
const RegisterPage::AreaInfo kAreas[RegisterPage::kAreaCount] = {
    {"ｺﾓﾝ", 0x01, 4, 0x7E}, {"DSP", 0x02, 2, 0xFF}, {"TG", 0x03, 2, 0xFF},   {"AFE", 0x04, 4, 0xFF},
    {"I/F", 0x05, 2, 0xFF}, {"LR", 0x06, 2, 0xFF},  {"INFO", 0x10, 4, 0x7F},
};

const char *const kAsciiNames[RegisterPage::kAreaCount] = {"common", "dsp", "tg",  "afe",
                                                           "if",     "lr",  "info"};

bool isHex(const QByteArray &text, int digits)
{
    return text.size() == digits && CameraProtocol::IsHexDigits(text.constData(), digits);
}

int hexByte(const QByteArray &text, int at)
{
    return CameraProtocol::HexToInt(text.constData() + at, 2);
}

// Non-Latin characters turn into '?', which no check accepts.
QByteArray latin(const QString &text)
{
    return text.toLatin1();
}

} // namespace

const RegisterPage::AreaInfo &RegisterPage::AreaOf(Area area)
{
    return kAreas[area];
}

QByteArray RegisterPage::ModePrefix(Mode mode)
{
    return QString::asprintf("%02X%02X", int(mode), kFixed).toLatin1();
}

QString RegisterPage::PageCaption(int page)
{
    return QString::asprintf("%02X-%02X", PageBase(page), PageBase(page) + kRows - 1);
}

const char *RegisterPage::AsciiName(Area area)
{
    return kAsciiNames[area];
}

bool RegisterPage::FindArea(const QString &name, Area *area)
{
    for (int a = 0; a < kAreaCount; ++a) {
        if (name.compare(QString::fromUtf8(kAreas[a].caption), Qt::CaseInsensitive) == 0 ||
            name.compare(QLatin1String(kAsciiNames[a]), Qt::CaseInsensitive) == 0) {
            *area = Area(a);
            return true;
        }
    }
    return false;
}

bool RegisterPage::FindPage(const QString &text, int *page)
{
    for (int p = 0; p < kPageCount; ++p) {
        const QString caption = PageCaption(p);
        if (text.compare(caption, Qt::CaseInsensitive) == 0 ||
            text.compare(caption.left(2), Qt::CaseInsensitive) == 0) {
            *page = p;
            return true;
        }
    }
    return false;
}

QString RegisterPage::RefusalText(Status status)
{
    switch (status) {
    case BadAddress:
        return QStringLiteral("アドレスの入力が不正です。");
    case BadData:
        return QStringLiteral("データの入力が不正です。");
    default:
        return QString();
    }
}

QList<RegisterPage::Row> RegisterPage::PageRows(Area area, int page)
{
    const AreaInfo &info = AreaOf(area);
    QList<Row> rows;
    for (int k = 0; k < kRows; ++k) {
        const int address = PageBase(page) + k;
        if (address > info.lastAddress)
            rows.append(Row());
        else
            rows.append({QString::number(address, 16).toUpper().rightJustified(2, QLatin1Char('0')),
                         QString(info.dataDigits, QLatin1Char('0'))});
    }
    return rows;
}

bool RegisterPage::IsValidAddress(const QString &text)
{
    return isHex(latin(text), 2);
}

bool RegisterPage::IsValidData(Area area, const QString &text)
{
    return isHex(latin(text), AreaOf(area).dataDigits);
}

RegisterPage::Status RegisterPage::BuildWrite(Mode mode, Area area, const Row &row,
                                              QByteArray *payload)
{
    if (!IsValidAddress(row.address))
        return BadAddress;
    if (!IsValidData(area, row.data))
        return BadData;
    const QByteArray data = latin(row.data);
    // The data digits go first in the value field as typed; the rest is zero.
    CameraProtocol::WireBytes value = {quint8(hexByte(data, 0)), 0, 0};
    if (data.size() == 4)
        value[1] = quint8(hexByte(data, 2));
    *payload = CameraProtocol::BuildPayload(mode, kFixed, AreaOf(area).writeCode,
                                            hexByte(latin(row.address), 0), value);
    return Done;
}

RegisterPage::Status RegisterPage::BuildRead(Mode mode, Area area, const QString &address,
                                             QByteArray *payload)
{
    if (!IsValidAddress(address))
        return BadAddress;
    *payload =
        CameraProtocol::BuildPayload(mode, kFixed, ReadCode(area), hexByte(latin(address), 0), {});
    return Done;
}

QByteArray RegisterPage::AccessCodePayload()
{
    return CameraProtocol::BuildPayload(kFpga, kFixed, kAccessCodeArea, kAccessCodeRegister,
                                        {quint8(kAccessCode >> 8), quint8(kAccessCode & 0xFF), 0});
}

RegisterPage::Result RegisterPage::WriteRow(CameraProtocol &camera, Mode mode, Area area,
                                            const Row &row)
{
    Result result;
    QByteArray payload;
    result.status = BuildWrite(mode, area, row, &payload);
    if (result.status != Done)
        return result;
    result.code = camera.SendCommand(payload);
    if (result.code < 0)
        result.status = Failed;
    return result;
}

RegisterPage::Result RegisterPage::ReadRow(CameraProtocol &camera, Mode mode, Area area,
                                           const QString &address, QString *data)
{
    Result result;
    QByteArray payload;
    result.status = BuildRead(mode, area, address, &payload);
    if (result.status != Done)
        return result;
    char reply[28] = {};
    result.code = camera.SendAndReceive(payload, reply);
    if (result.code < 0) {
        result.status = Failed;
        return result;
    }
    *data = QString::fromLatin1(reply, AreaOf(area).dataDigits);
    return result;
}

RegisterPage::Result RegisterPage::ReadPage(CameraProtocol &camera, Mode mode, Area area,
                                            const QList<Row> &rows, const RowRead &rowRead)
{
    for (int k = 0; k < rows.size(); ++k) {
        QString data;
        Result result = ReadRow(camera, mode, area, rows[k].address, &data);
        if (result.status != Done) {
            result.row = k;
            return result;
        }
        if (rowRead)
            rowRead(k, data);
    }
    return Result();
}

RegisterPage::Result RegisterPage::WritePage(CameraProtocol &camera, Mode mode, Area area,
                                             const QList<Row> &rows)
{
    for (int k = 0; k < rows.size(); ++k) {
        Result result = WriteRow(camera, mode, area, rows[k]);
        if (result.status != Done) {
            result.row = k;
            return result;
        }
    }
    return Result();
}
