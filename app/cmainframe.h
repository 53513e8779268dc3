#pragma once

#include <QHash>
#include <QMainWindow>

class CZQB40Doc;
class QAction;
class QLabel;
class QMenu;

// The program's only top-level window: the menu, the control panel as its
// one view, and the status bar with the message pane and the COM indicator.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    // programFileName decides the developer menu (base name, no suffix).
    CMainFrame(CZQB40Doc *doc, const QString &programFileName, QWidget *parent = nullptr);
    ~CMainFrame() override;

    // The whole window as the program builds it: the frame, its panel, and
    // the service dialogs' factories installed in the document.
    static CMainFrame *Create(CZQB40Doc *doc, const QString &programFileName);
    // The main window while one exists, else null.
    static CMainFrame *Instance();

    void SetView(QWidget *view);
    QWidget *View() const { return m_view; }

    // Puts the text in the message pane and paints it before returning.
    void SetStatusText(const QString &text);
    QString StatusText() const;
    void UpdateComIndicator();
    QString ComIndicatorText() const;
    QLabel *ComIndicator() const { return m_comIndicator; }
    // True while a highlighted menu item's prompt, or a notice of the
    // document, is in the message pane: "Ready" waits.
    bool IsShowingPrompt() const;

    bool IsDeveloperMode() const { return m_developerMode; }
    static bool IsDeveloperName(const QString &programFileName);
    // The menu item or accelerator of a command id; null when it is not there.
    QAction *Action(int commandId) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void BuildMenus();
    void BuildAccelerators();
    void BuildStatusBar();
    void RemoveDeveloperItems();
    void UpdateRecentFiles();
    void OnCommand(int commandId);
    void OnHovered(QAction *action);

    CZQB40Doc *m_doc;
    QWidget *m_view = nullptr;
    QLabel *m_message = nullptr;
    QLabel *m_comIndicator = nullptr;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_interfaceMenu = nullptr;
    QAction *m_recentPlaceholder = nullptr;
    QList<QAction *> m_recentActions;
    QHash<int, QAction *> m_actions;
    bool m_developerMode = false;
    bool m_promptShown = false;
    bool m_noticeShown = false; // until the next status text
};
