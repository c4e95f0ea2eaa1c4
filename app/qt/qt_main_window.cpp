#include "app/qt/qt_main_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <limits>

#include "codec/codepage.h"
#include "codec/wide.h"

// The icon's resource is compiled into this static library, so it must be registered by hand
// (outside any namespace, as Q_INIT_RESOURCE requires).
static void RegisterResources() { Q_INIT_RESOURCE(zicha); }

namespace zicha {
namespace {

// Outer size minus the frame of a standard Windows window: the client area that keeps the
// described outer size where a frame is drawn (and holds the controls' 344 x 264).
constexpr int kFrameWidth = 16, kFrameHeight = 39;

QString FromUtf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// An edit box's selection is hidden while it has no focus.
void HideInactiveSelection(QWidget* edit) {
  QPalette p = edit->palette();
  p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Inactive, QPalette::Base));
  p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Inactive, QPalette::Text));
  edit->setPalette(p);
}

}  // namespace

int KeyCodeOf(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kKeyEnter;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return kKeyTab;
    case Qt::Key_Escape:
      return kKeyEscape;
    case Qt::Key_Space:
      return 32;
    default:
      if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
      return 0;
  }
}

int ModifiersOf(Qt::KeyboardModifiers modifiers) {
  return ((modifiers & Qt::ControlModifier) ? kModCtrl : 0) | ((modifiers & Qt::ShiftModifier) ? kModShift : 0) |
         ((modifiers & Qt::AltModifier) ? kModAlt : 0);
}

QtMainWindow::QtMainWindow(std::string endpoint) : endpoint_(std::move(endpoint)) {
  const WindowDescription& d = kMainWindow;
  setWindowTitle(FromUtf8(d.title));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(d.outerWidth - kFrameWidth, d.outerHeight - kFrameHeight);
  RegisterResources();
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128}) icon.addFile(QString(":/zicha-%1.png").arg(size), QSize(size, size));
  setWindowIcon(icon);
  QPalette face = palette();
  face.setColor(QPalette::Window, face.color(QPalette::Button));
  setPalette(face);
  setAutoFillBackground(true);

  for (const ControlDescription& c : d.controls) {
    QWidget* w = nullptr;
    switch (c.kind) {
      case ControlKind::kLabel: {
        auto* label = new QLabel(FromUtf8(c.initialText), this);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setWordWrap(false);
        (c.id == ControlId::k标签1 ? label1_ : label2_) = label;
        w = label;
        break;
      }
      case ControlKind::kEdit:
        email_ = new QLineEdit(FromUtf8(c.initialText), this);
        email_->setMaxLength(std::numeric_limits<int>::max());
        HideInactiveSelection(email_);
        w = email_;
        break;
      case ControlKind::kPushButton:
        button_ = new QPushButton(FromUtf8(c.initialText), this);
        button_->setAutoDefault(false);  // Enter elsewhere never presses it
        button_->setDefault(false);
        connect(button_, &QPushButton::clicked, this, [this] { OnQueryClick(*this, endpoint_); });
        w = button_;
        break;
      case ControlKind::kMultiLineReadOnlyEdit:
        result_ = new QPlainTextEdit(FromUtf8(c.initialText), this);
        result_->setReadOnly(true);
        result_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        result_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        result_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        result_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        HideInactiveSelection(result_);
        w = result_;
        break;
    }
    w->setObjectName(FromUtf8(c.name));
    w->setGeometry(c.x, c.y, c.width, c.height);
    w->setFocusPolicy(c.tabOrder > 0 ? Qt::StrongFocus : Qt::NoFocus);
    if (c.tabOrder > 0) w->installEventFilter(this);
  }
  installEventFilter(this);
}

void QtMainWindow::ShowCentred() {
  const QRect screen = (this->screen() ? this->screen() : QGuiApplication::primaryScreen())->geometry();
  move(screen.x() + CentredOrigin(screen.width(), kMainWindow.outerWidth),
       screen.y() + CentredOrigin(screen.height(), kMainWindow.outerHeight));
  show();
  activateWindow();
  email_->setFocus(Qt::OtherFocusReason);
}

QWidget* QtMainWindow::Control(ControlId id) const {
  switch (id) {
    case ControlId::k标签1: return label1_;
    case ControlId::k编辑框1: return email_;
    case ControlId::k按钮1: return button_;
    case ControlId::k标签2: return label2_;
    case ControlId::k编辑框2: return result_;
  }
  return nullptr;
}

Text QtMainWindow::EmailText() {
  return FromWide(email_->text().toStdU16String(), kCp936);
}

void QtMainWindow::SetResultText(const Text& text) {
  WideText wide = ToWide(text, kCp936);
  wide.resize(wide.find(u'\0'));
  result_->setPlainText(QString::fromStdU16String(wide));
}

void QtMainWindow::RequestClose() { close(); }

void QtMainWindow::FocusControl(ControlId id) { Control(id)->setFocus(Qt::TabFocusReason); }

void QtMainWindow::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

bool QtMainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  ControlId focused = ControlId::k编辑框1;
  bool known = false;
  for (const ControlDescription& c : kMainWindow.controls) {
    if (Control(c.id) == watched) focused = c.id, known = true;
  }
  if (!known) focused = ControlId::k标签1;  // the window itself: no control, no handler
  int modifiers = ModifiersOf(key->modifiers());
  if (key->key() == Qt::Key_Backtab) modifiers |= kModShift;
  return !DispatchKey(*this, focused, KeyCodeOf(key->key()), modifiers, endpoint_);
}

}  // namespace zicha
