#include "ui/shell/main_frame.h"

#include "core/message_event.h"
#include "core/puzzle_folders.h"
#include "core/user_prompt.h"
#include "data/command_ids.h"
#include "data/command_table.h"
#include "data/keyboard_layout.h"
#include "data/settings.h"
#include "data/shipped_puzzles.h"
#include "data/solution_refusal.h"
#include "data/startup_puzzle.h"
#include "ui/controls/clue_view.h"
#include "ui/controls/dpi_scaling.h"
#include "ui/controls/keyboard_ctrl.h"
#include "ui/controls/splitter_ctrl.h"
#include "ui/controls/toolbar_icons.h"
#include "ui/dialogs/doc_list_picker.h"
#include "ui/shell/solving_time_label.h"
#include "ui/shell/window_placement.h"
#include "ui/view/grid_view.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr int kIdleUpdateMs = 100;
// A screen up to this many pixels wide is a low-resolution one: small toolbar
// images and, by default, the small keyboard.
constexpr int kLowResMaxWidth = 240;

bool IsLowResScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen == nullptr || screen->size().width() <= kLowResMaxWidth;
}

} // namespace

CMainFrame::CMainFrame(const QString& commandLine)
    : picker_(std::make_unique<CDocListPicker>(this)),
      store_(puzzle_, picker_.get()),
      commandLine_(commandLine),
      splitter_(std::make_unique<CSplitterCtrl>(true))
{
    setWindowTitle(QStringLiteral("Gridmoor"));
    setWindowIcon(ProgramIcon());
    CreatePanes();
    puzzle_.SetObserver(this);
    puzzle_.SetRecorder(g_settings);
    QCoreApplication::postEvent(this, new MessageEvent(UM_OPEN_STARTUP_PUZZLE, 1));
    lowRes_ = IsLowResScreen();
    g_settings->lowRes = lowRes_;
    CreateCommandBar();
    ApplyKeyboardSettings();
    connect(&idleTimer_, &QTimer::timeout, this, &CMainFrame::UpdateCommands);
    connect(&idleTimer_, &QTimer::timeout, this, &CMainFrame::UpdateSolvingTime);
    idleTimer_.start(kIdleUpdateMs);
}

CMainFrame::~CMainFrame()
{
    idleTimer_.stop();
    splitter_.reset();
    puzzle_.SetObserver(nullptr);
    delete client_;
    client_ = nullptr;
    gridView_ = nullptr;
    clueView_ = nullptr;
    keyboard_ = nullptr;
}

void CMainFrame::CreatePanes()
{
    client_ = new QWidget(this);
    setCentralWidget(client_);
    keyboard_ = new CKeyboardCtrl();
    // A damaged data file may hold any position; the layout then moves the
    // keyboard inside the panes.
    keyboard_->Create(client_, KeyboardLayout::SoundPosition({g_settings->keyboardX, g_settings->keyboardY}));
    clueView_ = new CClueView(client_);
    gridView_ = new CGridView(&puzzle_, clueView_, client_);
    clueView_->SetKeyHandler(gridView_);
    gridView_->SetPuzzleStore(&store_);
    splitter_->Create(client_, QRect(), false);
    splitter_->SetMinimums(ScaleByDpi(kMinimumPaneGap), ScaleByDpi(kMinimumPaneGap));
    keyboard_->raise();
    setFocusProxy(gridView_);
    // The keyboard and the splitter give the focus to their parent when dragged;
    // the grid takes it there, so typing goes on after a drag.
    client_->setFocusProxy(gridView_);
    connect(gridView_, &CGridView::CursorMoved, this, &CMainFrame::KeepUntouchedKeyboardOffCursor);
    gridView_->setFocus();
    client_->installEventFilter(this);
}

void CMainFrame::ApplyKeyboardSettings()
{
    keyboard_->SetSink(this);
    ConnectKeyboard();
    keyboard_->SetLarge(!g_settings->IsKeyboardSmall());
    keyboard_->setVisible(g_settings->keyboardShown);
}

void CMainFrame::ConnectKeyboard()
{
    connect(keyboard_, &CKeyboardCtrl::SizeApplied, this, [this](bool large) {
        g_settings->keyboardSize = large ? 1 : 0;
        PlaceUntouchedKeyboard();
    });
    connect(keyboard_, &CKeyboardCtrl::PositionSaved, this, [](const QPoint& topLeft) {
        g_settings->keyboardX = topLeft.x();
        g_settings->keyboardY = topLeft.y();
    });
    connect(keyboard_, &CKeyboardCtrl::HiddenByKey, this, [] { g_settings->keyboardShown = false; });
}

QAction* CMainFrame::MakeAction(int id, const QString& text)
{
    if (QAction* existing = actions_.value(id))
        return existing;
    auto* action = new QAction(text, this);
    action->setData(id);
    const QString prompt = CommandPrompt(id);
    if (!prompt.isEmpty()) {
        action->setToolTip(prompt);
        action->setStatusTip(prompt);
    }
    const QString shortcut = CommandShortcut(id);
    if (!shortcut.isEmpty())
        action->setShortcuts(QKeySequence::listFromString(shortcut, QKeySequence::PortableText));
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    actions_.insert(id, action);
    return action;
}

void CMainFrame::AddItem(QMenu* menu, int id, const QString& text)
{
    menu->addAction(MakeAction(id, text));
}

void CMainFrame::BuildMenu()
{
    QMenu* top = menuBar()->addMenu(QStringLiteral("Menu"));
    QMenu* help = top->addMenu(QStringLiteral("Help"));
    AddItem(help, ID_HELP, QStringLiteral("Help..."));
    help->addSeparator();
    AddItem(help, ID_APP_ABOUT, QStringLiteral("About..."));
    QMenu* customize = top->addMenu(QStringLiteral("Customize"));
    AddItem(customize, ID_SMALL_CELLS, QStringLiteral("Small Cells"));
    AddItem(customize, ID_MEDIUM_CELLS, QStringLiteral("Medium Cells"));
    AddItem(customize, ID_LARGE_CELLS, QStringLiteral("Large Cells"));
    customize->addSeparator();
    AddItem(customize, ID_CUSTOMIZE_COLORS, QStringLiteral("Colors..."));
    AddItem(customize, ID_CUSTOMIZE_LAYOUT, QStringLiteral("Layout..."));
    AddSolvingOptions(customize);
    top->addSeparator();
    AddEditMenu(top);
    QMenu* reveal = top->addMenu(QStringLiteral("Reveal"));
    AddItem(reveal, ID_REVEAL_LETTER, QStringLiteral("Current Letter"));
    AddItem(reveal, ID_REVEAL_WORD, QStringLiteral("Current Word"));
    AddItem(reveal, ID_REVEAL_PUZZLE, QStringLiteral("Entire Puzzle"));
    QMenu* clueView = top->addMenu(QStringLiteral("Clue View"));
    AddItem(clueView, ID_CLUE_COPY, QStringLiteral("Copy"));
    AddItem(clueView, ID_CLUE_SELECT_ALL, QStringLiteral("Select All"));
    AddItem(top, ID_ACROSS_DOWN, QStringLiteral("Across/Down"));
    top->addSeparator();
    QMenu* current = top->addMenu(QStringLiteral("Current Puzzle"));
    AddItem(current, ID_PUZZLE_INFO, QStringLiteral("Info..."));
    AddItem(current, ID_ALL_CLUES, QStringLiteral("All Clues..."));
    current->addSeparator();
    AddItem(current, ID_DELETE_PUZZLE, QStringLiteral("Delete"));
    current->addSeparator();
    AddItem(current, ID_BEAM, QStringLiteral("Beam"));
    AddItem(current, ID_SEND_EMAIL, QStringLiteral("Send via E-mail..."));
    current->addSeparator();
    AddItem(current, ID_PRINT, QStringLiteral("Print..."));
    AddItem(current, ID_EXPORT_PDF, QStringLiteral("Export PDF..."));
    top->addSeparator();
    AddItem(top, ID_OPEN_PUZZLE, QStringLiteral("Open..."));
    AddItem(top, ID_DOWNLOAD, QStringLiteral("Download..."));
    top->addSeparator();
    AddItem(top, ID_APP_EXIT, QStringLiteral("Quit"));

    // Every pop-up, nested ones included, shows up-to-date states.
    for (QMenu* menu : top->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
    connect(top, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);

    revealMenu_ = new QMenu(this);
    revealMenu_->addAction(Action(ID_REVEAL_LETTER));
    revealMenu_->addAction(Action(ID_REVEAL_WORD));
    revealMenu_->addAction(Action(ID_REVEAL_PUZZLE));
    connect(revealMenu_, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
}

void CMainFrame::BuildToolBar()
{
    toolBar_ = new QToolBar(QStringLiteral("Commands"), this);
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setContextMenuPolicy(Qt::PreventContextMenu);
    const int iconSize = lowRes_ ? 16 : 32;
    toolBar_->setIconSize(QSize(iconSize, iconSize));
    addToolBar(Qt::BottomToolBarArea, toolBar_);
    for (const int id : {ID_OPEN_PUZZLE, ID_PUZZLE_INFO, ID_CHECK, ID_REVEAL, ID_ALL_CLUES, ID_ACROSS_DOWN, ID_KEYBOARD}) {
        QAction* action = MakeAction(id, ToolbarButtonText(id));
        action->setIcon(ToolbarIcon(id, iconSize));
        action->setIconVisibleInMenu(false);
        toolBar_->addAction(action);
    }
    // Holding Check shows wrong letters; react at once rather than at the next idle pass.
    if (QToolButton* check = ToolButton(ID_CHECK)) {
        connect(check, &QToolButton::pressed, this, &CMainFrame::UpdateCommands);
        connect(check, &QToolButton::released, this, &CMainFrame::UpdateCommands);
    }
}

void CMainFrame::CreateCommandBar()
{
    BuildMenu();
    BuildToolBar();
    ApplySolvingOptions();
    timeLabel_ = new CSolvingTimeLabel(puzzle_, this);
    statusBar()->addPermanentWidget(timeLabel_);
}

QToolButton* CMainFrame::ToolButton(int id) const
{
    QAction* action = Action(id);
    return action == nullptr || toolBar_ == nullptr ? nullptr
                                                    : qobject_cast<QToolButton*>(toolBar_->widgetForAction(action));
}

int CMainFrame::RevealButtonX() const
{
    const QToolButton* button = ToolButton(ID_REVEAL);
    return button == nullptr ? 0 : button->geometry().left();
}

void CMainFrame::UpdateCommands()
{
    const bool loaded = puzzle_.IsLoaded();
    for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
        const CommandState state = StateOf(it.key());
        it.value()->setEnabled(state.enabled);
        it.value()->setCheckable(state.checkable);
        if (state.checkable)
            it.value()->setChecked(state.checked);
    }
    QToolButton* check = ToolButton(ID_CHECK);
    const CheckTransition transition = CheckButtonTransition(loaded, check != nullptr && check->isDown(), checkShown_);
    if (!transition.changes || gridView_ == nullptr)
        return;
    if (transition.shown && SolutionRefusalFor(puzzle_)) {
        // The refusal's message box takes the button's release, so the button
        // is let up first: it is drawn up and the next press refuses again.
        check->setDown(false);
        checkShown_ = false;
        gridView_->SetCheckMode(true);
        return;
    }
    checkShown_ = transition.shown;
    gridView_->SetCheckMode(checkShown_);
}

void CMainFrame::OnCommand(int id)
{
    if (gridView_ == nullptr || !gridView_->OnCommand(id))
        OnFrameCommand(id);
    if (id >= ID_SMALL_CELLS && id <= ID_LARGE_CELLS)
        RecalcPanes();
    UpdateCommands();
}

PaneLayoutInput CMainFrame::LayoutInput() const
{
    PaneLayoutInput input;
    input.client = client_->rect();
    input.clueHeight = g_settings->clueViewHeight;
    input.clueAtTop = g_settings->clueAtTop;
    input.splitterShown = g_settings->splitterShown;
    input.splitterThickness = ScaleByDpi(kSplitterThickness);
    input.minimumGrid = ScaleByDpi(kMinimumPaneGap);
    input.minimumClue = ScaleByDpi(kMinimumPaneGap);
    return input;
}

void CMainFrame::RecalcPanes()
{
    if (gridView_ == nullptr || clueView_ == nullptr)
        return;
    const PaneLayout layout = ComputePaneLayout(LayoutInput());
    g_settings->clueViewHeight = layout.clueHeight;
    gridView_->setGeometry(layout.grid);
    gridView_->update();
    if (splitter_ != nullptr) {
        splitter_->setVisible(g_settings->splitterShown);
        if (g_settings->splitterShown)
            splitter_->setGeometry(layout.splitter);
    }
    clueView_->setGeometry(layout.clue);
    if (keyboard_ != nullptr) {
        keyboard_->SetBounds(KeyboardBounds(layout));
        PlaceUntouchedKeyboard();
        keyboard_->ClampToBounds();
    }
}

bool CMainFrame::IsKeyboardUntouched() const
{
    return QPoint(g_settings->keyboardX, g_settings->keyboardY) == CKeyboardCtrl::kDefaultPosition;
}

// The keyboard's default place suits a handheld screen; in a larger window it
// would cover the grid or the clue line, so until the user drags it somewhere
// the frame places it in the grid area where it hides the least.
void CMainFrame::PlaceUntouchedKeyboard()
{
    if (keyboard_ == nullptr || gridView_ == nullptr || !IsKeyboardUntouched())
        return;
    const QPoint view = gridView_->pos();
    UntouchedKeyboardInput input;
    input.keyboard = keyboard_->size();
    input.gridArea = gridView_->geometry().adjusted(2, 2, -2, -2);
    input.bounds = keyboard_->Bounds();
    input.gridShown = gridView_->ShownGridRect().translated(view);
    input.currentCell = gridView_->ShownCurrentCellRect().translated(view);
    keyboard_->move(UntouchedKeyboardPosition(input));
}

// In the corner of a grid that leaves no room beside it the keyboard may come
// to cover the cursor; it then moves to the corner farthest from it.
void CMainFrame::KeepUntouchedKeyboardOffCursor()
{
    if (keyboard_ == nullptr || keyboard_->isHidden() || !IsKeyboardUntouched())
        return;
    const QRect cell = gridView_->ShownCurrentCellRect().translated(gridView_->pos());
    if (keyboard_->geometry().intersects(cell))
        PlaceUntouchedKeyboard();
}

void CMainFrame::OnSplitterMoved(qintptr splitter)
{
    if (splitter != reinterpret_cast<qintptr>(splitter_.get()))
        return;
    g_settings->clueViewHeight =
        ClueHeightAfterSplitterMove(clueView_->geometry(), splitter_->geometry(), g_settings->clueAtTop);
    RecalcPanes();
}

void CMainFrame::OnClientResized()
{
    if (!migratedThisRun_) {
        ShippedPuzzles(QCoreApplication::applicationFilePath(), GetPuzzleFolder()).MigrateOnFirstStart();
        migratedThisRun_ = true;
    }
    RecalcPanes();
}

// The clock runs while one of the program's windows (the frame or one of its
// dialogs) is active and the frame is not minimised.
void CMainFrame::UpdateSolvingTime()
{
    if (timeLabel_ != nullptr)
        timeLabel_->Update(QApplication::activeWindow() != nullptr && !isMinimized());
}

// The window title names the open puzzle and says when its progress cannot
// be saved.
void CMainFrame::UpdateTitle()
{
    QString title, author, copyright;
    if (puzzle_.IsLoaded())
        puzzle_.GetInfoText(title, author, copyright);
    title = title.simplified();
    QString text = title.isEmpty() ? QStringLiteral("Gridmoor") : QStringLiteral("Gridmoor - %1").arg(title);
    if (puzzle_.IsLoaded() && puzzle_.IsReadOnly())
        text += QStringLiteral(" (read-only)");
    setWindowTitle(text);
}

// Told once per opened read-only puzzle, after the keystroke that changed it
// has been handled in full.
void CMainFrame::UnsavableEntryChanged()
{
    QMetaObject::invokeMethod(this, &CMainFrame::ShowUnsavableNotice, Qt::QueuedConnection);
}

void CMainFrame::ShowUnsavableNotice()
{
    if (!puzzle_.IsLoaded() || !puzzle_.IsReadOnly())
        return;
    UserPrompt::Show(QStringLiteral("Progress in this puzzle cannot be saved: the file \"%1\" is read-only. "
                                    "What you type stays on screen until the puzzle is closed.")
                         .arg(puzzle_.GetPath()),
                     QStringLiteral("Read-Only Puzzle"), UserPrompt::Icon::Warning);
}

void CMainFrame::OnMinimized()
{
    UpdateSolvingTime();
    g_settings->SaveSettings();
    if (puzzle_.IsLoaded())
        puzzle_.SaveProgress();
}

void CMainFrame::OnPathHandedOver(const QString& path)
{
    passedPath_ = path;
    QCoreApplication::postEvent(this, new MessageEvent(UM_OPEN_PASSED_FILE));
}

// A minimised window comes back as it was before, maximised or not; a
// maximised one keeps its size.
void CMainFrame::BringToFront()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void CMainFrame::PuzzleOpened()
{
    QCoreApplication::postEvent(this, new MessageEvent(UM_PUZZLE_OPENED));
}

void CMainFrame::PuzzleClosed()
{
    if (timeLabel_ != nullptr)
        timeLabel_->PuzzleClosed();
    UpdateTitle();
    if (gridView_ != nullptr)
        QCoreApplication::postEvent(gridView_, new MessageEvent(UM_PUZZLE_CLOSED));
}

void CMainFrame::OnKeyboardChar(char letter)
{
    if (gridView_ != nullptr)
        gridView_->OnChar(QChar::fromLatin1(letter));
}

void CMainFrame::OnKeyboardKeyDown(int keyCode)
{
    if (gridView_ != nullptr && keyCode == KeyboardSink::kBackspaceKeyCode)
        gridView_->OnKeyDown(Qt::Key_Backspace);
}

bool CMainFrame::OnMessage(int id, qintptr wParam)
{
    switch (id) {
    case UM_OPEN_STARTUP_PUZZLE:
        OpenStartupPuzzle(store_, g_settings->lastPuzzlePath, commandLine_, wParam == 1);
        UpdateCommands();
        return true;
    case UM_PUZZLE_OPENED:
        UpdateTitle();
        if (gridView_ != nullptr)
            gridView_->OnPuzzleOpened();
        RecalcPanes();
        UpdateCommands();
        return true;
    case UM_OPEN_PASSED_FILE:
        store_.OpenPuzzleFile(passedPath_, true);
        return true;
    case UM_SAVE_PROGRESS:
        puzzle_.SaveProgress();
        return true;
    default:
        return false;
    }
}

bool CMainFrame::event(QEvent* event)
{
    // A shortcut works only while its command is enabled: the states are
    // brought up to date before each key is matched, so Ctrl+Z right after
    // a letter does not wait for the idle pass.
    if (event->type() == QEvent::ShortcutOverride)
        UpdateCommands();
    if (const auto* message = dynamic_cast<const MessageEvent*>(event)) {
        if (OnMessage(message->Id(), message->WParam()))
            return true;
    }
    return QMainWindow::event(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client_) {
        if (event->type() == QEvent::Resize) {
            OnClientResized();
        } else if (const auto* message = dynamic_cast<const MessageEvent*>(event);
                   message != nullptr && message->Id() == UM_SPLITTER_MOVED) {
            OnSplitterMoved(message->WParam());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    SaveWindowPlacement(*this);
    QMainWindow::closeEvent(event);
}

void CMainFrame::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        OnMinimized();
}
