#include "ui/message_box.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include "ui/language.h"

namespace tarnivel {
namespace {

// Room a window manager's title bar takes beside the title: the window's icon and its
// buttons, with their padding.
constexpr int kTitleBarRoom = 140;

// The button's text comes from Qt's catalogue in the window's language.
std::unique_ptr<QMessageBox> BuildBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                      const QString& text, const QString& informative = {}) {
  auto box = std::make_unique<QMessageBox>(icon, title, text, QMessageBox::Ok, parent);
  box->setInformativeText(informative);
  box->setWindowModality(Qt::ApplicationModal);
  // Wide enough that a title bar shows the whole title rather than shortening it.
  if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
    const int width = box->fontMetrics().horizontalAdvance(title) * 3 / 2 + kTitleBarRoom;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
  return box;
}

}  // namespace

std::unique_ptr<QMessageBox> QtMessageBoxes::BuildPromptBox(QWidget* parent, Prompt prompt) {
  return BuildBox(parent, QMessageBox::NoIcon, tr("Ovrin"), CoreText(PromptText(prompt)));
}

std::unique_ptr<QMessageBox> QtMessageBoxes::BuildFaultBox(QWidget* parent, FaultKind kind) {
  return BuildBox(parent, QMessageBox::Warning, tr("Tarnivel"), CoreText(FaultDescription(kind)),
                  tr("计算无法完成，请检查输入的数据。"));
}

void QtMessageBoxes::ShowPrompt(QWidget* parent, Prompt prompt) {
  BuildPromptBox(parent, prompt)->exec();
}

void QtMessageBoxes::ShowFault(QWidget* parent, FaultKind kind) {
  BuildFaultBox(parent, kind)->exec();
}

}  // namespace tarnivel
