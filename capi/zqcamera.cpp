// The C entry points: arguments checked, the handle's work done by
// CameraHandle, and nothing thrown or shown across the boundary.
#include "zqcamera.h"

#include "camera/cameraprobe.h"
#include "camera/paramtable.h"
#include "camera/settingsapply.h"
#include "camerahandle.h"
#include "handlethread.h"
#include "quietnotifier.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstring>
#include <new>
#include <vector>

// A handle lives on a thread of its own, where it is made and ended.
struct zq_camera
{
    HandleThread thread;
    CameraHandle *handle = nullptr;
};

namespace {

static_assert(int(ZQ_ERR_PORT_NUMBER) == ERR_PORT_NUMBER &&
                  int(ZQ_ERR_LINE_SETTING) == ERR_LINE_SETTING && int(ZQ_ERR_ARGUMENT) >= ERR_COUNT,
              "the header's codes are the program's");

thread_local QByteArray lastError;

int failNoHandle(int code, const QString &text)
{
    lastError = text.toUtf8();
    return -code;
}

int nullArgument(const char *what)
{
    return failNoHandle(ZQ_ERR_ARGUMENT, QStringLiteral("%1 is NULL").arg(QLatin1String(what)));
}

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// The rows a call found, the first `capacity` copied out; returns the count.
int copyRows(const QList<zq_difference> &found, zq_difference *rows, int capacity)
{
    const int n = rows ? qMin(capacity, int(found.size())) : 0;
    for (int i = 0; i < n; ++i)
        rows[i] = found[i];
    return int(found.size());
}

// Runs one call on the handle's thread: its last failure is forgotten
// first, and the trace written out after.
template <typename Call> int onHandle(zq_camera *camera, Call call)
{
    if (!camera)
        return nullArgument("camera");
    int result = 0;
    camera->thread.Run([&] {
        CameraHandle &handle = *camera->handle;
        handle.Enter();
        result = call(handle);
        handle.Leave();
    });
    return result;
}

// A new handle when the channel opened; otherwise none, and this thread's
// error text says why.
template <typename Open>
int openWith(zq_camera **out, const char *name, const char *what, Open open)
{
    if (!out)
        return nullArgument("out");
    *out = nullptr;
    if (!name)
        return nullArgument(what);
    QuietNotifier::InstallOnce();
    auto *camera = new (std::nothrow) zq_camera;
    if (!camera)
        return failNoHandle(ZQ_ERR_ARGUMENT, QStringLiteral("out of memory"));
    int result = 0;
    QByteArray why;
    camera->thread.Run([&] {
        camera->handle = new CameraHandle;
        result = open(*camera->handle);
        camera->handle->Leave();
        if (result < 0) {
            why = camera->handle->ErrorText();
            delete camera->handle;
            camera->handle = nullptr;
        }
    });
    if (result < 0) {
        lastError = why;
        delete camera;
        return result;
    }
    lastError.clear();
    *out = camera;
    return 0;
}

struct ParamNames
{
    QByteArray name, code;
};
const std::vector<ParamNames> &paramNames()
{
    static const std::vector<ParamNames> names = [] {
        std::vector<ParamNames> all;
        for (int i = 0; i < PARAM_COUNT; ++i)
            all.push_back({ParamTable::GetParamName(i).toUtf8(), ParamTable::CodeName(i).toUtf8()});
        return all;
    }();
    return names;
}

} // namespace

extern "C" {

ZQ_API const char *zq_version(void)
{
    return ZQ_VERSION;
}

ZQ_API int zq_open_device(const char *device, int baud, zq_camera **out)
{
    return openWith(out, device, "device",
                    [&](CameraHandle &c) { return c.OpenDevice(text(device), baud); });
}

ZQ_API int zq_open_cameralink(const char *library, int port, int baud, zq_camera **out)
{
    return openWith(out, library, "library",
                    [&](CameraHandle &c) { return c.OpenCameraLink(text(library), port, baud); });
}

ZQ_API void zq_close(zq_camera *camera)
{
    if (!camera)
        return;
    camera->thread.Run([camera] { delete camera->handle; });
    delete camera;
}

ZQ_API int zq_get(zq_camera *camera, const char *name, int32_t *value)
{
    return onHandle(camera, [&](CameraHandle &c) {
        if (!name || !value)
            return c.Fail(ZQ_ERR_ARGUMENT, QStringLiteral("name and value must not be NULL"));
        return c.Get(text(name), value);
    });
}

ZQ_API int zq_set(zq_camera *camera, const char *name, int32_t value)
{
    return onHandle(camera, [&](CameraHandle &c) {
        if (!name)
            return c.Fail(ZQ_ERR_ARGUMENT, QStringLiteral("name is NULL"));
        return c.Set(text(name), value);
    });
}

ZQ_API int zq_stored(const zq_camera *camera, int index, int32_t *value)
{
    if (!camera || !value)
        return nullArgument(camera ? "value" : "camera");
    if (index < 0 || index >= PARAM_COUNT)
        return failNoHandle(ZQ_ERR_ARGUMENT, QStringLiteral("no parameter %1").arg(index));
    return camera->handle->Stored(index, value);
}

ZQ_API int zq_read_all(zq_camera *camera)
{
    return onHandle(camera, [](CameraHandle &c) { return c.ReadAll(); });
}

ZQ_API int zq_write_all(zq_camera *camera)
{
    return onHandle(camera, [](CameraHandle &c) { return c.WriteAll(); });
}

ZQ_API int zq_save(zq_camera *camera, const char *path)
{
    return onHandle(camera, [&](CameraHandle &c) {
        return path ? c.Save(text(path)) : c.Fail(ZQ_ERR_ARGUMENT, QStringLiteral("path is NULL"));
    });
}

ZQ_API int zq_load(zq_camera *camera, const char *path)
{
    return onHandle(camera, [&](CameraHandle &c) {
        return path ? c.Load(text(path)) : c.Fail(ZQ_ERR_ARGUMENT, QStringLiteral("path is NULL"));
    });
}

ZQ_API int zq_apply(zq_camera *camera, const char *path, zq_difference *rows, int capacity)
{
    return onHandle(camera, [&](CameraHandle &c) {
        if (!path)
            return c.Fail(ZQ_ERR_ARGUMENT, QStringLiteral("path is NULL"));
        QList<zq_difference> found;
        const int result = c.Apply(text(path), &found);
        return result < 0 ? result : copyRows(found, rows, capacity);
    });
}

ZQ_API int zq_diff(zq_camera *camera, const char *path, int all, zq_difference *rows, int capacity)
{
    return onHandle(camera, [&](CameraHandle &c) {
        if (!path)
            return c.Fail(ZQ_ERR_ARGUMENT, QStringLiteral("path is NULL"));
        QList<zq_difference> found;
        const int result = c.Diff(text(path), all != 0, &found);
        return result < 0 ? result : copyRows(found, rows, capacity);
    });
}

ZQ_API int zq_diff_files(const char *path, const char *other, int all, zq_difference *rows,
                         int capacity)
{
    if (!path || !other)
        return nullArgument(path ? "other" : "path");
    SettingsFile::Values expected{}, actual{};
    QString why;
    if (const int failed = CameraHandle::ReadFile(text(path), &expected, &why))
        return failNoHandle(-failed, why);
    if (const int failed = CameraHandle::ReadFile(text(other), &actual, &why))
        return failNoHandle(-failed, why);
    lastError.clear();
    const quint8 flags = all ? PF_WRITE_ALL | PF_READ : PF_WRITE_ALL;
    QList<zq_difference> found;
    for (const SettingsApply::Difference &d : SettingsApply::Differences(expected, actual, flags))
        found.append({d.index, d.expected, d.actual, ZQ_DIFFERS});
    return copyRows(found, rows, capacity);
}

ZQ_API int zq_info_read(zq_camera *camera, zq_info *info)
{
    return onHandle(camera, [&](CameraHandle &c) {
        return info ? c.Info(info) : c.Fail(ZQ_ERR_ARGUMENT, QStringLiteral("info is NULL"));
    });
}

ZQ_API int zq_param_count(void)
{
    return PARAM_COUNT;
}

ZQ_API int zq_param_info(int index, zq_param *param)
{
    if (!param)
        return nullArgument("param");
    if (index < 0 || index >= PARAM_COUNT)
        return failNoHandle(ZQ_ERR_ARGUMENT, QStringLiteral("no parameter %1").arg(index));
    const ParamInfo &row = ParamTable::Row(index);
    const ParamNames &names = paramNames()[size_t(index)];
    *param = {index,
              names.name.constData(),
              names.code.constData(),
              row.lower,
              row.upper,
              row.defaultValue,
              row.flags};
    return 0;
}

ZQ_API int zq_param_index(const char *name)
{
    if (!name)
        return nullArgument("name");
    const int index = CameraHandle::IndexOf(text(name));
    if (index < 0)
        return failNoHandle(ZQ_ERR_ARGUMENT, QStringLiteral("no parameter \"%1\"").arg(text(name)));
    return index;
}

ZQ_API int zq_scan(const char *library, zq_found *found, int capacity)
{
    QuietNotifier::InstallOnce();
    const QString path = library ? text(library) : QString();
    QList<CameraProbe::Found> cameras;
    QString problems;
    bool loaded = true;
    // On a thread of its own, as a handle's calls are.
    HandleThread thread;
    thread.Run([&] {
        QList<CameraProbe::Channel> channels;
        if (path.isEmpty()) {
            channels = CameraProbe::PortsPresent();
        } else {
            channels = CameraProbe::LibraryPorts(path, &problems);
            if (channels.isEmpty()) {
                loaded = false;
                return;
            }
        }
        CameraProbe probe(path);
        cameras = probe.Run(channels);
        problems = probe.Problems().join(QLatin1Char('\n'));
    });
    if (!loaded)
        return failNoHandle(ZQ_ERR_PORT_OPEN, problems);
    // What went wrong on the way is kept even when cameras were found.
    lastError = problems.toUtf8();
    const int n = found ? qMin(capacity, int(cameras.size())) : 0;
    for (int i = 0; i < n; ++i) {
        const CameraProbe::Found &c = cameras[i];
        zq_found &out = found[i];
        out = zq_found{};
        const QByteArray name = c.channel.Name().toUtf8();
        std::strncpy(out.channel, name.constData(), sizeof out.channel - 1);
        out.port = c.channel.clPort;
        out.baud = c.baud;
        CameraHandle::FillInfo(c.info, &out.info);
    }
    return int(cameras.size());
}

ZQ_API int zq_trace(zq_camera *camera, const char *path)
{
    return onHandle(camera,
                    [&](CameraHandle &c) { return c.Trace(path ? text(path) : QString()); });
}

ZQ_API const char *zq_error_text(const zq_camera *camera)
{
    return camera ? camera->handle->ErrorText() : "";
}

ZQ_API const char *zq_last_error_text(void)
{
    return lastError.constData();
}

} // extern "C"
