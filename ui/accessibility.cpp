#include "ui/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QWidget>

#include "ui/main_window.h"

namespace tarnivel {
namespace {

// The window with the children a reader should see: those not hidden on purpose.
class WindowAccessible final : public QAccessibleWidget {
 public:
  explicit WindowAccessible(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}

  int childCount() const override { return static_cast<int>(Exposed().size()); }
  QAccessibleInterface* child(int index) const override {
    const QList<QWidget*> children = Exposed();
    if (index < 0 || index >= children.size()) return nullptr;
    return QAccessible::queryAccessibleInterface(children.at(index));
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr) return -1;
    return static_cast<int>(Exposed().indexOf(qobject_cast<QWidget*>(child->object())));
  }

 private:
  QList<QWidget*> Exposed() const {
    QList<QWidget*> exposed;
    for (QWidget* child : widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      const bool hidden_on_purpose =
          child->testAttribute(Qt::WA_WState_ExplicitShowHide) && child->isHidden();
      if (!child->isWindow() && !hidden_on_purpose) exposed.append(child);
    }
    return exposed;
  }
};

QAccessibleInterface* Factory(const QString& /*class_name*/, QObject* object) {
  if (auto* window = qobject_cast<MainWindow*>(object)) return new WindowAccessible(window);
  return nullptr;
}

// Quantity, then the unit in full-width or plain brackets.
const QRegularExpression& CaptionPattern() {
  static const QRegularExpression pattern(QStringLiteral("^(.*?)\\s*[（(]\\s*(.*?)\\s*[）)]\\s*$"));
  return pattern;
}

}  // namespace

void ExposeToReaders() {
  static const bool installed = (QAccessible::installFactory(&Factory), true);
  (void)installed;
}

QString SpokenName(const QString& caption) {
  const QRegularExpressionMatch match = CaptionPattern().match(caption);
  if (!match.hasMatch()) return caption;
  //: A field's name for screen readers: %1 the quantity, %2 its unit.
  return QCoreApplication::translate("tarnivel::Accessibility", "%1 %2")
      .arg(match.captured(1), match.captured(2));
}

QString SpokenQuantity(const QString& caption) {
  const QRegularExpressionMatch match = CaptionPattern().match(caption);
  return match.hasMatch() ? match.captured(1) : caption;
}

}  // namespace tarnivel
