// The Qt window itself, on the offscreen platform: layout, focus, keyboard rules and a lookup
// driven through the window against a real server on 127.0.0.1.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "app/qt/qt_main_window.h"
#include "http/tests/test_server.h"

namespace zicha {
namespace {

using testing::Answer;
using testing::ReceivedRequest;
using testing::TestServer;

class QtWindow : public ::testing::Test {
 protected:
  QtWindow()
      : server_([this](const ReceivedRequest&) { return Answer(200, "", answer_); }),
        window_(server_.Url("/index.php")) {
    window_.ShowCentred();
    QApplication::processEvents();
  }
  QWidget* focused() const { return QApplication::focusWidget(); }
  size_t lookups() const { return server_.Requests().size(); }

  std::string answer_ = "ok";
  TestServer server_;
  QtMainWindow window_;
};

TEST_F(QtWindow, AsDescribed) {
  EXPECT_EQ(window_.windowTitle(), QString::fromUtf8("数据泄露自查:"));
  EXPECT_EQ(window_.minimumSize(), window_.maximumSize());  // fixed size
  EXPECT_GE(window_.width(), kMainWindow.minClientWidth);
  EXPECT_GE(window_.height(), kMainWindow.minClientHeight);
  const Qt::WindowFlags flags = window_.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(window_.windowIcon().isNull());
  for (const ControlDescription& c : kMainWindow.controls) {
    QWidget* w = window_.Control(c.id);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), QRect(c.x, c.y, c.width, c.height)) << c.name;
    EXPECT_EQ(w->objectName(), QString::fromUtf8(c.name.data(), static_cast<int>(c.name.size())));
    EXPECT_TRUE(w->isVisible() && w->isEnabled()) << c.name;
    EXPECT_EQ(w->focusPolicy() == Qt::NoFocus, c.tabOrder == 0) << c.name;
  }
  EXPECT_EQ(static_cast<QLabel*>(window_.Control(ControlId::k标签1))->text(), QString::fromUtf8("邮箱:"));
  EXPECT_EQ(static_cast<QLabel*>(window_.Control(ControlId::k标签2))->text(), QString::fromUtf8("查询结果:"));
  EXPECT_EQ(window_.QueryButton()->text(), QString::fromUtf8("查询"));
  EXPECT_FALSE(window_.QueryButton()->autoDefault());
  EXPECT_TRUE(window_.EmailBox()->text().isEmpty());
  EXPECT_TRUE(window_.ResultBox()->toPlainText().isEmpty());
  EXPECT_TRUE(window_.ResultBox()->isReadOnly());
  EXPECT_EQ(window_.ResultBox()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(window_.ResultBox()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(window_.EmailBox()->maxLength(), std::numeric_limits<int>::max());
  EXPECT_EQ(focused(), window_.EmailBox());  // the caret starts in 编辑框1
}

TEST_F(QtWindow, TabAndShiftTabCycleTheTabStops) {
  QWidget* order[] = {window_.EmailBox(), window_.QueryButton(), window_.ResultBox()};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(focused(), order[i % 3]);
    QTest::keyClick(focused(), Qt::Key_Tab);
  }
  for (int i = 6; i > 0; --i) {
    EXPECT_EQ(focused(), order[i % 3]);
    QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ShiftModifier);
  }
  EXPECT_EQ(focused(), window_.EmailBox());
}

TEST_F(QtWindow, EnterInTheEmailBoxStartsExactlyOneLookup) {
  QTest::keyClicks(window_.EmailBox(), "abc");
  const std::pair<Qt::Key, Qt::KeyboardModifiers> enters[] = {
      {Qt::Key_Return, Qt::NoModifier},
      {Qt::Key_Return, Qt::ControlModifier},
      {Qt::Key_Return, Qt::ShiftModifier},
      {Qt::Key_Enter, Qt::KeypadModifier},
  };
  size_t expected = 0;
  QSignalSpy reachedTheBox(window_.EmailBox(), &QLineEdit::returnPressed);
  for (const auto& [key, modifiers] : enters) {
    answer_ = "answer " + std::to_string(expected + 1);
    QTest::keyClick(window_.EmailBox(), key, modifiers);
    EXPECT_EQ(lookups(), ++expected);
    EXPECT_EQ(window_.ResultBox()->toPlainText().toStdString(), answer_);
    EXPECT_EQ(focused(), window_.EmailBox());  // Enter never moves the focus
    EXPECT_EQ(reachedTheBox.count(), static_cast<int>(expected));  // and still reaches the box
  }
  EXPECT_EQ(server_.Requests().back().body, "data=WVdKag==");
  QTest::keyClick(window_.EmailBox(), Qt::Key_X);  // other keys start none and reach the box
  EXPECT_EQ(lookups(), expected);
  EXPECT_EQ(window_.EmailBox()->text(), "abcx");
}

TEST_F(QtWindow, ButtonPressedBySpaceNotByEnter) {
  window_.QueryButton()->setFocus();
  QTest::keyClick(window_.QueryButton(), Qt::Key_Return);
  QTest::keyClick(window_.QueryButton(), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(lookups(), 0u);
  QTest::keyClick(window_.QueryButton(), Qt::Key_Space);
  EXPECT_EQ(lookups(), 1u);
  EXPECT_EQ(server_.Requests()[0].body, "data=");  // an empty box sends "data=" alone
  EXPECT_EQ(window_.ResultBox()->toPlainText(), "ok");
  QTest::mouseClick(window_.QueryButton(), Qt::LeftButton);
  EXPECT_EQ(lookups(), 2u);
}

TEST_F(QtWindow, ResultBoxRefusesTypingButSelects) {
  answer_ = "?%E6%95%B0%E6%8D%AE?";  // the first "?" goes
  QTest::mouseClick(window_.QueryButton(), Qt::LeftButton);
  EXPECT_EQ(window_.ResultBox()->toPlainText(), QString::fromUtf8("数据?"));
  window_.ResultBox()->setFocus();
  QTest::keyClicks(window_.ResultBox(), "typed");
  QTest::keyClick(window_.ResultBox(), Qt::Key_Return);
  EXPECT_EQ(window_.ResultBox()->toPlainText(), QString::fromUtf8("数据?"));
  EXPECT_EQ(lookups(), 1u);
  QTest::keyClick(window_.ResultBox(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(window_.ResultBox()->textCursor().selectedText(), QString::fromUtf8("数据?"));
}

TEST_F(QtWindow, LongAnswersWrapAndScrollVertically) {
  answer_ = std::string(20000, 'w');
  QTest::mouseClick(window_.QueryButton(), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(window_.ResultBox()->toPlainText().size(), 20000);
  EXPECT_GT(window_.ResultBox()->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(window_.ResultBox()->horizontalScrollBar()->maximum(), 0);
}

TEST_F(QtWindow, EscClosesFromEveryControl) {
  for (QWidget* w : {static_cast<QWidget*>(window_.EmailBox()), static_cast<QWidget*>(window_.QueryButton()),
                     static_cast<QWidget*>(window_.ResultBox())}) {
    window_.ShowCentred();
    w->setFocus();
    QTest::keyClick(w, Qt::Key_Escape);
    EXPECT_FALSE(window_.isVisible()) << w->objectName().toStdString();
  }
}

}  // namespace
}  // namespace zicha

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
