#include "ui/message_box.h"

#include <QMessageBox>
#include <QPushButton>

namespace tarnivel {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::unique_ptr<QMessageBox> BuildBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                      const QString& text) {
  auto box = std::make_unique<QMessageBox>(icon, title, text, QMessageBox::Ok, parent);
  box->button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
  box->setWindowModality(Qt::ApplicationModal);
  return box;
}

}  // namespace

std::unique_ptr<QMessageBox> QtMessageBoxes::BuildPromptBox(QWidget* parent, Prompt prompt) {
  return BuildBox(parent, QMessageBox::NoIcon, QStringLiteral("Ovrin"),
                  FromUtf8(PromptText(prompt)));
}

std::unique_ptr<QMessageBox> QtMessageBoxes::BuildFaultBox(QWidget* parent, FaultKind kind) {
  auto box = BuildBox(parent, QMessageBox::Warning, QStringLiteral("Tarnivel"),
                      FromUtf8(FaultDescription(kind)));
  box->setInformativeText(QStringLiteral("计算无法完成，请检查输入的数据。"));
  return box;
}

void QtMessageBoxes::ShowPrompt(QWidget* parent, Prompt prompt) {
  BuildPromptBox(parent, prompt)->exec();
}

void QtMessageBoxes::ShowFault(QWidget* parent, FaultKind kind) {
  BuildFaultBox(parent, kind)->exec();
}

}  // namespace tarnivel
