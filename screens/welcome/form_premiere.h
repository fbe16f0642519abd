// Form_premiere: the welcome screen and main window, with its scrolling welcome text.
#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class Form_premiere;
}

namespace verdal {

class TForm_premiere : public QWidget {
 public:
  explicit TForm_premiere(QWidget* parent = nullptr);
  ~TForm_premiere() override;

  // Takes over the desktop and loads the dictionary; the program runs it inside
  // ReportErrors, so that a missing "mots" leaves the screen without its buttons.
  void FormCreate();

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void HideButtons();
  void ShowButtons();
  void Image_jouerClick();
  void Image_aideClick();
  void Image_quitterClick();
  void Image_jouerMouseMove();
  void Image_quitterMouseMove();
  void Image_aideMouseMove();
  void Label_webMouseMove();
  void Label_webClick();
  void FormMouseMove();
  void Quit();
  // The welcome text is not drawn while another screen of the program covers this one.
  void FollowCovering();

  std::unique_ptr<Ui::Form_premiere> ui_;
};

}  // namespace verdal
