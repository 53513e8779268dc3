#include "czqb40doc.h"

#include "bulkprogress.h"
#include "camera/cameradata.h"
#include "camera/camerainfo.h"
#include "camera/paramindex.h"
#include "camera/settingsfile.h"
#include "resources/stringids.h"
#include "resources/stringtable.h"
#include "ui/exchangeguard.h"
#include "ui/filedialogs.h"
#include "ui/messagebox.h"

#include <QFileInfo>

namespace {
const char kFilter[] = QT_TRANSLATE_NOOP("CZQB40Doc", "ZQ-M(V)710ALX Files (*.zq)");
const char kSuffix[] = "zq";

void FileMessage(const QString &text)
{
    MessageBox::Show(text, QString(), MessageBox::Warning);
}
} // namespace

CZQB40Doc::CZQB40Doc(CameraData &camera, QObject *parent)
    : QObject(parent), m_camera(camera), m_title(StringTable::Load(StringId::Untitled))
{
    m_recentFiles.Load();
    ExchangeGuard::SetAfterExchange([this] { AfterExchange(); });
}

CZQB40Doc::~CZQB40Doc()
{
    ExchangeGuard::SetAfterExchange(nullptr);
    delete m_pRegisterEditor.data();
    delete m_pWhiteSpotDialog.data();
}

int CZQB40Doc::SendValue(int index, int value)
{
    const ExchangeGuard guard;
    if (!guard.Granted())
        return kRefused;
    EndNotice();
    // A value meant for the camera the panel shows is not written to another.
    if (m_camera.WaitsToReopen()) {
        const int asked = AskWhichCamera();
        if (asked != 0)
            return asked < 0 ? asked : kRefused;
    }
    const int result = m_camera.SendParam(index, value);
    if (result > 0)
        SetModifiedFlag();
    return result;
}

int CZQB40Doc::UploadValue(int index)
{
    const ExchangeGuard guard;
    if (!guard.Granted())
        return kRefused;
    EndNotice();
    const int result = m_camera.UploadParam(index);
    if (result > 0)
        SetModifiedFlag();
    return result;
}

int CZQB40Doc::UploadAllValues()
{
    const ExchangeGuard guard;
    if (!guard.Granted())
        return kRefused;
    EndNotice();
    int before[PARAM_COUNT];
    for (int i = 0; i < PARAM_COUNT; ++i)
        before[i] = m_camera.GetValue(i);
    const bool identityKnown = m_camera.IdentityRead();
    const CameraInfo identity = CameraInfo::Decode(m_camera);
    BulkProgress progress(m_camera, BulkProgress::Reading, m_window);
    const int result = m_camera.UploadAll();
    if (result > 0) {
        SetModifiedFlag();
        // This reading was the first on a port opened again: nothing more
        // to read, but the camera may be another one.
        if (m_camera.TakeAnsweredAfterReopen() && identityKnown)
            SayIfAnotherCamera(identity);
        return result;
    }
    // A reading that failed midway has changed the rows before the failure:
    // the views show them, so no control shows a value the camera does not
    // hold. Callers refresh after a good reading themselves.
    for (int i = 0; i < PARAM_COUNT; ++i) {
        if (m_camera.GetValue(i) != before[i]) {
            SetModifiedFlag();
            emit refreshViews();
            break;
        }
    }
    return result;
}

int CZQB40Doc::SendAllValues()
{
    const ExchangeGuard guard;
    if (!guard.Granted())
        return kRefused;
    EndNotice();
    if (m_camera.WaitsToReopen()) {
        const int asked = AskWhichCamera();
        if (asked != 0)
            return asked < 0 ? asked : kRefused;
    }
    BulkProgress progress(m_camera, BulkProgress::Writing, m_window);
    return m_camera.SendAll();
}

void CZQB40Doc::AfterExchange()
{
    if (!m_camera.TakeAnsweredAfterReopen())
        return;
    // The line came back: the camera may have been switched off or replaced
    // meanwhile, so what the panel shows is read again.
    const bool known = m_cameraBefore || m_camera.IdentityRead();
    const CameraInfo before = m_cameraBefore.value_or(CameraInfo::Decode(m_camera));
    m_cameraBefore.reset();
    if (UploadAllValues() <= 0)
        return;
    emit refreshViews();
    if (known)
        SayIfAnotherCamera(before);
}

int CZQB40Doc::AskWhichCamera()
{
    const bool known = m_camera.IdentityRead();
    const CameraInfo before = CameraInfo::Decode(m_camera);
    // The model's name and the serial number tell one camera from another.
    for (int i = Param::ModelNameFirst; i <= Param::SerialNumberLast; ++i) {
        const int result = m_camera.UploadParam(i);
        if (result < 0)
            return result;
    }
    const CameraInfo now = CameraInfo::Decode(m_camera);
    if (!known || (now.serialNumber == before.serialNumber && now.modelName == before.modelName))
        return 0;
    // AfterExchange reads it all, refreshes and says so once.
    m_cameraBefore = before;
    return 1;
}

void CZQB40Doc::SayIfAnotherCamera(const CameraInfo &before)
{
    const CameraInfo now = CameraInfo::Decode(m_camera);
    if (now.serialNumber != before.serialNumber || now.modelName != before.modelName)
        MessageBox::Show(tr("Another camera answers on this port now: %1 serial number %2 before, "
                            "%3 serial number %4 now.\nThe panel shows the settings it holds.")
                             .arg(QString::fromLatin1(before.modelName),
                                  QString::fromLatin1(before.serialNumber),
                                  QString::fromLatin1(now.modelName),
                                  QString::fromLatin1(now.serialNumber)),
                         QString(), MessageBox::Information, MessageBox::Ok, m_window);
}

void CZQB40Doc::EndNotice()
{
    // A notice is about the action that raised it: the next one ends it.
    if (!m_noticeUp)
        return;
    m_noticeUp = false;
    emit statusNotice(QString());
}

int CZQB40Doc::GetValue(int index) const
{
    return m_camera.GetValue(index);
}

ValueTransfers CZQB40Doc::Transfers()
{
    return {[this](int i, int v) { return SendValue(i, v); },
            [this](int i) { return UploadValue(i); }, [this](int i) { return GetValue(i); },
            [this] { return UploadAllValues(); }};
}

void CZQB40Doc::SetModifiedFlag(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void CZQB40Doc::SetPathName(const QString &path)
{
    m_pathName = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    m_title = path.isEmpty() ? StringTable::Load(StringId::Untitled) : QFileInfo(path).fileName();
    emit titleChanged(m_title);
}

bool CZQB40Doc::SaveModified()
{
    if (!m_modified)
        return true;
    const QString text = StringTable::Load(StringId::AskToSave).arg(m_title);
    switch (
        MessageBox::Show(text, QString(), MessageBox::Warning, MessageBox::YesNoCancel, m_window)) {
    case MessageBox::AnswerYes:
        return OnFileSave();
    case MessageBox::AnswerNo:
        return true;
    default:
        return false;
    }
}

bool CZQB40Doc::OnFileNew()
{
    if (!SaveModified())
        return false;
    SetPathName(QString());
    SetModifiedFlag(false);
    emit initialUpdate();
    return true;
}

bool CZQB40Doc::OnFileOpen()
{
    FileDialogs::Request request{FileDialogs::Open, QString(), tr(kFilter),
                                 QString::fromLatin1(kSuffix), QFileInfo(m_pathName).path()};
    if (m_pathName.isEmpty())
        request.initialPath.clear();
    const QString path = FileDialogs::Ask(request, m_window);
    if (path.isEmpty())
        return false;
    return OpenDocumentFile(path);
}

bool CZQB40Doc::OpenDocumentFile(const QString &path)
{
    if (!SaveModified())
        return false;
    return LoadFile(path);
}

bool CZQB40Doc::OpenRecentFile(int index)
{
    if (index < 0 || index >= m_recentFiles.Files().size())
        return false;
    const QString path = m_recentFiles.Files().at(index);
    if (!QFileInfo::exists(path)) {
        // A file that went away is said once and leaves the list.
        FileMessage(StringTable::Load(StringId::FailedToOpenDocument));
        m_recentFiles.Remove(path);
        m_recentFiles.Save();
        emit recentFilesChanged();
        return false;
    }
    return OpenDocumentFile(path);
}

bool CZQB40Doc::LoadFile(const QString &path)
{
    EndNotice();
    SettingsFile::Values values{};
    QString error;
    const SettingsFile::Status status = SettingsFile::Read(path, &values, &error);
    switch (status) {
    case SettingsFile::Ok:
    case SettingsFile::Empty:
        break;
    case SettingsFile::ReadFailed:
        FileMessage(QFileInfo::exists(path) ? error
                                            : StringTable::Load(StringId::FailedToOpenDocument));
        return false;
    default:
        // A foreign or damaged file opens nothing: the document keeps its
        // name, so the next Save cannot overwrite that file.
        FileMessage(error);
        return false;
    }

    const int uncarried = status == SettingsFile::Ok ? SettingsFile::FirstUncarried(values) : -1;
    if (uncarried >= 0) {
        // Its low bytes would be another value: the file opens nothing.
        FileMessage(SettingsFile::UncarriedMessage(uncarried, values[uncarried]));
        return false;
    }
    if (status == SettingsFile::Ok) {
        // The file's identity only while no camera has told its own.
        SettingsFile::Apply(values, &m_camera, m_camera.IdentityRead());
        // Sent whatever the camera says; its failure was reported once.
        SendAllValues();
    }
    SetPathName(path);
    SetModifiedFlag(false);
    m_recentFiles.Add(m_pathName);
    m_recentFiles.Save();
    emit recentFilesChanged();
    emit initialUpdate();
    // Accepted as a file a shell's "New" made, but the user should know
    // that opening it changed nothing.
    if (status == SettingsFile::Empty) {
        m_noticeUp = true;
        emit statusNotice(
            tr("%1 holds no settings yet: nothing was sent to the camera.").arg(m_title));
    }
    return true;
}

bool CZQB40Doc::OnFileSave()
{
    if (m_pathName.isEmpty())
        return OnFileSaveAs();
    return DoSave(m_pathName);
}

bool CZQB40Doc::OnFileSaveAs()
{
    QString initial = m_pathName;
    if (initial.isEmpty())
        initial = StringTable::Load(StringId::Untitled) + QLatin1String(".zq");
    const QString path = FileDialogs::Ask(
        {FileDialogs::Save, QString(), tr(kFilter), QString::fromLatin1(kSuffix), initial},
        m_window);
    if (path.isEmpty())
        return false;
    return DoSave(path);
}

bool CZQB40Doc::DoSave(const QString &path)
{
    QString error;
    if (SettingsFile::Write(path, m_camera, &error) != SettingsFile::Ok) {
        FileMessage(StringTable::Load(StringId::FailedToSaveDocument) + QLatin1Char('\n') + error);
        return false;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    m_recentFiles.Add(m_pathName);
    m_recentFiles.Save();
    emit recentFilesChanged();
    return true;
}

void CZQB40Doc::OnReadFromCamera()
{
    if (UploadAllValues() > 0)
        emit refreshViews();
}

void CZQB40Doc::OnWriteToCamera()
{
    SendAllValues();
}

void CZQB40Doc::OnManualCommand()
{
    if (m_manualCommandFactory) {
        QDialog *dialog = m_manualCommandFactory(this, m_window);
        if (dialog) {
            dialog->exec();
            delete dialog;
        }
    }
    OnReadFromCamera();
}

void CZQB40Doc::OnCommandMenu()
{
    ShowModeless(m_pRegisterEditor, m_registerEditorFactory);
}

void CZQB40Doc::ShowWhiteSpotDialog()
{
    ShowModeless(m_pWhiteSpotDialog, m_whiteSpotFactory);
}

void CZQB40Doc::ShowModeless(QPointer<QDialog> &slot, const DialogFactory &factory)
{
    if (slot && slot->isVisible()) {
        slot->raise();
        slot->activateWindow();
        return;
    }
    // A closed dialog only hid itself; the next one starts afresh.
    delete slot.data();
    slot = nullptr;
    if (!factory)
        return;
    slot = factory(this, m_window);
    if (slot)
        slot->show();
}
