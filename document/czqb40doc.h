#pragma once

#include "recentfilelist.h"

#include "camera/camerainfo.h"
#include "camera/valuetransfers.h"

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class CameraData;
class CameraInfo;
class QWidget;

// The one document of the program: the settings file it was read from or
// saved to, the modified flag, the value operations through which the panel
// and the dialogs reach the camera, the whole-set transfers and the two
// modeless service dialogs. It never includes a view or a dialog: views
// follow its signals, and the dialogs come from factories the application
// installs.
class CZQB40Doc : public QObject
{
    Q_OBJECT
public:
    explicit CZQB40Doc(CameraData &camera, QObject *parent = nullptr);
    ~CZQB40Doc() override;

    // Value operations; negative results were reported already. kRefused:
    // another exchange or a box was in progress, nothing was sent.
    static constexpr int kRefused = -1;
    int SendValue(int index, int value);
    int UploadValue(int index);
    int UploadAllValues();
    int SendAllValues();
    int GetValue(int index) const;
    // The value operations above, for the services that run on them.
    ValueTransfers Transfers();
    // The connection the document's values are read from and sent to.
    CameraData &Camera() const { return m_camera; }

    // Title ("Untitled" without a file), full path (empty without a file).
    QString GetTitle() const { return m_title; }
    QString GetPathName() const { return m_pathName; }
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true);

    // The file commands as the menu and the frame call them. Each asks to
    // save a modified document first where that applies; false when the
    // command did not happen (cancelled or failed).
    bool OnFileNew();
    bool OnFileOpen();                          // asks for the file
    bool OpenDocumentFile(const QString &path); // command line, recent list, drop
    bool OnFileSave();
    bool OnFileSaveAs();
    bool OpenRecentFile(int index); // 0 is the most recent
    // "Save changes to %1?": true when the command may go on.
    bool SaveModified();

    // The "&Interface" commands.
    void OnReadFromCamera();
    void OnWriteToCamera();
    void OnManualCommand();
    void OnCommandMenu();
    void ShowWhiteSpotDialog();

    RecentFileList &RecentFiles() { return m_recentFiles; }

    // Parent of the document's windows (file dialogs, progress, service dialogs).
    void SetWindow(QWidget *window) { m_window = window; }
    QWidget *Window() const { return m_window; }

    // The service dialogs, made by app/ so that this layer stays below them.
    using DialogFactory = std::function<QDialog *(CZQB40Doc *doc, QWidget *parent)>;
    void SetRegisterEditorFactory(DialogFactory factory)
    {
        m_registerEditorFactory = std::move(factory);
    }
    void SetWhiteSpotFactory(DialogFactory factory) { m_whiteSpotFactory = std::move(factory); }
    void SetManualCommandFactory(DialogFactory factory)
    {
        m_manualCommandFactory = std::move(factory);
    }

    // The modeless dialogs: at most one of each.
    QPointer<QDialog> m_pRegisterEditor;
    QPointer<QDialog> m_pWhiteSpotDialog;

signals:
    // The views set themselves up afresh (a new or opened document) ...
    void initialUpdate();
    // ... or bring every control in line with the stored values.
    void refreshViews();
    void titleChanged(const QString &title);
    void modifiedChanged(bool modified);
    void recentFilesChanged();
    // A text for the status bar that stays until the next action, which
    // ends it with an empty text.
    void statusNotice(const QString &text);

private:
    // After the last exchange of an operation: a camera that answered on a
    // reopened port is read again.
    void AfterExchange();
    // Says once when the camera read now is not the one read before.
    void SayIfAnotherCamera(const CameraInfo &before);
    // On a port opened again, before a write: reads which camera answers.
    // 0 when it is the one read before (or none was), 1 when another one
    // answers (nothing may be sent to it), negative when the reading failed.
    int AskWhichCamera();
    void EndNotice();
    bool DoSave(const QString &path);
    bool LoadFile(const QString &path);
    void SetPathName(const QString &path);
    // Shows the one modeless dialog kept in slot, or makes a fresh one.
    void ShowModeless(QPointer<QDialog> &slot, const DialogFactory &factory);

    // The camera the panel showed, while another one that answered a
    // reopened port waits to be read by AfterExchange.
    std::optional<CameraInfo> m_cameraBefore;
    CameraData &m_camera;
    QString m_title;
    QString m_pathName;
    bool m_modified = false;
    bool m_noticeUp = false; // a statusNotice the next action ends
    RecentFileList m_recentFiles;
    QWidget *m_window = nullptr;
    DialogFactory m_registerEditorFactory;
    DialogFactory m_whiteSpotFactory;
    DialogFactory m_manualCommandFactory;
};
