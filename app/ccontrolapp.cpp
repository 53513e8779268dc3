#include "ccontrolapp.h"

#include "cmainframe.h"
#include "commsetupdialog.h"

#include "camera/paramindex.h"
#include "camera/settingsfile.h"
#include "camera/thecamera.h"
#include "comm/comportmap.h"
#include "comm/ossupport.h"
#include "comm/tracelog.h"
#include "document/bulkprogress.h"
#include "document/czqb40doc.h"
#include "resources/apptitle.h"
#include "resources/appversion.h"
#include "resources/stringids.h"
#include "resources/stringtable.h"
#include "ui/language.h"
#include "ui/messagebox.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QThread>

namespace {
const char kComPortKey[] = "Settings/COM Port";
// Qt's own Japanese lacks these two lines of the parser's help; ours has them.
[[maybe_unused]] const char *const kParserTexts[] = {
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help on commandline options."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help including Qt specific options."),
};
} // namespace

CControlApp::CControlApp(QObject *parent)
    : QObject(parent),
      m_programFileName(QFileInfo(QCoreApplication::applicationFilePath()).fileName())
{
    if (auto *dispatcher =
            QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread()))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &CControlApp::IdleUpdate);
}

CControlApp::~CControlApp()
{
    delete m_frame;
    m_frame = nullptr;
    m_doc.reset();
    SaveSettings();
    theCamera.SetTrace(nullptr);
}

void CControlApp::DefineOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        tr("Controls a ZQ-M(V)710ALX camera over its serial control channel."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 tr("A settings file (.zq) to open and send."),
                                 QStringLiteral("[file]"));
    const QCommandLineOption com(
        QStringLiteral("com"), tr("Put DEVICE behind the button COM N for this run (repeatable)."),
        QStringLiteral("N=DEVICE"));
    const QCommandLineOption trace(QStringLiteral("trace"),
                                   tr("Append every byte sent and received to FILE."),
                                   QStringLiteral("FILE"));
    const QCommandLineOption lang(
        QStringLiteral("lang"),
        tr("Show the program in LANG: en or ja. Without it, the system's language."),
        QStringLiteral("LANG"));
    parser.addOption(com);
    parser.addOption(trace);
    parser.addOption(lang);
}

bool CControlApp::OnlyPrints(const QStringList &arguments)
{
    QCommandLineParser parser;
    DefineOptions(parser);
    return parser.parse(arguments) &&
           (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")) ||
            parser.isSet(QStringLiteral("version")));
}

bool CControlApp::ParseArguments(const QStringList &arguments, QString *file)
{
    QCommandLineParser parser;
    DefineOptions(parser);
    const QString com = QStringLiteral("com");
    const QString trace = QStringLiteral("trace");
    const QString lang = QStringLiteral("lang");
    if (!parser.parse(arguments)) {
        MessageBox::Show(parser.errorText() + QLatin1Char('\n') + parser.helpText(), QString(),
                         MessageBox::Warning);
        return false;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        OsSupport::Print(stdout, parser.helpText());
        return false;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        OsSupport::Print(stdout, QCoreApplication::applicationName().trimmed() + QLatin1Char(' ') +
                                     QCoreApplication::applicationVersion() + QLatin1Char('\n'));
        return false;
    }
    // Chosen and installed before anything was shown; here only refused.
    for (const QString &value : parser.values(lang)) {
        const QString language = Language::Find(value);
        if (language.isEmpty()) {
            MessageBox::Show(tr("--lang takes en or ja, not \"%1\".").arg(value), QString(),
                             MessageBox::Warning);
            return false;
        }
        if (language != Language::Current()) // asked for, but not installed
            MessageBox::Show(QStringLiteral("The translation \"%1\" is not installed: the "
                                            "program speaks English.")
                                 .arg(language),
                             QString(), MessageBox::Warning);
    }
    for (const QString &value : parser.values(com)) {
        if (!ComPortMap::ParseOverride(value)) {
            MessageBox::Show(tr("--com takes N=DEVICE with N from 1 to %1, not \"%2\".")
                                 .arg(ComPortMap::kPortCount)
                                 .arg(value),
                             QString(), MessageBox::Warning);
            return false;
        }
    }
    if (parser.isSet(trace)) {
        m_trace = std::make_unique<TraceLog>(parser.value(trace));
        if (!m_trace->IsOpen()) {
            MessageBox::Show(tr("Cannot write the trace \"%1\": %2")
                                 .arg(parser.value(trace), m_trace->ErrorString()),
                             QString(), MessageBox::Warning);
            return false;
        }
        theCamera.SetTrace(m_trace.get());
    }
    const QStringList files = parser.positionalArguments();
    *file = files.isEmpty() ? QString() : files.first();
    return true;
}

void CControlApp::OpenChannel(const CommSetupDialog &dialog)
{
    const ChannelSpec channel = dialog.Channel();
    if (channel.IsCameraLink())
        theCamera.ConnectLibrary(channel.library, channel.clPort, channel.baudRate);
    else
        theCamera.ConnectPort(channel.comNumber, channel.baudRate);
}

bool CControlApp::Startup(const QStringList &arguments)
{
    QCoreApplication::setOrganizationName(StringTable::Load(StringId::Company));
    QCoreApplication::setApplicationName(QString::fromLatin1(kAppTitle));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZQ_VERSION));
    // Before the first text is made, the help and the argument errors too.
    Language::Install(Language::Choose(arguments));

    QString file;
    if (!ParseArguments(arguments, &file)) {
        m_exitStatus = arguments.contains(QStringLiteral("--help")) ||
                               arguments.contains(QStringLiteral("--help-all")) ||
                               arguments.contains(QStringLiteral("-h")) ||
                               arguments.contains(QStringLiteral("--version")) ||
                               arguments.contains(QStringLiteral("-v"))
                           ? 0
                           : 2;
        return false;
    }
    m_settingsReady = true;

    // Built hidden while the operator chooses the channel, so the panel
    // follows the first reading at once; nothing of it shows until then.
    m_doc = std::make_unique<CZQB40Doc>(theCamera);
    m_frame = CMainFrame::Create(m_doc.get(), m_programFileName);

    const int lastPort = QSettings().value(QLatin1String(kComPortKey), 0).toInt();
    CommSetupDialog dialog(nullptr, lastPort);
    if (m_setupRunner)
        m_setupRunner(dialog);
    else
        dialog.exec();
    if (!dialog.m_opened) {
        // Never shown: the program ends as if it had never been built.
        delete m_frame;
        m_frame = nullptr;
        m_doc.reset();
        m_exitStatus = 1;
        return false;
    }
    OpenChannel(dialog);

    // Read before any window exists, with a small window saying how far. A
    // named file that will store no values (missing, foreign, cut short or
    // empty) does not stand in for the reading: the panel would show table
    // defaults as if the camera held them. Its open still says why.
    SettingsFile::Values fileValues{};
    QString fileError;
    const bool fileStores =
        !file.isEmpty() && SettingsFile::Read(file, &fileValues, &fileError) == SettingsFile::Ok;
    // A library or grabber port that would not open was said once already.
    if ((dialog.Channel().IsCameraLink() && theCamera.IsChannelOpen()) ||
        (!fileStores && theCamera.IsPortOpen())) {
        BulkProgress progress(theCamera, BulkProgress::Reading);
        theCamera.UploadAll();
    } else if (fileStores && theCamera.IsPortOpen()) {
        // The file stands in for the reading of the values, not for the
        // camera's name: the panel's controls and ranges follow the model
        // that answers, whichever camera saved the file.
        for (int i = Param::CameraInfoFirst; i <= Param::CameraInfoLast; ++i) {
            if (theCamera.ReadParam(i) < 0) {
                theCamera.ReportError();
                break;
            }
        }
    }

    // A file that cannot be opened was said once; the program goes on
    // with an empty document rather than closing on the user.
    if (file.isEmpty() || !m_doc->OpenDocumentFile(file))
        m_doc->OnFileNew();
    m_frame->setWindowState(Qt::WindowNoState);
    m_frame->show();
    m_frame->repaint();
    return true;
}

void CControlApp::SaveSettings()
{
    if (!m_settingsReady)
        return;
    QSettings().setValue(QLatin1String(kComPortKey), theCamera.PortNumber());
}

void CControlApp::IdleUpdate()
{
    CMainFrame *frame = CMainFrame::Instance();
    if (!frame)
        return;
    frame->UpdateComIndicator();
    // An error box runs its own event loop: the failed exchange's text stays
    // until the box is closed.
    if (frame->IsShowingPrompt() || qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
        return;
    const QString ready = StringTable::Load(StringId::Ready);
    if (frame->StatusText() != ready)
        frame->SetStatusText(ready);
}
