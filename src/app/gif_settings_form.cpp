#include "app/gif_settings_form.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>

#include "app/clickable_label.h"
#include "app/decorative_pictures.h"
#include "app/help_notes.h"
#include "app/hint_form.h"
#include "app/number_key_filter.h"
#include "app/window_placement.h"
#include "compile/compile_settings.h"

namespace sf::app {

namespace {

void AddItems(QComboBox* box, std::span<const char* const> items) {
  for (const char* item : items) box->addItem(QString::fromUtf8(item));
}

}  // namespace

TGIFSettingsForm::TGIFSettingsForm(THintForm& hint_form, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      m_hint_form(hint_form),
      m_loops_edit(new QSpinBox(this)),
      m_trans_box(new QComboBox(this)),
      m_disposal_box(new QComboBox(this)),
      m_optimise_box(new QCheckBox(QStringLiteral("&Optimise (merge repeated frames, best colours)"), this)) {
  setObjectName(QStringLiteral("TGIFSettingsForm"));
  setWindowTitle(QStringLiteral("GIF Settings"));
  QFont small = font();
  small.setPointSize(8);
  setFont(small);
  m_optimise_box->setObjectName(QStringLiteral("OptimiseChkBox"));
  m_optimise_box->setToolTip(
      QStringLiteral("Writes a smaller, better looking GIF: repeated frames become one, only the changed part of "
                     "a frame is stored and every picture gets its own best colours."));

  m_loops_edit->setObjectName(QStringLiteral("NumLoopsEdit"));
  m_loops_edit->setRange(0, 999999999);
  NumberKeyFilter::Install(m_loops_edit);
  m_trans_box->setObjectName(QStringLiteral("TransCBox"));
  AddItems(m_trans_box, GifTransparencyItems());
  m_disposal_box->setObjectName(QStringLiteral("DisposalCBox"));
  AddItems(m_disposal_box, GifDisposalItems());
  m_disposal_box->setEnabled(false);

  auto* loops_label = new QLabel(QStringLiteral("&Number of loops (0 = infinity):"), this);
  loops_label->setBuddy(m_loops_edit);
  auto* trans_label = new QLabel(QStringLiteral("&Transparency:"), this);
  trans_label->setBuddy(m_trans_box);
  auto* disposal_label = new QLabel(QStringLiteral("&Draw method:"), this);
  disposal_label->setBuddy(m_disposal_box);
  auto* help = new ClickableLabel(QStringLiteral("?"), this);
  help->setObjectName(QStringLiteral("TransHelpLbl"));
  help->setToolTip(QStringLiteral("Click here for GIF notes."));
  help->setCursor(Qt::WhatsThisCursor);
  QFont bold = help->font();
  bold.setBold(true);
  help->setFont(bold);
  auto* close_button = new QPushButton(QStringLiteral("&Close"), this);
  close_button->setObjectName(QStringLiteral("CloseBtn"));
  QPalette red = close_button->palette();
  red.setColor(QPalette::ButtonText, Qt::red);
  close_button->setPalette(red);

  connect(m_trans_box, &QComboBox::activated, this, &TGIFSettingsForm::TransCBoxChange);
  connect(close_button, &QPushButton::clicked, this, &QWidget::hide);
  connect(help, &ClickableLabel::clicked, this, [this] { m_hint_form.ShowNote(kTransparencyNotes); });

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(8, 6, 8, 8);
  layout->setVerticalSpacing(2);
  layout->addWidget(loops_label, 0, 0, 1, 2);
  layout->addWidget(m_loops_edit, 1, 0);
  layout->addWidget(trans_label, 2, 0, 1, 2);
  layout->addWidget(m_trans_box, 3, 0);
  layout->addWidget(help, 3, 1);
  layout->addWidget(disposal_label, 4, 0, 1, 2);
  layout->addWidget(m_disposal_box, 5, 0);
  layout->addWidget(m_optimise_box, 6, 0, 1, 2);
  layout->addWidget(close_button, 7, 0, 1, 2, Qt::AlignRight | Qt::AlignBottom);
  layout->setColumnStretch(0, 1);
  layout->setRowStretch(7, 1);
  // The classic window is 192 x 178; the optimise box adds its row and its width.
  setFixedSize(std::max(192, layout->sizeHint().width()), 178 + m_optimise_box->sizeHint().height() + 2);
  CentreOnScreen(*this);
}

int TGIFSettingsForm::Loops() const { return m_loops_edit->value(); }
int TGIFSettingsForm::Transparency() const { return m_trans_box->currentIndex(); }
int TGIFSettingsForm::Disposal() const { return m_disposal_box->currentIndex(); }
bool TGIFSettingsForm::Optimise() const { return m_optimise_box->isChecked(); }
void TGIFSettingsForm::SetOptimise(bool optimise) { m_optimise_box->setChecked(optimise); }

void TGIFSettingsForm::SetValues(int loops, int transparency, int disposal) {
  m_loops_edit->setValue(loops);
  m_trans_box->setCurrentIndex(transparency);
  m_disposal_box->setCurrentIndex(disposal);
  TransCBoxChange();
}

void TGIFSettingsForm::TransCBoxChange() {
  const bool transparent = m_trans_box->currentIndex() != 0;
  m_disposal_box->setEnabled(transparent);
  if (!transparent) m_disposal_box->setCurrentIndex(0);
}

void TGIFSettingsForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(QRect(0, 0, width() + 100, height() + 100), DecorativeBackground());
}

}  // namespace sf::app
