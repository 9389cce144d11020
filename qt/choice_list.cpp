#include "qt/choice_list.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/canvas_widget.h"

namespace korvel::qt {

ChoiceList::ChoiceList(const QString& title, const std::vector<std::string>& rows, QWidget* parent,
                       const CanvasWidget* canvas)
    : QDialog(parent), list_(new QListWidget(this)) {
  setWindowTitle(title);
  if (canvas != nullptr && canvas->scale() > 1) {
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * canvas->scale());
    setFont(f);
  }
  for (const std::string& row : rows) list_->addItem(QString::fromStdString(row));
  list_->setCurrentRow(0);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* open = buttons->addButton(QStringLiteral("読込"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
  open->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  // Wide enough for a row whole, tall enough for a screenful of them.
  const QFontMetrics m(list_->font());
  int widest = 0;
  for (int i = 0; i < list_->count(); ++i) widest = std::max(widest, m.horizontalAdvance(list_->item(i)->text()));
  list_->setMinimumWidth(widest + 4 * m.height());
  list_->setMinimumHeight(std::min(list_->count(), 12) * (m.height() + 4) + m.height());
}

int ChoiceList::chosen() const { return list_->currentRow(); }

}  // namespace korvel::qt
