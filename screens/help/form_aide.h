// Form_aide: the help window, with its three pages, its topic labels and the mail link.
#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class Form_aide;
}

namespace verdal {

// A tool window that stays on top, created hidden on its welcome page. Closing it only
// hides it; OK turns it back to the welcome page first.
class TForm_aide : public QWidget {
  Q_OBJECT

 public:
  explicit TForm_aide(QWidget* parent = nullptr);
  ~TForm_aide() override;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ResetTopics();
  void ShowPage(QWidget* page);
  void FormMouseMove();
  void Label2Click();
  void Image1Click();

  std::unique_ptr<Ui::Form_aide> ui_;
};

}  // namespace verdal
