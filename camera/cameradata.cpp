#include "cameradata.h"

#include "comm/cameracodes.h"
#include "comm/usernotifier.h"
#include "paramindex.h"
#include "resources/apptitle.h"
#include "resources/stringids.h"
#include "resources/stringtable.h"

#include <QCoreApplication>

namespace {
using namespace CameraCode;
// White-spot detection status lives in the FPGA; its setting in the EEPROM.
constexpr int kWhiteSpotDetect = Param::WhiteSpotDetect;
} // namespace

int CameraData::WriteParam(int index, int value)
{
    const ParamInfo &row = ParamTable::Row(index);
    if (WriteRegister(kEeprom, kFixed, row.writeCode, row.address, row.lower, row.upper, value) < 0)
        return SetError(ERR_KEEP);
    return SetValue(index, value) ? 1 : 0;
}

int CameraData::ReadParam(int index)
{
    const ParamInfo &row = ParamTable::Row(index);
    if (!(row.flags & PF_READ))
        return 0;
    const int memory = index == kWhiteSpotDetect ? kFpga : kEeprom;
    int value = 0;
    if (ReadRegister(memory, kFixed, row.readCode, row.address, row.lower, row.upper, &value) < 0)
        return SetError(ERR_KEEP);
    MarkRead(index);
    return SetValue(index, value) ? 1 : 0;
}

void CameraData::Progress(int done, int total)
{
    if (m_bulkProgress)
        m_bulkProgress(done, total);
}

int CameraData::WriteAll()
{
    static const int total = ParamTable::CountWith(PF_WRITE_ALL);
    int done = 0;
    // Shown before the first exchange: a silent camera takes seconds to fail.
    Progress(0, total);
    for (int i = 0; i < PARAM_COUNT; ++i) {
        if (!(ParamTable::Row(i).flags & PF_WRITE_ALL))
            continue;
        if (WriteParam(i, GetValue(i)) < 0)
            return SetError(ERR_KEEP);
        Progress(++done, total);
    }
    return 0;
}

int CameraData::ReadAll()
{
    static const int total = ParamTable::CountWith(PF_READ);
    int done = 0;
    Progress(0, total);
    for (int i = 0; i < PARAM_COUNT; ++i) {
        if (!(ParamTable::Row(i).flags & PF_READ))
            continue;
        if (ReadParam(i) < 0)
            return SetError(ERR_KEEP);
        Progress(++done, total);
    }
    return 1;
}

int CameraData::Reported(int result)
{
    if (result < 0)
        ReportError();
    return result;
}

void CameraData::Reset()
{
    Forget();
    for (int i = 0; i < PARAM_COUNT; ++i)
        ResetValue(i);
    SetError(ERR_NONE);
}

int CameraData::Connect(const ChannelSpec &channel)
{
    return Open(channel);
}

int CameraData::ConnectLibrary(const QString &libraryPath, int portIndex, int baudRate)
{
    const int result = OpenLibrary(libraryPath, portIndex, baudRate);
    QString libraryText;
    if (result < 0 && BoardRefused(&libraryText)) {
        // The grabber's own refusal, in its own box.
        QString text = QCoreApplication::translate("SerialLink", "Board Open Error");
        if (!libraryText.isEmpty())
            text += QLatin1Char('\n') + libraryText;
        UserNotifier::Instance().ShowMessage(
            text, QCoreApplication::translate("SerialLink", "Error"), UserNotifier::Stop);
        return result;
    }
    return ReportedOpen(result);
}

int CameraData::ConnectPort(int portNumber, int baudRate)
{
    return ReportedOpen(OpenPort(portNumber, baudRate));
}

int CameraData::ReportedOpen(int result)
{
    // Which device or library was tried and why it would not open, after our
    // own message.
    if (result == -ERR_PORT_OPEN)
        ReportError(GetErrorReason());
    else
        Reported(result);
    return result;
}

int CameraData::SendParam(int index, int value)
{
    ShowProgress(index, StringId::SendingData);
    return Reported(WriteParam(index, value));
}

int CameraData::UploadParam(int index)
{
    ShowProgress(index, StringId::UploadingData);
    return Reported(ReadParam(index));
}

int CameraData::SendAll()
{
    return Reported(WriteAll());
}

int CameraData::UploadAll()
{
    return Reported(ReadAll());
}

void CameraData::ReportError(const QString &detail)
{
    const QString text =
        detail.isEmpty() ? GetErrorMessage() : GetErrorMessage() + QLatin1Char('\n') + detail;
    UserNotifier::Instance().ShowMessage(text, QString::fromLatin1(kAppTitle), UserNotifier::Stop);
}

void CameraData::ShowProgress(int index, int stringId)
{
    UserNotifier::Instance().ShowStatus(
        StringTable::Load(stringId).arg(ParamTable::GetParamName(index)));
}
