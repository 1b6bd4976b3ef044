#pragma once

#include "core/puzzle.h"
#include "core/puzzle_observer.h"
#include "core/puzzle_store.h"
#include "data/command_table.h"
#include "data/pane_layout.h"
#include "ui/controls/keyboard_sink.h"

#include <QMainWindow>
#include <QMap>
#include <QMenu>
#include <QString>
#include <QTimer>

#include <memory>

class CClueView;
class CDocListPicker;
class CGridView;
class CKeyboardCtrl;
class CSolvingTimeLabel;
class CSplitterCtrl;
class QAction;
class QLabel;
class QToolBar;
class QToolButton;

// The program's one top-level window. It owns the model, the puzzle store and
// every pane: the clue view, the grid view, the splitter between them and the
// floating keyboard, plus the menu "Menu" and the toolbar. It lays the panes
// out, sends each command to the grid view first and handles it itself when
// the view does not, keeps the commands enabled or disabled, and receives the
// program's own messages.
class CMainFrame : public QMainWindow, public PuzzleObserver, public KeyboardSink {
    Q_OBJECT

public:
    static constexpr int kMinimumPaneGap = 18;
    static constexpr int kSplitterThickness = 4;

    // commandLine is the program's command line, one path that the start-up
    // may open. Creating the frame posts UM_OPEN_STARTUP_PUZZLE to itself.
    explicit CMainFrame(const QString& commandLine = QString());
    ~CMainFrame() override;

    CPuzzle& Puzzle() { return puzzle_; }
    CPuzzleStore& Store() { return store_; }
    CGridView* GridView() const { return gridView_; }
    CClueView* ClueView() const { return clueView_; }
    CKeyboardCtrl* Keyboard() const { return keyboard_; }
    CSplitterCtrl* Splitter() const { return splitter_.get(); }
    QWidget* Client() const { return client_; }
    QToolBar* CommandBar() const { return toolBar_; }
    CSolvingTimeLabel* TimeLabel() const { return timeLabel_; }
    // "Pencil" in the status bar, shown while letters are typed in pencil.
    QLabel* PencilLabel() const { return pencilLabel_; }
    QMenu* RevealMenu() const { return revealMenu_; }
    // The action of a menu item or toolbar button; null for an unknown id.
    QAction* Action(int id) const { return actions_.value(id); }
    QToolButton* ToolButton(int id) const;
    bool CheckShown() const { return checkShown_; }
    int RevealButtonX() const;

    // A command from a menu item, a toolbar button or a test: the grid view
    // handles it when it can, else the frame.
    void OnCommand(int id);
    // The update pass: enables the commands, sets the cell-size check mark and
    // turns the Check button's pressed state into the grid's check display.
    void UpdateCommands();
    // Lays the panes out for the frame's client area.
    void RecalcPanes();
    // A later copy of the program handed over a path (already trimmed).
    void OnPathHandedOver(const QString& path);
    // A later copy asked for the window: restore it and bring it to the front.
    void BringToFront();

    void PuzzleOpened() override;
    void PuzzleClosed() override;
    void UnsavableEntryChanged() override;
    void OnKeyboardChar(char letter) override;
    void OnKeyboardKeyDown(int keyCode) override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreatePanes();
    void CreateCommandBar();
    QAction* MakeAction(int id, const QString& text);
    void AddItem(QMenu* menu, int id, const QString& text);
    void BuildMenu();
    void AddEditMenu(QMenu* top);
    void AddSolvingOptions(QMenu* customize);
    void ApplySolvingOptions();
    void OnSolvingOptionsChanged();
    CommandState StateOf(int id) const;
    void BuildToolBar();
    void ApplyKeyboardSettings();
    void ConnectKeyboard();

    bool OnFrameCommand(int id);
    void ShowRevealMenu();
    void CustomizeLayout();
    void ToggleKeyboard();
    void ToggleAcrossDown();
    void SendPuzzle(int id);
    void ShowAbout();
    void ShowHelp();

    bool OnMessage(int id, qintptr wParam);
    void OnSplitterMoved(qintptr splitter);
    void OnClientResized();
    void OnMinimized();
    PaneLayoutInput LayoutInput() const;
    bool IsKeyboardUntouched() const;
    void PlaceUntouchedKeyboard();
    void KeepUntouchedKeyboardOffCursor();
    void UpdateSolvingTime();
    void UpdateTitle();
    void ShowUnsavableNotice();

    CPuzzle puzzle_;
    std::unique_ptr<CDocListPicker> picker_;
    CPuzzleStore store_;
    QString commandLine_;
    QString passedPath_;
    bool checkShown_ = false;
    bool migratedThisRun_ = false;
    bool lowRes_ = false;
    std::unique_ptr<CSplitterCtrl> splitter_;
    QWidget* client_ = nullptr;
    CKeyboardCtrl* keyboard_ = nullptr;
    CGridView* gridView_ = nullptr;
    CClueView* clueView_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMenu* revealMenu_ = nullptr;
    CSolvingTimeLabel* timeLabel_ = nullptr;
    QLabel* pencilLabel_ = nullptr;
    QMap<int, QAction*> actions_;
    QTimer idleTimer_;
};
