#include "WelcomeDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace velmora {

WelcomeDialog::WelcomeDialog(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmWelcome"));
  setWindowTitle(QStringLiteral("Velmora"));
  auto *layout = new QVBoxLayout(this);
  auto *text =
      new QLabel(QStringLiteral("<h3>Welcome to Velmora</h3>"
                                "<p>A dictionary of Chinese idioms (成语).</p>"
                                "<p>Type an idiom, its pinyin (yimadangxian) or its initials (ymdx) into the search "
                                "box, or browse the index by initial letter. The settings button sets your name, "
                                "nickname, logo and the interface language.</p>"),
                 this);
  text->setWordWrap(true);
  layout->addWidget(text);
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->setObjectName(QStringLiteral("cmdOK"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  resize(420, 220);
}

}  // namespace velmora
