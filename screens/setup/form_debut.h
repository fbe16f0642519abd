// Form_debut: the player set-up screen, where names and the number of players are chosen.
#pragma once

#include <QWidget>
#include <memory>

class QLabel;

namespace Ui {
class Form_debut;
}

namespace verdal {

// The longest name the game screen shows.
inline constexpr int kNameLength = 7;
// name's first count characters, never splitting one (an accent typed as its own code).
QString CutName(const QString& name, int count = kNameLength);

class TForm_debut : public QWidget {
 public:
  explicit TForm_debut(QWidget* parent = nullptr);
  ~TForm_debut() override;

  void FormCreate();
  // 0 until the first match start, then 1 or 2.
  int PlayerCount() const { return playerCount_; }

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void ClearHoverLabels();
  void Hover(QLabel* label, const QString& text);
  void CheckBox1Click();
  void Image_paramClick();
  void Image_aideClick();
  void Image_quitterClick();
  void Image_jouerClick();

  std::unique_ptr<Ui::Form_debut> ui_;
  int playerCount_ = 0;
};

}  // namespace verdal
