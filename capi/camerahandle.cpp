#include "camerahandle.h"

#include "camera/camerainfo.h"
#include "camera/cameramodel.h"
#include "camera/paramindex.h"
#include "camera/settingsapply.h"
#include "camera/valuecheck.h"
#include "comm/tracelog.h"
#include "quietnotifier.h"

#include <cstring>

namespace {

void copyText(char *to, size_t size, const QByteArray &text)
{
    const size_t n = qMin(size - 1, size_t(text.size()));
    std::memcpy(to, text.constData(), n);
    to[n] = '\0';
}

zq_difference row(const SettingsApply::Difference &d, int outcome)
{
    return {d.index, d.expected, d.actual, outcome};
}

} // namespace

CameraHandle::CameraHandle() = default;

CameraHandle::~CameraHandle()
{
    m_camera.Close();
    m_camera.SetTrace(nullptr);
}

int CameraHandle::Failed()
{
    QString text = m_camera.GetErrorMessage();
    // Why, in the words of whatever failed; else what would have been shown.
    QString reason = m_camera.GetErrorReason();
    const QString shown = QuietNotifier::Take();
    if (reason.isEmpty())
        reason = shown;
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    m_errorText = text.toUtf8();
    return -m_camera.GetErrorCode();
}

int CameraHandle::Fail(int code, const QString &text)
{
    m_errorText = text.toUtf8();
    return -code;
}

int CameraHandle::OpenDevice(const QString &device, int baud)
{
    if (baud != 9600 && baud != 115200)
        return Fail(ZQ_ERR_ARGUMENT,
                    QStringLiteral("%1 baud: the camera talks at 9600 or 115200").arg(baud));
    return m_camera.Connect(ChannelSpec::ForDevice(device, baud)) < 0 ? Failed() : 0;
}

int CameraHandle::OpenCameraLink(const QString &library, int port, int baud)
{
    if (port < 0 || baud < 0)
        return Fail(
            ZQ_ERR_ARGUMENT,
            QStringLiteral("port %1 at %2 baud: neither may be negative").arg(port).arg(baud));
    return m_camera.Connect(ChannelSpec::ForLibrary(library, port, baud)) < 0 ? Failed() : 0;
}

int CameraHandle::IndexOf(const QString &name)
{
    bool ok = false;
    int index = name.toInt(&ok, 10);
    if (!ok)
        index = ParamTable::IndexOfName(name);
    return index >= 0 && index < PARAM_COUNT ? index : -1;
}

int CameraHandle::Get(const QString &name, qint32 *value)
{
    const int index = IndexOf(name);
    if (index < 0)
        return Fail(ZQ_ERR_ARGUMENT, QStringLiteral("no parameter \"%1\"").arg(name));
    if (!(ParamTable::Row(index).flags & PF_READ))
        return Fail(
            ZQ_ERR_NOT_READABLE,
            QStringLiteral("%1 cannot be read from the camera").arg(ValueCheck::Describe(index)));
    if (m_camera.ReadParam(index) < 0)
        return Failed();
    *value = m_camera.GetValue(index);
    return 0;
}

int CameraHandle::ReadModel()
{
    for (int i = Param::ModelNameFirst; i < Param::SerialNumberFirst; ++i) {
        if (m_camera.ReadParam(i) < 0)
            return Failed();
    }
    for (int i = Param::VersionFirst; i <= Param::CameraInfoLast; ++i) {
        if (m_camera.ReadParam(i) < 0)
            return Failed();
    }
    return 0;
}

int CameraHandle::Set(const QString &name, qint32 value)
{
    const int index = IndexOf(name);
    if (index < 0)
        return Fail(ZQ_ERR_ARGUMENT, QStringLiteral("no parameter \"%1\"").arg(name));
    QString why;
    if (ValueCheck::Offline(index, value, false, &why) != ValueCheck::Accepted)
        return Fail(ZQ_ERR_REFUSED, why + QStringLiteral("; nothing sent"));
    // Only a value some model refuses costs the reads of the model.
    if (ValueCheck::DependsOnModel(index, value)) {
        if (const int failed = ReadModel())
            return failed;
        const CameraModel model = CameraModel::Of(CameraInfo::Decode(m_camera));
        if (ValueCheck::ForModel(model, index, value, &why) != ValueCheck::Accepted)
            return Fail(ZQ_ERR_REFUSED, why + QStringLiteral("; nothing sent"));
    }
    const int result = m_camera.WriteParam(index, value);
    return result < 0 ? Failed() : result;
}

int CameraHandle::Stored(int index, qint32 *value) const
{
    *value = m_camera.GetValue(index);
    return 0;
}

int CameraHandle::ReadAll()
{
    if (m_camera.ReadAll() < 0)
        return Failed();
    return ParamTable::CountWith(PF_READ);
}

int CameraHandle::WriteAll()
{
    if (m_camera.WriteAll() < 0)
        return Failed();
    return ParamTable::CountWith(PF_WRITE_ALL);
}

void CameraHandle::FillInfo(const CameraInfo &info, zq_info *out)
{
    *out = zq_info{};
    copyText(out->vendor, sizeof out->vendor, info.vendorName);
    copyText(out->model, sizeof out->model, info.modelName);
    copyText(out->serial, sizeof out->serial, info.serialNumber);
    copyText(out->firmware, sizeof out->firmware, info.version);
    out->serial_digits = info.eightDigits ? 8 : 7;
    const CameraModel model = CameraModel::Of(info);
    copyText(out->title, sizeof out->title, model.title.toUtf8());
    out->gain_max = model.gainMax;
    out->accel2x = model.accel;
    out->sort_and_test = model.sortAndTest;
    out->balance = model.balance;
}

int CameraHandle::Info(zq_info *info)
{
    for (int i = Param::CameraInfoFirst; i <= Param::CameraInfoLast; ++i) {
        if (m_camera.ReadParam(i) < 0)
            return Failed();
    }
    FillInfo(CameraInfo::Decode(m_camera), info);
    return 0;
}

int CameraHandle::ReadFile(const QString &path, SettingsFile::Values *values, QString *why)
{
    const SettingsApply::FileCheck check = SettingsApply::ReadFile(path, values, why);
    // A script's log names the file that failed.
    if (check != SettingsApply::Readable && !why->contains(path))
        *why = QStringLiteral("\"%1\": %2").arg(path, *why);
    switch (check) {
    case SettingsApply::Readable:
        return 0;
    case SettingsApply::Unreadable:
        return -ZQ_ERR_FILE;
    default:
        return -ZQ_ERR_REFUSED;
    }
}

int CameraHandle::Save(const QString &path)
{
    // Nothing is written unless every value came from the camera.
    if (m_camera.ReadAll() < 0)
        return Failed();
    QString why;
    if (SettingsFile::Write(path, m_camera, &why) != SettingsFile::Ok)
        return Fail(ZQ_ERR_FILE, why);
    return 0;
}

int CameraHandle::Load(const QString &path)
{
    SettingsFile::Values values{};
    QString why;
    if (const int failed = ReadFile(path, &values, &why))
        return Fail(-failed, why);
    SettingsFile::Apply(values, &m_camera);
    return WriteAll();
}

int CameraHandle::Apply(const QString &path, QList<zq_difference> *rows)
{
    SettingsFile::Values expected{}, actual{};
    QString why;
    if (const int failed = ReadFile(path, &expected, &why))
        return Fail(-failed, why);
    QList<int> refused;
    if (SettingsApply::Write(m_camera, expected, &refused) < 0 ||
        SettingsApply::Read(m_camera, PF_WRITE_ALL, &actual) < 0)
        return Failed();
    for (const SettingsApply::Difference &d :
         SettingsApply::Differences(expected, actual, PF_WRITE_ALL, refused))
        rows->append(row(d, d.refused ? ZQ_REFUSED : ZQ_CHANGED));
    return int(rows->size());
}

int CameraHandle::Diff(const QString &path, bool all, QList<zq_difference> *rows)
{
    SettingsFile::Values expected{}, actual{};
    QString why;
    if (const int failed = ReadFile(path, &expected, &why))
        return Fail(-failed, why);
    const quint8 flags = all ? PF_WRITE_ALL | PF_READ : PF_WRITE_ALL;
    // Reads only: the camera keeps every setting it holds.
    if (SettingsApply::Read(m_camera, flags, &actual) < 0)
        return Failed();
    for (const SettingsApply::Difference &d : SettingsApply::Differences(expected, actual, flags))
        rows->append(row(d, ZQ_DIFFERS));
    return int(rows->size());
}

int CameraHandle::Trace(const QString &path)
{
    m_camera.SetTrace(nullptr);
    m_trace.reset();
    if (path.isEmpty())
        return 0;
    auto trace = std::make_unique<TraceLog>(path);
    if (!trace->IsOpen())
        return Fail(
            ZQ_ERR_FILE,
            QStringLiteral("cannot write trace \"%1\": %2").arg(path, trace->ErrorString()));
    m_trace = std::move(trace);
    m_camera.SetTrace(m_trace.get());
    return 0;
}

void CameraHandle::Leave()
{
    if (m_trace)
        m_camera.FlushTrace();
}
