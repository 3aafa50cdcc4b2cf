#pragma once
// Form1, the main window: the title, the menu of every task, the environment settings and
// the help command. It holds the edit-menu bitmaps that the analysis windows use.
#include <QMainWindow>

class QLabel;

namespace kelvo {

struct MenuItemSpec;

// The main window's decorative picture, drawn at the size it has.
class TitlePictureWidget : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class Form1 : public QMainWindow {
  Q_OBJECT
 public:
  Form1();

  long long referenceWidth() const { return m_referenceWidth; }
  QLabel* titleLabel() const { return m_title; }

  // The bodies of the two environment commands.
  void askSampleLimit();
  void askDataWidth();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void setupSurface();
  void setupMenus();
  void runCommand(const MenuItemSpec& item);
  void applyTitleFont();

  long long m_referenceWidth = 0;
  QWidget* m_surface = nullptr;
  QWidget* m_picture = nullptr;
  QWidget* m_panel = nullptr;
  QLabel* m_title = nullptr;
};

}  // namespace kelvo
