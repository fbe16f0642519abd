// Form_aide: the help window's pages, topic and link colours, mail link and OK.
#include "screens/help/form_aide.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "common/shell.h"

namespace verdal {
namespace {

class RecordedShell : public Shell {
 public:
  void Open(const std::string& address) override { opened.push_back(address); }
  std::vector<std::string> opened;
};

const char* const kTopics[] = {"Label_Bienvenue", "Label_regle", "Label_commandes"};
const char* const kPages[] = {"Memo_bienvenue", "Memo_Regle", "Memo_commandes"};

class FormAide : public ::testing::Test {
 protected:
  FormAide() : shell_(recorded_) {
    form_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
  }

  QLabel* Label(const char* name) { return form_->findChild<QLabel*>(name); }
  QPlainTextEdit* Page(const char* name) { return form_->findChild<QPlainTextEdit*>(name); }
  void Click(const char* label) { QTest::mouseClick(Label(label), Qt::LeftButton); }
  // The mouse moving onto a control, by the real route (the window's hit-testing).
  void MoveOnto(QWidget* widget) {
    QTest::mouseMove(widget, QPoint(widget->width() / 2, widget->height() / 2));
  }

  // The text colours of the three topics and the mail link, as 'W', 'B' or 'R'.
  std::string Colours() {
    std::string colours;
    for (const char* name : {kTopics[0], kTopics[1], kTopics[2], "Label2"}) {
      const QColor c = Label(name)->palette().color(QPalette::WindowText);
      colours += c == Qt::white ? 'W' : c == Qt::blue ? 'B' : c == Qt::red ? 'R' : '?';
    }
    return colours;
  }
  // Which page is visible: 0, 1 or 2, or -1 unless exactly one is.
  int VisiblePage() {
    int visible = -1, count = 0;
    for (int p = 0; p < 3; ++p) {
      if (Page(kPages[p])->isVisible()) visible = p, ++count;
    }
    return count == 1 ? visible : -1;
  }

  RecordedShell recorded_;
  ScopedShell shell_;
  std::unique_ptr<TForm_aide> form_ = std::make_unique<TForm_aide>();
};

TEST_F(FormAide, IsAToolWindowOnTopAtItsPlace) {
  EXPECT_EQ(form_->objectName(), "Form_aide");
  EXPECT_EQ(form_->windowTitle(), "Aide");
  const Qt::WindowFlags flags = form_->windowFlags();
  EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
  EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint));
  EXPECT_EQ(form_->pos(), QPoint(44, 78));
  EXPECT_EQ(form_->size(), QSize(660, 430));
}

TEST_F(FormAide, OpensOnTheWelcomePageWithEveryLinkWhite) {
  EXPECT_EQ(VisiblePage(), 0);
  EXPECT_EQ(Colours(), "WWWW");
  EXPECT_EQ(Label("Label2")->text(), "contact@example.org");
  EXPECT_EQ(Page("Memo_bienvenue")->toPlainText().split('\n'),
            QStringList({"Bienvenue!!", "", "Merci d'avoir téléchargé LEXOR!!", "",
                         "Pour utiliser l'aide, choississez le thème à ", "gauche.", "",
                         "Si vous avez des questions, des remarques ", "ou des suggestions,",
                         "n'hésitez pas, contactez nous :", "", "contact@example.org"}));
  EXPECT_TRUE(Page("Memo_Regle")->toPlainText().startsWith("REGLE DU JEU :\n"));
  EXPECT_TRUE(Page("Memo_commandes")->toPlainText().startsWith("LES COMMANDES :\n"));
}

// A click shows its page alone and leaves every topic white, the clicked one included.
TEST_F(FormAide, TopicsShowTheirPage) {
  const std::vector<std::pair<const char*, int>> clicks = {
      {"Label_regle", 1}, {"Label_commandes", 2}, {"Label_Bienvenue", 0}, {"Label_commandes", 2}};
  for (const auto& [topic, page] : clicks) {
    MoveOnto(Label(topic));
    Click(topic);
    EXPECT_EQ(VisiblePage(), page) << topic;
    EXPECT_EQ(Colours(), "WWWW") << topic;
  }
}

// Topics turn blue and the mail link red under the mouse; the bare window and the
// pages turn them all white again.
TEST_F(FormAide, LinksChangeColourUnderTheMouse) {
  struct Case {
    std::vector<const char*> path;  // controls the mouse moves onto, in order
    const char* colours;            // then: three topics and the mail link
  };
  const std::vector<Case> cases = {
      {{"Label_Bienvenue"}, "BWWW"},
      {{"Label_commandes"}, "WWBW"},
      {{"Label_regle", "Label_commandes"}, "WBBW"},
      {{"Label_commandes", "Form_aide"}, "WWWW"},
      {{"Label_commandes", "Memo_bienvenue"}, "WWWW"},
      {{"Label2"}, "WWWR"},
      {{"Label_regle", "Label2"}, "WBWR"},
      {{"Label2", "Form_aide"}, "WWWW"},
      {{"Label2", "Memo_bienvenue"}, "WWWW"},
  };
  for (const Case& c : cases) {
    MoveOnto(form_.get());
    std::string route;
    for (const char* name : c.path) {
      route += std::string(name) + " ";
      QWidget* target =
          form_->objectName() == name ? form_.get() : form_->findChild<QWidget*>(name);
      // The bare window: a point beside the topics, on no control.
      if (target == form_.get()) {
        QTest::mouseMove(form_.get(), QPoint(20, 250));
      } else {
        MoveOnto(target);
      }
    }
    EXPECT_EQ(Colours(), c.colours) << route;
  }
}

TEST_F(FormAide, PagesOfRulesAndCommandsTurnTheLinksWhiteToo) {
  for (int p : {1, 2}) {
    Click(kTopics[p]);
    MoveOnto(Label("Label2"));
    MoveOnto(Label(kTopics[0]));
    EXPECT_EQ(Colours(), "BWWR");
    MoveOnto(Page(kPages[p]));
    EXPECT_EQ(Colours(), "WWWW") << kPages[p];
  }
}

TEST_F(FormAide, MailLinkOpensAMessageToTheMakers) {
  Click("Label2");
  EXPECT_EQ(recorded_.opened,
            std::vector<std::string>{"mailto:contact@example.org?subject=Info LEXOR"});
}

TEST_F(FormAide, OkClosesOnTheWelcomePage) {
  Click("Label_regle");
  MoveOnto(Label("Label_commandes"));
  QTest::mouseClick(Label("Image1"), Qt::LeftButton);
  EXPECT_FALSE(form_->isVisible());
  form_->show();
  EXPECT_EQ(VisiblePage(), 0);
  EXPECT_EQ(Colours(), "WWWW");
}

}  // namespace
}  // namespace verdal
