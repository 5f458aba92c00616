#include "qt/main_window.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <limits>

#include "core/main/main_form.h"
#include "core/runtime/event_handler.h"
#include "qt/accessible_texts.h"
#include "qt/command_button.h"
#include "resources/main_layout.h"

namespace qtfront {

namespace {

QRect GeometryOf(const layout::ControlEntry& entry) {
    return {layout::ToPixels(entry.left), layout::ToPixels(entry.top),
            layout::ToPixels(entry.width), layout::ToPixels(entry.height)};
}

QFont FontOf(const layout::FontStyle& entry) {
    QFont font(QString::fromUtf8(entry.face));
    font.setPointSize(entry.points);
    font.setWeight(static_cast<QFont::Weight>(entry.weight));
    font.setItalic(entry.italic);
    font.setUnderline(entry.underline);
    font.setStrikeOut(entry.strikeout);
    return font;
}

Qt::Alignment AlignmentOf(layout::Alignment alignment) {
    switch (alignment) {
        case layout::Alignment::Center:
            return Qt::AlignHCenter;
        case layout::Alignment::Right:
            return Qt::AlignRight;
        default:
            return Qt::AlignLeft;
    }
}

QWidget* CreateControl(const layout::ControlEntry& entry, QWidget* parent) {
    QWidget* widget = nullptr;
    switch (entry.kind) {
        case layout::ControlKind::Label: {
            auto* label = new QLabel(QString::fromUtf8(entry.caption), parent);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(AlignmentOf(entry.alignment) | Qt::AlignTop);
            label->setFocusPolicy(Qt::NoFocus);
            widget = label;
            break;
        }
        case layout::ControlKind::TextBox: {
            auto* edit = new QLineEdit(QString::fromUtf8(entry.caption), parent);
            edit->setMaxLength(std::numeric_limits<int>::max());  // Qt's default cuts at 32767
            widget = edit;
            break;
        }
        case layout::ControlKind::CommandButton:
            widget = new CommandButton(QString::fromUtf8(entry.caption), parent);
            break;
    }
    widget->setObjectName(QString::fromUtf8(entry.name));
    widget->setGeometry(GeometryOf(entry));
    if (entry.font != nullptr) widget->setFont(FontOf(*entry.font));
    if (entry.startsHidden) widget->hide();
    return widget;
}

// A focus change inside the window; a message box or another application taking the focus
// is no LostFocus.
bool IsLostFocus(const QEvent* event) {
    if (event->type() != QEvent::FocusOut) return false;
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

}  // namespace

MainWindow::MainWindow() {
    setWindowTitle(QString::fromUtf8(layout::kMainWindow.caption));
    // The installed theme icon has the larger sizes a dock wants; the built-in one is 32 x 32.
    setWindowIcon(
        QIcon::fromTheme(QStringLiteral("marquill"), QIcon(QStringLiteral(":/marquill_icon.xpm"))));
    setFixedSize(layout::ToPixels(layout::kMainWindow.clientWidth),
                 layout::ToPixels(layout::kMainWindow.clientHeight));
    setFont(FontOf(layout::kWindowFont));
    BuildControls();
    GiveAccessibleTexts(*this);
    SetTabOrder();
    ConnectHandlers();
}

MainWindow::~MainWindow() {
    if (controls_) controls::InstallMainControls(nullptr);
}

void MainWindow::BuildControls() {
    for (const auto& entry : layout::kMainControls) CreateControl(entry, this);
    txt_poi_ = findChild<QLineEdit*>("txt_poi");
    txt_sd_ = findChild<QLineEdit*>("txt_sd");
    txt_navman_ = findChild<QLabel*>("txt_navman");
    lbl_active_ = findChild<QLabel*>("lbl_active");
    cmd_Start_ = findChild<QPushButton*>("cmd_Start");
    cmd_quit_ = findChild<QPushButton*>("cmd_quit");
}

void MainWindow::SetTabOrder() {
    QWidget* previous = nullptr;
    for (const auto* entry : layout::InTabOrder()) {
        if (entry->kind == layout::ControlKind::Label) continue;
        QWidget* control = Control(entry->name);
        if (previous != nullptr) setTabOrder(previous, control);
        previous = control;
    }
}

void MainWindow::ConnectHandlers() {
    txt_poi_->installEventFilter(this);
    txt_sd_->installEventFilter(this);
    connect(cmd_Start_, &QPushButton::clicked, this,
            [] { runtime::RunEventHandler(Main::cmd_Start_Click); });
    connect(cmd_quit_, &QPushButton::clicked, this,
            [] { runtime::RunEventHandler(Main::cmd_quit_Click); });
}

void MainWindow::Load() {
    poiBox_ = std::make_unique<QtTextBox>(*txt_poi_);
    sdBox_ = std::make_unique<QtTextBox>(*txt_sd_);
    navmanLabel_ = std::make_unique<QtLabel>(*txt_navman_);
    activeLabel_ = std::make_unique<QtLabel>(*lbl_active_);
    startButton_ = std::make_unique<QtButton>(*cmd_Start_);
    form_ = std::make_unique<QtForm>(*this);
    controls_ = std::make_unique<controls::MainControls>(
        controls::MainControls{*poiBox_, *sdBox_, *navmanLabel_, *activeLabel_, *startButton_});
    controls::InstallMainControls(controls_.get());
    runtime::RunEventHandler([this] { Main::Form_Load(*form_); });
    txt_poi_->setFocus(Qt::OtherFocusReason);
}

QWidget* MainWindow::Control(std::string_view name) const {
    return findChild<QWidget*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (IsLostFocus(event)) {
        if (watched == txt_poi_) runtime::RunEventHandler(Main::txt_poi_LostFocus);
        if (watched == txt_sd_) runtime::RunEventHandler(Main::txt_sd_LostFocus);
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    runtime::RunEventHandler([] {
        int cancel = 0;
        Main::Form_Unload(cancel);
    });
    event->accept();
}

}  // namespace qtfront
