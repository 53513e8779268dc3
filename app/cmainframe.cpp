#include "cmainframe.h"

#include "aboutdialog.h"
#include "camera/thecamera.h"
#include "document/czqb40doc.h"
#include "panel/czqb40view.h"
#include "resources/apptitle.h"
#include "resources/commandids.h"
#include "resources/menutable.h"
#include "resources/stringids.h"
#include "resources/stringtable.h"
#include "service/manualcommanddialog.h"
#include "service/registereditordialog.h"
#include "service/whitespotdialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QDir>
#include <QScreen>
#include <QScrollArea>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

namespace {
CMainFrame *g_instance = nullptr;

constexpr int kWidth = 690;
constexpr int kHeight = 480;
const char kDeveloperName[] = "QX7RT service access";

QString PromptOf(int commandId)
{
    return StringTable::Load(commandId).section(QLatin1Char('\n'), 0, 0);
}

bool IsSettingsFile(const QUrl &url)
{
    return url.isLocalFile() && QFileInfo(url.toLocalFile())
                                        .suffix()
                                        .compare(QLatin1String("zq"), Qt::CaseInsensitive) == 0;
}
} // namespace

CMainFrame::CMainFrame(CZQB40Doc *doc, const QString &programFileName, QWidget *parent)
    : QMainWindow(parent), m_doc(doc), m_developerMode(IsDeveloperName(programFileName))
{
    setWindowTitle(QString::fromLatin1(kAppTitle));
    resize(kWidth, kHeight);
    setAcceptDrops(true);
    BuildMenus();
    BuildAccelerators();
    BuildStatusBar();
    if (!m_developerMode)
        RemoveDeveloperItems();
    m_doc->SetWindow(this);
    connect(m_doc, &CZQB40Doc::recentFilesChanged, this, &CMainFrame::UpdateRecentFiles);
    connect(m_doc, &CZQB40Doc::statusNotice, this, [this](const QString &text) {
        if (text.isEmpty()) { // ended: the next idle moment says "Ready"
            m_noticeShown = false;
            return;
        }
        SetStatusText(text);
        m_noticeShown = true;
    });
    UpdateRecentFiles();
    g_instance = this;
}

CMainFrame::~CMainFrame()
{
    if (g_instance == this)
        g_instance = nullptr;
    if (m_doc->Window() == this)
        m_doc->SetWindow(nullptr);
}

CMainFrame *CMainFrame::Instance()
{
    return g_instance;
}

bool CMainFrame::IsDeveloperName(const QString &programFileName)
{
    // The name without folder and extension, in any letter case.
    const QString base = QFileInfo(programFileName).completeBaseName();
    return base.compare(QLatin1String(kDeveloperName), Qt::CaseInsensitive) == 0;
}

void CMainFrame::SetView(QWidget *view)
{
    m_view = view;
    // The panel decides when 690 by 480 would clip it, and the screen how
    // much of that there is room for.
    setCentralWidget(view);
    const QSize need = sizeHint();
    takeCentralWidget();
    // A window made smaller than the panel scrolls it; while it fits there
    // are no scroll bars and the panel stands as drawn.
    auto *scroller = new QScrollArea(this);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setWidgetResizable(true);
    scroller->setWidget(view);
    setCentralWidget(scroller);
    QSize size(qMax(kWidth, need.width()), qMax(kHeight, need.height()));
    if (const QScreen *s = screen())
        size = size.boundedTo(s->availableGeometry().size());
    resize(size);
}

void CMainFrame::BuildMenus()
{
    int menus = 0;
    const MenuEntry *menu = MainMenu(&menus);
    for (int m = 0; m < menus; ++m) {
        QMenu *qmenu = menuBar()->addMenu(menu[m].Title());
        if (m == 0)
            m_fileMenu = qmenu;
        if (m == 1)
            m_interfaceMenu = qmenu;
        connect(qmenu, &QMenu::hovered, this, &CMainFrame::OnHovered);
        connect(qmenu, &QMenu::aboutToHide, this, [this] { m_promptShown = false; });
        for (int i = 0; i < menu[m].count; ++i) {
            const MenuItemEntry &item = menu[m].items[i];
            if (!item.text) {
                qmenu->addSeparator();
                continue;
            }
            QAction *action = qmenu->addAction(item.Text());
            action->setData(item.id);
            action->setEnabled(!item.disabled);
            // Keys are the accelerators' business; the text shows them.
            action->setShortcutContext(Qt::WidgetShortcut);
            m_actions.insert(item.id, action);
            if (item.id == CommandId::FileMruFirst) {
                m_recentPlaceholder = action;
                continue;
            }
            const int id = item.id;
            connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        }
    }
}

void CMainFrame::BuildAccelerators()
{
    int count = 0;
    const AcceleratorEntry *keys = MainAccelerators(&count);
    for (int i = 0; i < count; ++i) {
        auto *action = new QAction(this);
        action->setShortcut(QKeySequence(QString::fromLatin1(keys[i].keys)));
        action->setShortcutContext(Qt::WindowShortcut);
        action->setData(keys[i].id);
        const int id = keys[i].id;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        addAction(action);
        m_actions.insert(id, action);
    }
}

void CMainFrame::BuildStatusBar()
{
    m_message = new QLabel(StringTable::Load(StringId::Ready), this);
    m_message->setObjectName(QStringLiteral("0"));
    m_message->setMinimumWidth(1);
    statusBar()->addWidget(m_message, 1);
    m_comIndicator = new QLabel(this);
    m_comIndicator->setObjectName(QString::number(CommandId::ComIndicator));
    m_comIndicator->setAlignment(Qt::AlignCenter);
    m_comIndicator->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // As wide as "COM8" with the pane's margins, which COM10 fits into too.
    const QFontMetrics fm(m_comIndicator->font());
    m_comIndicator->setFixedWidth(fm.horizontalAdvance(StringTable::Load(CommandId::ComIndicator)) +
                                  2 * fm.averageCharWidth() + 2 * m_comIndicator->frameWidth());
    statusBar()->addPermanentWidget(m_comIndicator);
    UpdateComIndicator();
}

void CMainFrame::RemoveDeveloperItems()
{
    for (int id : {CommandId::ManualCommand, CommandId::SerialPort, CommandId::CommandMenu}) {
        QAction *action = m_actions.take(id);
        m_interfaceMenu->removeAction(action);
        delete action;
    }
    // What is left at position 2 is the separator.
    const QList<QAction *> items = m_interfaceMenu->actions();
    if (items.size() > 2) {
        m_interfaceMenu->removeAction(items.at(2));
        delete items.at(2);
    }
}

QAction *CMainFrame::Action(int commandId) const
{
    return m_actions.value(commandId);
}

void CMainFrame::SetStatusText(const QString &text)
{
    m_noticeShown = false;
    if (m_message->text() != text)
        m_message->setText(text);
    // The caller blocks in an exchange right after this.
    m_message->repaint();
}

QString CMainFrame::StatusText() const
{
    return m_message->text();
}

void CMainFrame::UpdateComIndicator()
{
    const QString text = theCamera.IsPortOpen()
                             ? QStringLiteral("COM%1").arg(theCamera.PortNumber())
                             : QStringLiteral(" ?");
    m_comIndicator->setEnabled(true);
    if (m_comIndicator->text() != text)
        m_comIndicator->setText(text);
}

QString CMainFrame::ComIndicatorText() const
{
    return m_comIndicator->text();
}

bool CMainFrame::IsShowingPrompt() const
{
    return m_promptShown || m_noticeShown;
}

void CMainFrame::OnHovered(QAction *action)
{
    const int id = action->data().toInt();
    if (id <= 0)
        return;
    m_promptShown = true;
    SetStatusText(PromptOf(id));
}

void CMainFrame::UpdateRecentFiles()
{
    qDeleteAll(m_recentActions);
    m_recentActions.clear();
    const QStringList files = m_doc->RecentFiles().Files();
    m_recentPlaceholder->setVisible(files.isEmpty());
    m_fileMenu->setToolTipsVisible(true);
    QStringList names;
    for (const QString &file : files)
        names << QFileInfo(file).fileName();
    for (int i = 0; i < files.size(); ++i) {
        // Two files of the same name are told apart by their folders.
        const QString name = names.count(names.at(i)) > 1
                                 ? QDir::toNativeSeparators(files.at(i))
                                 : names.at(i);
        auto *action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name), m_fileMenu);
        action->setData(CommandId::FileMruFirst + i);
        action->setToolTip(files.at(i));
        m_fileMenu->insertAction(m_recentPlaceholder, action);
        connect(action, &QAction::triggered, this, [this, i] { m_doc->OpenRecentFile(i); });
        m_recentActions.append(action);
    }
}

void CMainFrame::OnCommand(int commandId)
{
    using namespace CommandId;
    switch (commandId) {
    case FileNew:
        m_doc->OnFileNew();
        break;
    case FileOpen:
        m_doc->OnFileOpen();
        break;
    case FileSave:
        m_doc->OnFileSave();
        break;
    case FileSaveAs:
        m_doc->OnFileSaveAs();
        break;
    case AppExit:
        close();
        break;
    case AppAbout:
        AboutDialog(this).exec();
        break;
    case ReadFromCamera:
    case ReadFromCameraKey:
        m_doc->OnReadFromCamera();
        break;
    case WriteToCamera:
    case WriteToCameraKey:
        m_doc->OnWriteToCamera();
        break;
    case ManualCommand:
        m_doc->OnManualCommand();
        break;
    case CommandMenu:
    case CommandMenuKey:
        m_doc->OnCommandMenu();
        break;
    default:
        break;
    }
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    if (!m_doc->SaveModified()) {
        event->ignore();
        return;
    }
    m_doc->RecentFiles().Save();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && IsSettingsFile(urls.first()))
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !IsSettingsFile(urls.first()))
        return;
    event->acceptProposedAction();
    activateWindow();
    m_doc->OpenDocumentFile(urls.first().toLocalFile());
}

CMainFrame *CMainFrame::Create(CZQB40Doc *doc, const QString &programFileName)
{
    auto *frame = new CMainFrame(doc, programFileName);
    frame->SetView(new CZQB40View(doc, frame));
    doc->SetWhiteSpotFactory(
        [](CZQB40Doc *d, QWidget *parent) { return new WhiteSpotDialog(d, parent); });
    doc->SetRegisterEditorFactory(
        [](CZQB40Doc *d, QWidget *parent) { return new RegisterEditorDialog(d, parent); });
    doc->SetManualCommandFactory(
        [](CZQB40Doc *, QWidget *parent) { return new ManualCommandDialog(parent); });
    return frame;
}
