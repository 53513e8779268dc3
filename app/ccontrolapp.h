#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CMainFrame;
class CommSetupDialog;
class QCommandLineParser;
class CZQB40Doc;
class TraceLog;

// The application object: the start-up sequence (settings store, the
// communication setup dialog, the channel, the first reading of the camera,
// the document and its window), "Ready" in the status bar whenever the
// program is idle, and "COM Port" written when it ends.
class CControlApp : public QObject
{
    Q_OBJECT
public:
    explicit CControlApp(QObject *parent = nullptr);
    ~CControlApp() override; // writes "COM Port" once the settings store is set up

    // The whole start-up. False ends the program with ExitStatus().
    bool Startup(const QStringList &arguments);
    int ExitStatus() const { return m_exitStatus; }

    // Runs each time the event loop is about to wait: "Ready" back in the
    // message pane (unless a menu item's prompt is showing) and the COM
    // indicator brought up to date. Paints only what changed.
    void IdleUpdate();
    void SaveSettings();

    CZQB40Doc *Doc() const { return m_doc.get(); }
    CMainFrame *Frame() const { return m_frame; }

    // Tests answer the setup dialog instead of a user; without a runner it
    // is shown modally.
    using SetupRunner = std::function<void(CommSetupDialog &)>;
    void SetSetupRunner(SetupRunner runner) { m_setupRunner = std::move(runner); }

    // True when the arguments ask only for the help or the version, which
    // are printed without a display.
    static bool OnlyPrints(const QStringList &arguments);

private:
    static void DefineOptions(QCommandLineParser &parser);
    bool ParseArguments(const QStringList &arguments, QString *file);
    void OpenChannel(const CommSetupDialog &dialog);

    std::unique_ptr<CZQB40Doc> m_doc;
    CMainFrame *m_frame = nullptr;
    std::unique_ptr<TraceLog> m_trace;
    SetupRunner m_setupRunner;
    QString m_programFileName;
    int m_exitStatus = 0;
    bool m_settingsReady = false;
};
