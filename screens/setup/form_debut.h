// Form_debut: the player set-up screen, where names and the number of players are chosen.
#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace verdal {

class PictureButton;

// The longest name the game screen shows.
inline constexpr int kNameLength = 7;
// name's first count characters, never splitting one (an accent typed as its own code).
QString CutName(const QString& name, int count = kNameLength);

class TForm_debut : public QWidget {
 public:
  explicit TForm_debut(QWidget* parent = nullptr);

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

  QLabel* Image_fond;
  PictureButton* Image_jouer;
  PictureButton* Image_quitter;
  PictureButton* Image_aide;
  PictureButton* Image_param;
  QLabel* Label_jouer;
  QLabel* Label_quitter;
  QLabel* Label_aide;
  QLabel* Label_param;
  QLabel* Label1;
  QLineEdit* MaskEdit1;
  QLineEdit* MaskEdit2;
  QCheckBox* CheckBox1;
  int playerCount_ = 0;
};

}  // namespace verdal
